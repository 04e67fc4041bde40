#!/usr/bin/env bash
# Remakes the word recordings of the listening lessons (two speakers) and the click from words.txt.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
"$root/scripts/install-sound-tools.sh"
# shellcheck source-path=SCRIPTDIR source=word-list.sh
source "$here/word-list.sh"
read_words "$here/words.txt"

# Speaker name -> flite clustergen voice: "maren" a US English woman, "rowan" a US English man.
declare -A voice_of=([maren]=slt [rowan]=rms)
readonly speakers=(maren rowan)

readonly rate=22050
# Speech starts and ends where the level first and last stays above this for 5 ms, relative to the peak.
# Lower than that catches the synthesiser's noise floor; higher drops the release of a final p or t
# and the start of an f.
readonly detect_db=-50
# Kept before and after the detected speech and faded over, so no part of the word itself is faded.
readonly lead_margin=0.03
readonly tail_margin=0.05
# Room above the normalised peak, so filtering and resampling never clip the intermediate files.
readonly headroom_db=6
# Every word is brought to the same loudness unless that would take its peak above the ceiling.
readonly target_rms_db=-16
readonly ceiling_db=-1
readonly click_samples=3703

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
mkdir -p "$out/maren" "$out/rowan"

# sox_stat FILE NAME: one figure of sox's stats ("RMS lev dB", "Pk lev dB", "Length s").
sox_stat() {
  sox "$1" -n stats 2>&1 | awk -v name="$2" 'index($0, name) == 1 { print $NF; exit }'
}

# calc EXPRESSION: floating-point arithmetic with fixed decimals.
calc() {
  awk "BEGIN { printf \"%.4f\", ($1) }"
}

# record SPEAKER WORD OUTPUT: speaks the word, trims the silence around it, levels it and stores it.
record() {
  local speaker=$1 word=$2 output=$3 voice=${voice_of[$1]}
  local raw=$work/raw.wav clean=$work/clean.wav shaped=$work/shaped.wav
  local threshold="$((detect_db - headroom_db))d" total after_lead after_tail onset offset start end gain rms peak
  flite -voice "$voice" -t "$word" -o "$raw"
  # 32-bit float: nothing clips while the level is still being worked out.
  sox "$raw" -e floating-point -b 32 "$clean" highpass 40 gain -n "-$headroom_db"
  total=$(soxi -D "$clean")
  after_lead=$(sox "$clean" -n silence 1 0.005 "$threshold" stats 2>&1 | awk '/^Length s/ { print $3 }')
  after_tail=$(sox "$clean" -n reverse silence 1 0.005 "$threshold" stats 2>&1 | awk '/^Length s/ { print $3 }')
  if [[ -z $after_lead || -z $after_tail ]] || awk "BEGIN { exit !($after_lead < 0.05) }"; then
    echo "flite voice $voice gave no audible speech for '$word'" >&2
    return 1
  fi
  onset=$(calc "$total - $after_lead")
  offset=$after_tail
  start=$(calc "$onset > $lead_margin ? $onset - $lead_margin : 0")
  end=$(calc "$offset + $tail_margin < $total ? $offset + $tail_margin : $total")
  sox "$clean" "$shaped" trim "$start" "=$end" \
    fade q "$(calc "$onset - $start > 0.002 ? $onset - $start : 0.002")" -0 \
    "$(calc "$end - $offset > 0.002 ? $end - $offset : 0.002")" rate -v "$rate"
  rms=$(sox_stat "$shaped" "RMS lev dB")
  peak=$(sox_stat "$shaped" "Pk lev dB")
  gain=$(calc "$target_rms_db - $rms < $ceiling_db - $peak ? $target_rms_db - $rms : $ceiling_db - $peak")
  # Dithered down to 8 bits (a hiss of one step instead of the grain of plain rounding in quiet parts),
  # with a fixed seed (-R) so that remaking unchanged words gives the same bytes.
  sox -R "$shaped" -t raw -e unsigned-integer -b 8 -c 1 -r "$rate" "$output" gain "$gain" dither
  printf '%-8s %-6s %5.3f s  rms %6.1f dB  peak %5.1f dB\n' "$word" "$speaker" \
    "$(calc "$(sox_stat "$shaped" "Length s")")" "$(calc "$rms + $gain")" "$(calc "$peak + $gain")"
}

# make_click OUTPUT: a soft tick of a few milliseconds, dying away, then silence to the fixed length.
make_click() {
  local output=$1
  # A 1.6 kHz tone that starts at a zero crossing and dies away logarithmically within 8 ms, its
  # peak 10 dB below full scale: softer than the words.
  sox -n -r "$rate" -c 1 -e floating-point -b 32 "$work/tick.wav" \
    synth 0.008 sine 1600 fade l 0 0.008 0.008 gain -n -10
  # The exact 0x80 of digital silence must survive, so no dither here.
  sox -D "$work/tick.wav" -t raw -e unsigned-integer -b 8 -c 1 -r "$rate" "$output" \
    pad 0 "${click_samples}s" trim 0 "${click_samples}s"
  local size
  size=$(stat -c %s -- "$output")
  if [[ $size -ne $click_samples ]]; then
    echo "click: made $size samples instead of $click_samples" >&2
    return 1
  fi
}

for word in "${words[@]}"; do
  for speaker in "${speakers[@]}"; do
    record "$speaker" "$word" "$out/$speaker/$word.u8"
  done
done
make_click "$out/click.u8"

# Only a complete, checked set replaces the committed one.
"$here/check-recordings.sh" "$here/words.txt" "$out"
for speaker in "${speakers[@]}"; do
  rm -rf "${here:?}/$speaker"
  mv "$out/$speaker" "$here/$speaker"
done
mv "$out/click.u8" "$here/click.u8"
echo "recordings written to $here"
