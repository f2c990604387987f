#!/usr/bin/env bash
# realwindow.sh BUILD_DIR FILE: the real program and a bare QPlainTextEdit window, each under its
# own Xvfb, open FILE; xdotool types one key at a time and the time until the title shows "*" is
# printed (each key is undone before the next, so every key is a first change).
# Run it under the build lock on a shared machine: flock /tmp/quillmark-build.lock bench/realwindow.sh build big.sqs
set -u
build=$1; file=$2; name=$(basename "$file")
measure() {  # measure LABEL COMMAND...
    local label=$1; shift
    # Xvfb picks a display nobody uses and names it once it accepts connections (-displayfd), so a
    # display held by another run or a stale lock file is never taken over.
    local shown; shown=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$shown" >/dev/null 2>&1 & local xvfb=$!
    local tries=0
    until [ -s "$shown" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 200 ] || ! kill -0 $xvfb 2>/dev/null; then
            echo "$label: Xvfb did not start" >&2; kill $xvfb 2>/dev/null; rm -f "$shown"; return 1
        fi
        sleep 0.05
    done
    export DISPLAY=:$(head -1 "$shown"); rm -f "$shown"
    local cfg; cfg=$(mktemp -d)
    local t0; t0=$(date +%s.%N)
    QUILLMARK_CONFIG_DIR=$cfg XDG_STATE_HOME=$cfg/state "$@" >/dev/null 2>&1 & local app=$!
    until xdotool search --name "^$name" >/dev/null 2>&1 || xdotool search --name "\\[?$name\\]?" >/dev/null 2>&1; do
        if ! kill -0 $app 2>/dev/null; then
            echo "$label: the program ended before its window showed" >&2; kill $xvfb 2>/dev/null; rm -rf "$cfg"; return 1
        fi
        sleep 0.05
    done
    echo "$label: window after $(echo "$(date +%s.%N) - $t0" | bc) s, peak $(grep VmHWM /proc/$app/status | awk '{print int($2/1024)}') MB"
    sleep 2
    xdotool search --name "$name" | head -1 | xargs -I{} xdotool windowfocus --sync {} 2>/dev/null
    for k in 1 2 3; do
        local t1; t1=$(date +%s.%N)
        xdotool key x
        until xdotool search --name "$name\\*" >/dev/null 2>&1; do sleep 0.005; done
        echo "$label: keystroke $k until \"*\": $(echo "($(date +%s.%N) - $t1) * 1000" | bc | cut -d. -f1) ms"
        xdotool key ctrl+z
        until ! xdotool search --name "$name\\*" >/dev/null 2>&1; do sleep 0.05; done
    done
    kill $app $xvfb 2>/dev/null; wait $app $xvfb 2>/dev/null
    rm -rf "$cfg"
}
measure quillmark "$build/quillmark" "$file"
measure bare "$build/bench/editor_bench" --child window bare "$file"
