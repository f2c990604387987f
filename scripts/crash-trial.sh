#!/usr/bin/env bash
# crash-trial.sh [ROUNDS] [BUILD_DIR]: the real program under Xvfb is typed into (an untitled
# script, a saved script edited further and a 10 MB script), killed with SIGKILL at a random moment,
# started again and told to recover. Each recovered text must hold everything typed up to 2 s
# before the kill. Run by hand, not in CI; on a shared machine under the build lock:
#   flock /tmp/quillmark-build.lock scripts/crash-trial.sh 20
# SHOTS=folder keeps a picture of the first round's recovery dialog there.
set -u
rounds=${1:-20}
build=${2:-build}
prog=$(realpath "$build/quillmark")
for tool in Xvfb xdotool python3; do
  command -v $tool >/dev/null || { echo "crash-trial: $tool is missing (apt-get install xvfb xdotool python3)"; exit 2; }
done
export DISPLAY=:$((70 + RANDOM % 20))
Xvfb "$DISPLAY" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
app=
trap 'kill -9 $app 2>/dev/null; kill $xvfb 2>/dev/null; cp "$work/app.log" "${TMPDIR:-/tmp}/crash-trial-app.log"; rm -rf "$work"' EXIT
sleep 1

now() { date +%s.%N; }
start_app() {  # start_app FILE...: the program with this trial's own folders
  XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run QUILLMARK_CONFIG_DIR=$work/cfg \
    QUILLMARK_INSTANCE_SOCKET=$work/run/socket WINEPREFIX=$work/nowine "$prog" "$@" >>"$work/app.log" 2>&1 &
  app=$!
}
focus() {  # focus TITLE-PATTERN: waits for the window, gives it the keyboard
  local wid
  wid=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -1)
  [ -n "$wid" ] && xdotool windowfocus --sync "$wid" 2>/dev/null
}
word() { tr -dc 'a-z' </dev/urandom | head -c $((3 + RANDOM % 6)); }

python3 - "$work/big.sqs" <<'PY'
import sys
with open(sys.argv[1], 'w', newline='') as f:
    i = 0
    while f.tell() < 10_000_000:
        f.write(f'_unit{i} addWeapon "Karveth"; hint format ["Step {i}", _i]\r\n'); i += 1
PY

failed=0
for round in $(seq 1 "$rounds"); do
  rm -rf "$work/state" "$work/files" "$work/run" "$work/cfg" "$work/typed.log"
  mkdir -p "$work/files" "$work/run" && chmod 700 "$work/run"
  printf 'hint "saved"\r\n' >"$work/files/saved.sqs"
  cp "$work/big.sqs" "$work/files/big.sqs"
  start_app "$work/files/saved.sqs" "$work/files/big.sqs"
  focus "Quillmark" || { echo "round $round: no window"; failed=$((failed + 1)); kill -9 $app; continue; }
  sleep 1
  xdotool key ctrl+n          # the untitled script, now the active window
  sleep 0.5
  # F6 goes to the next window in the order they were opened: saved.sqs, big.sqs, the untitled one.
  doc=2
  declare -A visited=()
  kill_at=$(echo "$(now) + 4 + $RANDOM % 10 + ($RANDOM % 1000) / 1000" | bc)
  while (($(echo "$(now) < $kill_at" | bc))); do
    if [ -z "${visited[$doc]:-}" ]; then xdotool key ctrl+End; visited[$doc]=1; fi
    chunk="$(word) "
    xdotool type --delay 12 "$chunk"
    printf '%s\t%s\t%s\n' "$doc" "$(now)" "$chunk" >>"$work/typed.log"
    ((RANDOM % 4 == 0)) && sleep "0.$((RANDOM % 10))$((RANDOM % 10))"
    ((RANDOM % 5 == 0)) && sleep "$((RANDOM % 3)).$((RANDOM % 10))"
    if ((RANDOM % 3 == 0)); then xdotool key F6; doc=$(((doc + 1) % 3)); sleep 0.1; fi
  done
  kill -9 $app
  killed=$(now)
  wait $app 2>/dev/null
  # Again, recovering: Recover is the dialog's default button.
  start_app
  focus "Recover Unsaved Work" || { echo "round $round: no recovery dialog"; failed=$((failed + 1)); kill -9 $app; continue; }
  if [ "$round" = 1 ] && [ -n "${SHOTS:-}" ]; then mkdir -p "$SHOTS"; sleep 0.5; import -window root "$SHOTS/recovery-dialog.png"; fi
  xdotool key Return
  # The recovered documents are this process's now: their copies are written again from the
  # editor's text once it has rested, and those are what the check reads.
  sleep 5
  kill -9 $app
  wait $app 2>/dev/null
  python3 - "$work" "$killed" "$round" <<'PY' || failed=$((failed + 1))
import os, sys
work, killed, rnd = sys.argv[1], float(sys.argv[2]), sys.argv[3]

def parse(data):
    assert data.startswith(b"Quillmark recovery 1\n")
    pos, fields = len(b"Quillmark recovery 1\n"), {}
    for key in (b"path", b"kind", b"title", b"time", b"disk", b"text"):
        eol = data.index(b"\n", pos)
        k, n = data[pos:eol].split(b" ")
        assert k == key
        n = int(n)
        fields[key.decode()] = data[eol + 1:eol + 1 + n]
        pos = eol + 2 + n
    assert data[pos:] == b"end\n"
    return fields

folder = os.path.join(work, "state/quillmark/recovery")
recovered = {}
for name in os.listdir(folder):
    if name.endswith(".qmrecover"):
        f = parse(open(os.path.join(folder, name), "rb").read())
        recovered[f["path"].decode()] = f["text"]
typed = {0: "", 1: "", 2: ""}
needed = {0: 0, 1: 0, 2: 0}
for line in open(os.path.join(work, "typed.log")):
    doc, when, chunk = line.rstrip("\n").split("\t")
    doc = int(doc)
    typed[doc] += chunk
    if float(when) <= killed - 2:
        needed[doc] = len(typed[doc])
files = os.path.join(work, "files")
base = {0: open(os.path.join(files, "saved.sqs"), "rb").read(), 1: None, 2: None}
paths = {0: os.path.join(files, "saved.sqs"), 1: os.path.join(files, "big.sqs"), 2: ""}
ok, report = True, []
for doc in (0, 1, 2):
    text = recovered.get(paths[doc])
    if text is None:
        # Nothing typed that had to be kept: no copy is right too.
        good = needed[doc] == 0
        report.append(f"{['saved', 'big', 'untitled'][doc]} none (needed {needed[doc]})")
    else:
        t = typed[doc].encode()
        # The recovered text is the document's first text followed by some of what was typed.
        k = next((k for k in range(len(t), -1, -1) if text.endswith(t[:k])), 0)
        if doc == 1:
            good = text[:len(text) - k] == open(os.path.join(files, "big.sqs"), "rb").read()
        elif doc == 0:
            good = text[:len(text) - k] == base[0]
        else:
            good = True
        good = good and k >= needed[doc]
        report.append(f"{['saved', 'big', 'untitled'][doc]} {k}/{len(t)} chars (needed {needed[doc]})")
    ok = ok and good
print(f"round {rnd}: {'ok' if ok else 'LOST WORK'}: " + "; ".join(report))
sys.exit(0 if ok else 1)
PY
done
echo "crash trial: $rounds rounds, $failed with lost work or no recovery"
[ "$failed" = 0 ]
