# Reads a word list (one word a line) into the array `words`; sourced by the recording scripts.
# shellcheck shell=bash

# read_words FILE: fills `words` in file order, or prints what is wrong and where and returns 1.
# Blank lines and carriage returns are ignored; a word is a file name, so only letters, hyphens and
# apostrophes are accepted.
# shellcheck disable=SC2034 # words is the result, read by the caller
read_words() {
  local file=$1 line number=0 word
  local -A seen=()
  words=()
  if [[ ! -f $file || ! -r $file ]]; then
    echo "$file: word list not found or not readable" >&2
    return 1
  fi
  while IFS= read -r line || [[ -n $line ]]; do
    number=$((number + 1))
    word=${line//$'\r'/}
    word=${word#"${word%%[![:space:]]*}"}
    word=${word%"${word##*[![:space:]]}"}
    [[ -z $word ]] && continue
    if [[ ! $word =~ ^[A-Za-z][A-Za-z\'-]*$ ]]; then
      echo "$file:$number: '$word' is not a word (use letters, hyphens and apostrophes only)" >&2
      return 1
    fi
    if [[ -n ${seen[$word]:-} ]]; then
      echo "$file:$number: '$word' is listed twice (first on line ${seen[$word]})" >&2
      return 1
    fi
    seen[$word]=$number
    words+=("$word")
  done <"$file"
  if [[ ${#words[@]} -eq 0 ]]; then
    echo "$file: the word list is empty" >&2
    return 1
  fi
}
