#!/usr/bin/env bash
# Tests the committed recordings of the listening lessons and the checker the build runs over them.
# Usage: check_recordings_test.sh SOUNDS_DIR (the folder holding words.txt and check-recordings.sh)
# shellcheck disable=SC2015 # pass and fail never fail, so A && pass || fail is an if-then-else
set -uo pipefail

sounds=${1:?usage: $0 SOUNDS_DIR}
checker=$sounds/check-recordings.sh
words=$sounds/words.txt
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() {
  echo "FAIL: $1" >&2
  failed=$((failed + 1))
}

# byte FILE INDEX: the sample at INDEX (negative counts from the end) as a number.
byte() {
  local file=$1 index=$2 size
  size=$(stat -c %s "$file")
  [[ $index -lt 0 ]] && index=$((size + index))
  od -An -tu1 -j "$index" -N 1 "$file" | tr -d ' '
}

# expect_failure NAME EXPECTED_TEXT ARGS...: the checker must fail and say EXPECTED_TEXT.
expect_failure() {
  local name=$1 expected=$2 output
  shift 2
  if output=$("$checker" "$@" 2>&1); then
    fail "$name: the checker passed"
  elif [[ $output != *"$expected"* ]]; then
    fail "$name: expected '$expected' in: $output"
  else
    pass
  fi
}

# The committed set: complete, and each recording a trimmed word that starts and ends near silence.
if output=$("$checker" "$words" "$sounds" 2>&1); then pass; else fail "committed recordings: $output"; fi
mapfile -t listed < <(tr -d '\r' <"$words" | grep -v '^[[:space:]]*$')
[[ ${#listed[@]} -eq 30 ]] && pass || fail "words.txt lists ${#listed[@]} words, not 30"
[[ ${listed[0]} == Lice && ${listed[1]} == Rice && ${listed[29]} == Wrong ]] && pass ||
  fail "words.txt is not in table order: ${listed[0]} ${listed[1]} ... ${listed[29]}"
for word in "${listed[@]}"; do
  for speaker in maren rowan; do
    file=$sounds/$speaker/$word.u8
    [[ -f $file ]] || continue # reported by the checker above
    size=$(stat -c %s "$file")
    # A spoken word lasts at least 0.2 s; shorter means the trimming cut into it.
    [[ $size -ge 4410 ]] && pass || fail "$file: only $size samples"
    for index in 0 -1; do
      sample=$(byte "$file" "$index")
      [[ $sample -ge 126 && $sample -le 130 ]] && pass || fail "$file: sample $index is $sample, not near silence (128)"
    done
  done
done
# The two speakers differ: their recordings of a word are never the same bytes.
cmp -s "$sounds/maren/Lice.u8" "$sounds/rowan/Lice.u8" && fail "maren and rowan have the same Lice" || pass

# The click: 3703 samples, a tick in its first 20 ms, exact silence after.
click=$sounds/click.u8
[[ $(stat -c %s "$click") -eq 3703 ]] && pass || fail "click.u8 is not 3703 samples long"
tick=$(head -c 441 "$click" | od -An -v -tu1 | tr -s ' ' '\n' | grep -vc -e '^128$' -e '^$')
[[ $tick -gt 10 ]] && pass || fail "click.u8 has no tick in its first 20 ms ($tick samples off silence)"
rest=$(tail -c +442 "$click" | LC_ALL=C tr -d '\200' | wc -c)
[[ $rest -eq 0 ]] && pass || fail "click.u8 has $rest samples off silence after its first 20 ms"

# The checker names the word, the speaker and the fault of every broken recording.
cp -r "$sounds/maren" "$sounds/rowan" "$click" "$scratch/"
rm "$scratch/rowan/Lentil.u8"
: >"$scratch/maren/Glass.u8"
head -c 33076 /dev/zero | tr '\0' '\200' >"$scratch/rowan/Fly.u8"
printf '\x80\x90\xff\xa0\x80' >"$scratch/maren/Road.u8"
expect_failure missing "rowan/Lentil.u8: recording of 'Lentil' by rowan is missing" "$words" "$scratch"
expect_failure empty "maren/Glass.u8: recording of 'Glass' by maren is empty" "$words" "$scratch"
expect_failure long "recording of 'Fly' by rowan lasts 33076 samples, longer than 1.5 s" "$words" "$scratch"
expect_failure clipped "recording of 'Road' by maren is clipped (1 samples at full scale)" "$words" "$scratch"
expect_failure count "4 problem(s) with the recordings" "$words" "$scratch"
rm "$scratch/click.u8"
expect_failure click "recording of the click is missing" "$words" "$scratch"

# A word list that is not a plain list of words is refused, naming the line.
printf 'Lice\r\n\nRice\n../../etc/passwd\n' >"$scratch/bad.txt"
expect_failure unsafe "bad.txt:4: '../../etc/passwd' is not a word" "$scratch/bad.txt" "$sounds"
printf 'Lice\nRice\nLice\n' >"$scratch/twice.txt"
expect_failure twice "twice.txt:3: 'Lice' is listed twice (first on line 1)" "$scratch/twice.txt" "$sounds"
: >"$scratch/empty.txt"
expect_failure empty-list "the word list is empty" "$scratch/empty.txt" "$sounds"
expect_failure no-folder "sounds folder not found" "$words" "$scratch/absent"
# Carriage returns, blank lines and spaces around a word are tolerated.
printf 'Lice\r\n\n  Rice \n' >"$scratch/crlf.txt"
if output=$("$checker" "$scratch/crlf.txt" "$sounds" 2>&1) && [[ $output == *"2 words"* ]]; then pass; else
  fail "a list with CRLF and blank lines: $output"
fi

echo "recordings: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
