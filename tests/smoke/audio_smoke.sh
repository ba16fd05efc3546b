#!/usr/bin/env bash
# Plays the real game into SDL's disk audio driver and measures what it wrote: the title music
# must sound, and so must the stage music with a bomb's effect over it.
# Usage: audio_smoke.sh <path to volley> <work folder>
set -euo pipefail

source "$(dirname "$0")/x_session.sh"

volley=$1
work=$2
mkdir -p "$work"
game_dir=$(dirname "$volley")

# RMS amplitude (0..1) of a stretch of the 16-bit stereo 44.1 kHz output.
rms_of() {
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n trim "$2" "$3" stat 2>&1 |
        awk '/RMS +amplitude/ { print $3 }'
}

# Plays with the given keys after the title's first four seconds; the output goes to $1.
play() {
    local out=$1
    shift
    rm -f "$out"
    (cd "$game_dir" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" \
        exec ./volley --seed 1 --save "$work/SaveData.dat") &
    pid=$!
    wait_for_window
    xdotool windowfocus --sync "$wid"
    # Four seconds of the title's sound written (16-bit stereo at 44.1 kHz), however late it began.
    poll 60 "the title wrote less than four seconds of sound" \
        eval '(($(stat -c %s "$out" 2>/dev/null || echo 0) >= 4 * 44100 * 4))'
    # Sent to the window itself: on a loaded machine the focus may not yet be where it was put.
    for key in "$@"; do
        xdotool key --window "$wid" "$key"
        sleep 1
    done
    xdotool key --window "$wid" Escape 2>/dev/null || true
    local code=0
    wait "$pid" || code=$?
    [[ $code -eq 0 ]] || fail "the game ended with exit code $code"
    pid=""
    [[ -s "$out" ]] || fail "no sound was written"
}

play "$work/title.raw"
# The title piece opens quietly and swells: its first three seconds.
title=$(rms_of "$work/title.raw" 0.5 3)
awk -v r="$title" 'BEGIN { exit !(r > 0.01) }' || fail "the title music is silent (RMS $title)"
echo "ok: the title music sounds (RMS $title)"

play "$work/stage.raw" z x
# Measured back from the end, where the stage has been playing for two seconds with the bomb in
# the middle: on a loaded machine the game may start writing sound later than usual, so a place
# counted from the start of the file need not fall inside the stage.
stage=$(rms_of "$work/stage.raw" -2.2 1.5)
awk -v r="$stage" 'BEGIN { exit !(r > 0.01) }' || fail "the stage is silent (RMS $stage)"
peak=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/stage.raw" -n stat 2>&1 |
    awk '/Maximum amplitude/ { print $3 }')
# The limiter holds every sample under -1 dBFS (0.891 of full scale).
awk -v p="$peak" 'BEGIN { exit !(p <= 0.892) }' || fail "the mix passes -1 dBFS (peak $peak)"
echo "ok: the stage music and the bomb sound (RMS $stage, peak $peak)"
