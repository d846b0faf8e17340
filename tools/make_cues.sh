#!/usr/bin/env bash
# Synthesises the sound cues of the game with sox and encodes them with
# lame into game/sound/ (or the folder given as the first argument).
#
# Every cue is built from notes: a note is one synthesised tone with its own
# envelope, padded to its start time; the notes of a cue are mixed, the mix is
# brought to a common loudness and encoded as mono MP3.
#
# Loudness is the highest RMS level over any 400 ms stretch, the window of a
# momentary loudness meter: short cues are then judged over the time the ear
# integrates, not diluted by a silent tail. Every cue is set to TARGET_DB; the
# script checks the encoded files (decoded again by sox) for that level, for
# peaks below PEAK_LIMIT_DB and for the size limit.
set -euo pipefail

readonly TARGET_DB=-20.0
readonly TOLERANCE_DB=0.5
readonly PEAK_LIMIT_DB=-1.0
readonly MAX_BYTES=102400
readonly RATE=44100
# Variable bit rate: constant 80 kbit/s took about 0.5 dB off every cue.
readonly VBR_QUALITY=2

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/game/sound}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# sox works on 32-bit integer samples inside, whatever the file format, so
# every level stays well below full scale until the final gain: a note is
# synthesised at NOTE_DB and a cue mixes only a handful of notes. Any clipping
# sox reports anywhere fails the script. -R keeps every run bit-identical.
readonly NOTE_DB=-18
INTERMEDIATE=(-e floating-point -b 32)

sx() {
    sox -R -V2 "$@" 2>"$work/sox.log" || { cat "$work/sox.log" >&2; return 1; }
    if grep -q clipped "$work/sox.log"; then
        cat "$work/sox.log" >&2
        echo "sox clipped while running: sox $*" >&2
        return 1
    fi
}

# note OUT START DURATION "SYNTH ARGS" [EFFECTS...]
# A tone of DURATION seconds starting START seconds into the cue. The synth
# arguments follow "synth DURATION" (wave shapes and frequencies).
note() {
    local file=$1 start=$2 duration=$3 synth=$4
    shift 4
    # shellcheck disable=SC2086  # the synth arguments are a word list
    sx -r "$RATE" -c 1 -n "${INTERMEDIATE[@]}" "$file" \
        synth "$duration" $synth gain "$NOTE_DB" "$@" pad "$start"
}

# bell OUT START DURATION FREQUENCY: a struck tone with an octave and a
# twelfth above it, decaying over its whole length.
bell() {
    local file=$1 start=$2 duration=$3 f=$4
    local f2 f3
    f2=$(awk -v f="$f" 'BEGIN { printf "%.2f", 2 * f }')
    f3=$(awk -v f="$f" 'BEGIN { printf "%.2f", 3 * f }')
    sx -r "$RATE" -c 3 -n "${INTERMEDIATE[@]}" "$work/partials.wav" \
        synth "$duration" sine "$f" sine "$f2" sine "$f3"
    sx "$work/partials.wav" "${INTERMEDIATE[@]}" "$file" \
        remix 1v0.7,2v0.22,3v0.08 gain "$NOTE_DB" fade l 0.004 "$duration" "$duration" pad "$start"
}

# brass OUT START DURATION FREQUENCY: a bright sawtooth with a soft attack,
# filtered so that it shines without buzzing.
brass() {
    local file=$1 start=$2 duration=$3 f=$4
    note "$file" "$start" "$duration" "sawtooth $f" lowpass 3200 fade q 0.02 "$duration" 0.08
}

# mix OUT NOTES...: the sum of the notes, each at full weight.
mix() {
    local file=$1
    shift
    if [ $# -eq 1 ]; then
        cp "$1" "$file"
        return
    fi
    local inputs=()
    for n in "$@"; do
        inputs+=(-v 1 "$n")
    done
    sx -m "${inputs[@]}" "${INTERMEDIATE[@]}" "$file"
}

# loudness FILE: the highest RMS level over any 400 ms stretch, in dBFS.
# The window slides sample by sample (sox stats steps it a whole window at a
# time, which splits a short cue across two windows depending on where it
# starts); silence is assumed before the first sample.
loudness() {
    sx "$1" -t dat - | awk -v n=$((RATE * 2 / 5)) '
        /^;/ { next }
        {
            sq = $2 * $2
            sum += sq - ring[i % n]
            ring[i % n] = sq
            i++
            if (sum > best) best = sum
        }
        END { printf "%.2f\n", 10 * log(best / n) / log(10) }'
}

# figure FILE NAME: one figure of sox stats, for example "Pk lev dB".
figure() {
    sox "$1" -n stats 2>&1 | awk -v name="$2" 'index($0, name) == 1 { print $NF }'
}

duration() {
    soxi -D "$1"
}

# finish NAME MIX: level the mix to the target and encode it as NAME.
finish() {
    local name=$1 mixed=$2
    local level gain
    level=$(loudness "$mixed")
    gain=$(awk -v t="$TARGET_DB" -v l="$level" 'BEGIN { printf "%.3f", t - l }')
    # A short fade-in of 2 ms removes the click of a note that starts at full
    # level; a trailing 30 ms of silence lets the decoder's last frame settle.
    sx "$mixed" -r "$RATE" -c 1 -b 16 "$work/$name.wav" gain "$gain" fade 0.002 pad 0 0.03
    lame --quiet --noreplaygain -m m -V "$VBR_QUALITY" -q 2 "$work/$name.wav" "$out/$name"
}

# --- 主界面: a friendly rising arpeggio, C major, ending on a held top note.
main_window() {
    bell "$work/m1.wav" 0.00 0.60 523.25
    bell "$work/m2.wav" 0.14 0.60 659.26
    bell "$work/m3.wav" 0.28 0.60 783.99
    bell "$work/m4.wav" 0.42 1.10 1046.50
    bell "$work/m5.wav" 0.42 1.10 523.25
    mix "$work/main.wav" "$work"/m[1-5].wav
    finish "主界面.mp3" "$work/main.wav"
}

# --- 鼠标放上: a short, soft upward blip.
hover() {
    note "$work/h1.wav" 0 0.07 "sine 1100:1500" fade q 0.006 0.07 0.05
    finish "鼠标放上.mp3" "$work/h1.wav"
}

# --- 开始: a bright fanfare, three quick pickup notes into a held chord.
start() {
    brass "$work/s1.wav" 0.00 0.12 392.00
    brass "$work/s2.wav" 0.13 0.12 523.25
    brass "$work/s3.wav" 0.26 0.12 659.26
    brass "$work/s4.wav" 0.39 0.75 783.99
    brass "$work/s5.wav" 0.39 0.75 523.25
    brass "$work/s6.wav" 0.39 0.75 659.26
    bell "$work/s7.wav" 0.39 0.80 1567.98
    mix "$work/start.wav" "$work"/s[1-7].wav
    finish "开始.mp3" "$work/start.wav"
}

# --- yes: a clear rising two-note chime, a fifth apart.
yes() {
    bell "$work/y1.wav" 0.00 0.45 1046.50
    bell "$work/y2.wav" 0.09 0.65 1567.98
    mix "$work/yes.wav" "$work"/y[12].wav
    finish "yes.mp3" "$work/yes.wav"
}

# --- no: a low, short two-step buzz, falling.
no() {
    note "$work/n1.wav" 0.00 0.13 "square 155" lowpass 1400 fade q 0.01 0.13 0.03
    note "$work/n2.wav" 0.16 0.22 "square 116" lowpass 1400 fade q 0.01 0.22 0.08
    mix "$work/no.wav" "$work"/n[12].wav
    finish "no.mp3" "$work/no.wav"
}

# --- 结束: the last six seconds of a round. It starts at 6 seconds left, so a
# tick sounds at 6, 5, 4, 3, 2 and 1 seconds left (the last three higher and
# louder) and the final tone at 0, when the round ends.
countdown() {
    local i f level start
    for i in 0 1 2 3 4 5; do
        # A tick is short, so it needs a higher peak than the final tone to be
        # heard as clearly.
        f=1500 level=5
        [ "$i" -ge 3 ] && f=2000 level=9
        note "$work/t$i.wav" "$i" 0.06 "sine $f" fade l 0.001 0.06 0.058 gain "$level"
    done
    start=6.00
    note "$work/t6.wav" "$start" 0.80 "square 880" lowpass 2500 fade q 0.01 0.80 0.35
    note "$work/t7.wav" "$start" 0.80 "square 440" lowpass 2500 fade q 0.01 0.80 0.35
    mix "$work/countdown.wav" "$work"/t[0-7].wav
    finish "结束.mp3" "$work/countdown.wav"
}

# --- 倒数: one tick of the last ten seconds ("最后十秒提示"), played once a
# second: a short wooden knock, lower than the countdown's beeps so that the
# two stay apart where they meet in the last six seconds. It rings a little
# (200 ms) so that it reaches the common loudness without clipping.
tick() {
    note "$work/k1.wav" 0 0.20 "sine 1000" fade q 0.002 0.20 0.19
    note "$work/k2.wav" 0 0.04 "sine 2000" fade l 0.001 0.04 0.038 gain -14
    mix "$work/tick.wav" "$work"/k[12].wav
    finish "倒数.mp3" "$work/tick.wav"
}

# --- 得分: a triumphant fanfare, ta-ta-ta-taaa, up to a held major chord.
score() {
    brass "$work/f1.wav" 0.00 0.11 392.00
    brass "$work/f2.wav" 0.14 0.11 392.00
    brass "$work/f3.wav" 0.28 0.11 392.00
    brass "$work/f4.wav" 0.42 0.40 523.25
    brass "$work/f5.wav" 0.84 0.14 659.26
    brass "$work/f6.wav" 1.00 1.10 783.99
    brass "$work/f7.wav" 1.00 1.10 523.25
    brass "$work/f8.wav" 1.00 1.10 659.26
    bell "$work/f9.wav" 1.00 1.20 2093.00
    mix "$work/score.wav" "$work"/f[1-9].wav
    finish "得分.mp3" "$work/score.wav"
}

main_window
hover
start
yes
no
countdown
score
tick

# Check what a listener will hear: decode every file again and measure it.
status=0
printf '%-14s %9s %8s %9s %10s %8s\n' cue seconds "peak dB" "RMS dB" "loud dB" bytes
for name in 主界面.mp3 鼠标放上.mp3 开始.mp3 yes.mp3 no.mp3 结束.mp3 得分.mp3 倒数.mp3; do
    file=$out/$name
    sx "$file" "$work/check.wav"
    secs=$(duration "$work/check.wav")
    pk=$(figure "$work/check.wav" "Pk lev dB")
    rms=$(figure "$work/check.wav" "RMS lev dB")
    loud=$(loudness "$work/check.wav")
    bytes=$(stat -c %s "$file")
    printf '%-14s %9.3f %8.2f %9.2f %10.2f %8d\n' "$name" "$secs" "$pk" "$rms" "$loud" "$bytes"
    if ! awk -v p="$pk" -v lim="$PEAK_LIMIT_DB" -v l="$loud" -v t="$TARGET_DB" -v tol="$TOLERANCE_DB" \
        'BEGIN { exit !(p < lim && l > t - tol && l < t + tol) }'; then
        echo "$name: peak or loudness out of range" >&2
        status=1
    fi
    if [ "$bytes" -ge "$MAX_BYTES" ]; then
        echo "$name: $bytes bytes, the limit is $MAX_BYTES" >&2
        status=1
    fi
done
exit $status
