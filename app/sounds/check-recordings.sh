#!/usr/bin/env bash
# Checks that every listed word has its two recordings and the click, in the stored sound format.
# Usage: check-recordings.sh WORDS_FILE SOUNDS_DIR
set -euo pipefail

# Samples are 8-bit unsigned, mono, 22050 per second: one byte is one sample.
readonly sample_rate=22050
readonly max_bytes=$((sample_rate * 3 / 2))
readonly speakers=(maren rowan)

if [[ $# -ne 2 ]]; then
  echo "usage: $0 WORDS_FILE SOUNDS_DIR" >&2
  exit 2
fi
words_file=$1
sounds_dir=${2%/}
# shellcheck source-path=SCRIPTDIR source=word-list.sh
source "$(dirname "${BASH_SOURCE[0]}")/word-list.sh"

if [[ ! -d $sounds_dir ]]; then
  echo "$sounds_dir: sounds folder not found" >&2
  exit 1
fi
read_words "$words_file" || exit 1

problems=0
report() {
  echo "$1" >&2
  problems=$((problems + 1))
}

# check_sound FILE WHAT: WHAT names the sound in messages ("'Lice' by rowan", "the click").
check_sound() {
  local file=$1 what=$2 size rails
  if [[ ! -e $file ]]; then
    report "$file: recording of $what is missing"
    return
  fi
  if [[ ! -f $file ]]; then
    report "$file: recording of $what is not a regular file"
    return
  fi
  size=$(stat -c %s -- "$file")
  if [[ $size -eq 0 ]]; then
    report "$file: recording of $what is empty"
    return
  fi
  if [[ $size -gt $max_bytes ]]; then
    report "$file: recording of $what lasts $size samples, longer than 1.5 s ($max_bytes samples)"
  fi
  # A sample at either end of the range means the level was pushed past full scale.
  rails=$(LC_ALL=C tr -dc '\000\377' <"$file" | wc -c)
  if [[ $rails -gt 0 ]]; then
    report "$file: recording of $what is clipped ($rails samples at full scale); lower its level"
  fi
}

check_sound "$sounds_dir/click.u8" "the click"
for word in "${words[@]}"; do
  for speaker in "${speakers[@]}"; do
    check_sound "$sounds_dir/$speaker/$word.u8" "'$word' by $speaker"
  done
done

if [[ $problems -gt 0 ]]; then
  echo "$problems problem(s) with the recordings in $sounds_dir; remake them with app/sounds/make-recordings.sh" >&2
  exit 1
fi
echo "recordings: ${#words[@]} words by ${#speakers[@]} speakers and the click are present in $sounds_dir"
