#!/usr/bin/env bash
# Runs the real game in a virtual X server: checks the window's name and size, looks at a
# screenshot, and ends the game once with Escape and once with a window-close request.
# Usage: window_smoke.sh <path to volley> <wm_delete tool> <work folder>
set -euo pipefail

source "$(dirname "$0")/x_session.sh"

# Sound is tested on its own; here it must not depend on the machine having a sound card.
export SDL_AUDIODRIVER=dummy

volley=$1
wm_delete=$2
work=$3
mkdir -p "$work"
game_dir=$(dirname "$volley")

# Starts the game and sets pid and wid.
start_game() {
    (cd "$game_dir" && exec ./volley --seed 1 --save "$work/SaveData.dat") &
    pid=$!
    wait_for_window
    sleep 1.5  # let a few dozen frames go by
}

# Waits up to a second for the game to end; fails unless it ends with exit code 0.
expect_exit_zero() {
    local how=$1
    for _ in $(seq 1 20); do
        if ! kill -0 "$pid" 2>/dev/null; then
            local code=0
            wait "$pid" || code=$?
            [[ $code -eq 0 ]] || fail "$how: exit code $code"
            echo "ok: $how ends the game with exit code 0"
            return
        fi
        sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null || true
    fail "$how did not end the game within a second"
}

start_game
info=$(xwininfo -id "$wid")
grep -q 'xwininfo: Window id: .* "みるてぃあ"' <<<"$info" || fail "window name: $(head -n 2 <<<"$info")"
grep -q 'Width: 445' <<<"$info" || fail "client width is not 445"
grep -q 'Height: 586' <<<"$info" || fail "client height is not 586"
echo "ok: window \"みるてぃあ\", 445 x 586"

shot="$work/title.png"
import -window "$wid" "$shot"
"$(dirname "$0")/check_screenshot.sh" title "$shot" "$game_dir/Graphics/Back.bmp"

xdotool windowfocus --sync "$wid"
xdotool key z
sleep 1
shot="$work/stage.png"
import -window "$wid" "$shot"
"$(dirname "$0")/check_screenshot.sh" stage "$shot" "$game_dir/Graphics/Back.bmp"

# Typed as a player would, into the focused window. The game may be gone before the key's release
# is sent, which xdotool reports as an error: only the game's own exit counts.
rm -f "$work/SaveData.dat"
xdotool key Escape 2>/dev/null || true
expect_exit_zero "Escape"
[[ $(stat -c %s "$work/SaveData.dat" 2>/dev/null) == 42 ]] || fail "no 42-byte save file at exit"
echo "ok: the save file is written at exit"

start_game
"$wm_delete" "$wid"
expect_exit_zero "a window-close request"

start_game
kill -TERM "$pid"
expect_exit_zero "SIGTERM"

# A game folder without its data file: one line naming the file, exit code 1, nothing created.
broken="$work/broken"
rm -rf "$broken"
cp -r "$game_dir" "$broken"
rm "$broken/Data/Data.dat"
code=0
message=$("$broken/volley" 2>&1) || code=$?
[[ $code -eq 1 ]] || fail "missing data file: exit code $code"
[[ "$message" == "volley: cannot open $broken/Data/Data.dat: No such file or directory" ]] ||
    fail "missing data file: said '$message'"
[[ ! -e "$broken/Data/Data.dat" ]] || fail "missing data file: it was created"
echo "ok: a missing data file is named, exit code 1"

code=0
"$volley" --scale 9 2>/dev/null || code=$?
[[ $code -eq 2 ]] || fail "--scale 9: exit code $code, not 2"
echo "ok: a bad option value is refused with exit code 2"
