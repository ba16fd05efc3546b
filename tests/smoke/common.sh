# Shared by the smoke tests of the real game; sourced after "set -euo pipefail".

pid=""
fail() { echo "FAIL: $*" >&2; exit 1; }
# A failing check must not leave the game running: the test would wait for it forever.
trap 'if [[ -n "$pid" ]]; then kill -9 "$pid" 2>/dev/null || true; fi' EXIT

# Runs a command every tenth of a second until it succeeds, for at most the given seconds (a
# sanitizer build on a busy machine can be many times slower than usual); fails with the message.
poll() {
    local seconds=$1 message=$2
    shift 2
    for _ in $(seq 1 $((seconds * 10))); do
        "$@" >/dev/null 2>&1 && return
        sleep 0.1
    done
    fail "$message"
}

# Whether the game started as $pid has taken SIGTERM over (its 15th signal bit is caught), so that
# a SIGTERM now ends it by its own way out, saving first.
handles_sigterm() {
    local caught
    caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status") || return 1
    (((16#$caught >> 14) & 1))
}
