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
checks=$(dirname "$0")

# Starts the game and sets pid and wid.
start_game() {
    (cd "$game_dir" && exec ./volley --seed 1 --save "$work/SaveData.dat") &
    pid=$!
    wait_for_window
}

# Whether a screenshot of the window now shows the scene (title or stage); it is kept in $work.
shows() {
    import -window "$wid" "$work/$1.png" && "$checks/check_screenshot.sh" "$1" "$work/$1.png" \
        "$game_dir/Graphics/Back.bmp"
}

# Fails unless the game ends with exit code 0 within ten seconds.
expect_exit_zero() {
    local how=$1 code=0
    poll 10 "$how did not end the game" eval '! kill -0 "$pid"'
    wait "$pid" || code=$?
    pid=""
    [[ $code -eq 0 ]] || fail "$how: exit code $code"
    echo "ok: $how ends the game with exit code 0"
}

start_game
info=$(xwininfo -id "$wid")
grep -q 'xwininfo: Window id: .* "みるてぃあ"' <<<"$info" || fail "window name: $(head -n 2 <<<"$info")"
grep -q 'Width: 445' <<<"$info" || fail "client width is not 445"
grep -q 'Height: 586' <<<"$info" || fail "client height is not 586"
echo "ok: window \"みるてぃあ\", 445 x 586"

poll 30 "the title screen was not drawn" shows title
shows title

xdotool windowfocus --sync "$wid"
xdotool key z
poll 30 "the stage was not shown after Z" shows stage
shows stage

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

code=0
"$volley" --scale 9 2>/dev/null || code=$?
[[ $code -eq 2 ]] || fail "--scale 9: exit code $code, not 2"
echo "ok: a bad option value is refused with exit code 2"
