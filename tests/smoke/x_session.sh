# Shared by the smoke tests that run the real game in a virtual X server; sourced after
# "set -euo pipefail" and before anything else.

# Runs the calling script again inside a virtual X server, once.
if [[ -z "${SMOKE_INSIDE_X:-}" ]]; then
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# In a sanitizer build: the X libraries that SDL loads and unloads at run time keep allocations
# that LeakSanitizer can no longer name at exit. The game's own code is leak-checked by the unit
# tests; here only the other sanitizer checks apply.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

pid=""
fail() { echo "FAIL: $*" >&2; exit 1; }
# A failing check must not leave the game running: the test would wait for it forever.
trap 'if [[ -n "$pid" ]]; then kill -9 "$pid" 2>/dev/null || true; fi' EXIT

# Waits for the window of the game started as $pid and sets wid.
wait_for_window() {
    wid=""
    # A sanitizer build on a busy machine can take many seconds to open its window.
    for _ in $(seq 1 300); do
        wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1 || true)
        [[ -n "$wid" ]] && return
        kill -0 "$pid" 2>/dev/null || fail "the game exited at start-up"
        sleep 0.1
    done
    fail "no window appeared"
}
