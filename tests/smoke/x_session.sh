# Shared by the smoke tests that run the real game in a virtual X server; sourced after
# "set -euo pipefail" and before anything else.

# Runs the calling script again inside a virtual X server, once. The server must not reset when its
# last client leaves: a game started while it resets (the one after another) cannot connect.
if [[ -z "${SMOKE_INSIDE_X:-}" ]]; then
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

# In a sanitizer build: the X libraries that SDL loads and unloads at run time keep allocations
# that LeakSanitizer can no longer name at exit. The game's own code is leak-checked by the unit
# tests; here only the other sanitizer checks apply.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Sets wid to the shown window of the game started as $pid; a sanitizer build on a busy machine
# can take many seconds to show it.
wait_for_window() {
    wid=""
    for _ in $(seq 1 600); do
        kill -0 "$pid" 2>/dev/null || fail "the game exited at start-up"
        wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
        [[ -n "$wid" ]] && return
        sleep 0.1
    done
    fail "no window appeared"
}
