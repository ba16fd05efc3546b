#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes it read-only, and runs the installed program
# headless: it must find its files under share/volley, keep its save and last replay in the XDG
# data folder, write nothing into the prefix, and verify a kept replay.
# Usage: install_smoke.sh <cmake> <build folder> <replay file> <work folder>
set -euo pipefail
cmake=$1
build=$2
replay=$3
work=$4
source "$(dirname "$0")/common.sh"
chmod -R u+w "$work" 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
trap 'chmod -R u+w "$work" 2>/dev/null || true; [[ -z "$pid" ]] || kill -9 "$pid" 2>/dev/null' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for f in bin/volley share/volley/Data/Data.dat share/volley/Graphics/Chr.bmp \
    share/volley/Sound/Bom.wav share/volley/Music/Main.mid share/applications/volley.desktop \
    share/icons/hicolor/32x32/apps/volley.png share/icons/hicolor/128x128/apps/volley.png; do
    [[ -s "$prefix/$f" ]] || fail "$f was not installed"
done
grep -q '^Exec=volley$' "$prefix/share/applications/volley.desktop" || fail "desktop entry"
chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)

export XDG_DATA_HOME=$work/xdg
"$prefix/bin/volley" --headless &
pid=$!
poll 30 "the installed game did not start" handles_sigterm
kill -TERM "$pid"
code=0
wait "$pid" || code=$?
pid=""
[[ $code -eq 0 ]] || fail "the installed game ended with exit code $code"
[[ $(stat -c %s "$XDG_DATA_HOME/volley/SaveData.dat") -eq 42 ]] || fail "no 42-byte save in XDG"
[[ -s "$XDG_DATA_HOME/volley/last.rpl" ]] || fail "no last.rpl beside the save"

"$prefix/bin/volley" --headless --replay "$replay" --verify >/dev/null ||
    fail "the installed game does not verify $replay"
[[ "$(listing)" == "$before" ]] || fail "the installed game wrote into its prefix"
echo "ok: installed, ran read-only, saved under XDG_DATA_HOME"
