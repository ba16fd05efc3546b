#!/usr/bin/env bash
# Records a game played with real key presses in the window of a virtual X server, with a pause,
# a screenshot and remapped keys, then checks that the recording verifies headlessly, that F12
# left a PNG beside the save, that a damaged copy of the recording is refused and one whose first
# checkpoint differs is reported at frame 100, each with exit code 2.
# Usage: replay_smoke.sh <path to volley> <work folder>
set -euo pipefail

source "$(dirname "$0")/x_session.sh"
export SDL_AUDIODRIVER=dummy

volley=$1
work=$2
rm -rf "$work"
mkdir -p "$work"

"$volley" --save "$work/SaveData.dat" --record "$work/game.rpl" --keys A,W,D,S,J,K &
pid=$!
wait_for_window
sleep 1.5
key() { local command=$1; shift; xdotool "$command" --window "$wid" "$@"; }
key key j                 # fire starts the stage
sleep 0.5
key keydown j
key keydown a
sleep 1.5
key keyup a
key keydown d
sleep 1.5
key key F12
key keyup d
key key p                 # pause ...
sleep 0.5
key key p                 # ... and go on
sleep 1
key keyup j
key key Escape
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
code=0
wait "$pid" || code=$?
pid=""
[[ $code -eq 0 ]] || fail "the recorded game ended with exit code $code"

[[ -s "$work/game.rpl" ]] || fail "no replay written"
cmp -s "$work/game.rpl" "$work/last.rpl" || fail "last.rpl is not the same game"
shot=$(ls "$work"/Screenshots/volley-*.png 2>/dev/null | head -n 1)
[[ -n "$shot" ]] || fail "F12 saved no screenshot"
# ImageMagick reads it whole (a bad checksum or stream is an error) as the window's picture.
[[ $(identify -regard-warnings -format '%wx%h %k' "$shot") =~ ^445x586\ ([0-9]+)$ ]] &&
    ((BASH_REMATCH[1] > 16)) || fail "the screenshot is not a whole picture of the window"

out=$("$volley" --headless --replay "$work/game.rpl" --verify) || fail "verify failed: $out"
echo "$out"
grep -q "^stage  1$" <<<"$out" || fail "the replay is not of stage 1"
grep -q "^verified" <<<"$out" || fail "not verified"
grep -Eq "^score  [1-9]" <<<"$out" || fail "the recorded game shot nothing down"

# Byte 60 lies in the save image; 78 is the first checkpoint's, after the outcome and a one-byte
# count, and that copy gets its checksum made right again, so that only the checkpoint differs.
cp "$work/game.rpl" "$work/damaged.rpl"
printf '\x55' | dd of="$work/damaged.rpl" bs=1 seek=60 conv=notrunc status=none
python3 -c 'import sys, zlib; b = bytearray(open(sys.argv[1], "rb").read()); b[78] ^= 1
b[-4:] = zlib.crc32(bytes(b[:-4])).to_bytes(4, "little"); open(sys.argv[2], "wb").write(b)' \
    "$work/game.rpl" "$work/astray.rpl"
for check in "damaged.rpl:damaged" "astray.rpl:another way .* at frame 100$"; do
    code=0
    err=$("$volley" --headless --replay "$work/${check%%:*}" --verify 2>&1) || code=$?
    [[ $code -eq 2 ]] || fail "${check%%:*} gave exit code $code"
    grep -q "${check#*:}" <<<"$err" || fail "${check%%:*} is not refused so: $err"
done
echo "ok: the window's recording verifies headlessly; damaged and changed copies are refused"
