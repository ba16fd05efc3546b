#!/usr/bin/env bash
# Records a game played with real key presses in the window of a virtual X server, with a pause,
# a screenshot and remapped keys, then checks that the recording verifies headlessly, that F12
# left a PNG beside the save, and that a damaged copy of the recording is refused with exit code 2.
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
ls "$work"/Screenshots/volley-*.png >/dev/null 2>&1 || fail "F12 saved no screenshot"

out=$("$volley" --headless --replay "$work/game.rpl" --verify) || fail "verify failed: $out"
echo "$out"
grep -q "^stage  1$" <<<"$out" || fail "the replay is not of stage 1"
grep -q "^verified" <<<"$out" || fail "not verified"
grep -Eq "^score  [1-9]" <<<"$out" || fail "the recorded game shot nothing down"

cp "$work/game.rpl" "$work/damaged.rpl"
printf '\x55' | dd of="$work/damaged.rpl" bs=1 seek=60 conv=notrunc status=none
code=0
err=$("$volley" --headless --replay "$work/damaged.rpl" --verify 2>&1) || code=$?
[[ $code -eq 2 ]] || fail "a damaged replay gave exit code $code"
grep -q "damaged" <<<"$err" || fail "the damage is not named: $err"
echo "ok: the window's recording verifies headlessly; a damaged copy is refused"
