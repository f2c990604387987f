#!/usr/bin/env bash
# install_test.sh CMAKE BUILD_DIR layout|validate
#   layout:   installs into a temporary prefix, checks what lies where, starts the installed
#             program offscreen with a file and sees it open the file with a per-user data copy.
#   validate: desktop-file-validate, appstream-util and appstreamcli on the installed files (77 = skipped).
set -euo pipefail
cmake_bin=$1 build=$2 what=$3
work=$(mktemp -d /tmp/qm-install-test.XXXXXX)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake_bin" --install "$build" --prefix "$prefix" >/dev/null

if [ "$what" = validate ]; then
  command -v desktop-file-validate >/dev/null && command -v appstream-util >/dev/null || {
    echo "desktop-file-validate or appstream-util is not installed; skipped"; exit 77; }
  desktop-file-validate "$prefix/share/applications/quillmark.desktop"
  appstream-util validate-relax --nonet "$prefix/share/metainfo/example.tarnwell.quillmark.metainfo.xml"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --explain "$prefix/share/metainfo/example.tarnwell.quillmark.metainfo.xml"
  fi
  exit 0
fi

lib=$prefix/lib/quillmark
for f in "$lib/quillmark" "$lib/quillmark.installed" "$lib/data/resistance/commands.txt" \
         "$lib/data/original/unit.txt" "$lib/data/syntax.txt" "$lib/data/header.txt" \
         "$lib/comref/comref.html" "$lib/help/quillmark.html" \
         "$prefix/share/applications/quillmark.desktop" "$prefix/share/mime/packages/quillmark.xml" \
         "$prefix/share/metainfo/example.tarnwell.quillmark.metainfo.xml" "$prefix/share/icons/hicolor/scalable/apps/quillmark.svg" \
         "$prefix/share/icons/hicolor/16x16/apps/quillmark.png" "$prefix/share/icons/hicolor/256x256/apps/quillmark.png"; do
  [ -f "$f" ] || fail "missing $f"
done
[ -d "$lib/snippets" ] && [ -d "$lib/scripts" ] || fail "missing snippets/ or scripts/"
[ -L "$prefix/bin/quillmark" ] && [ -x "$prefix/bin/quillmark" ] || fail "no launcher on bin/"

# The installed program, started from the launcher on PATH with a relative file name.
mkdir -p "$work/missions" "$work/xdg" "$work/cfg" "$work/run"
printf 'hint "installed"\r\n' > "$work/missions/test.sqs"
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$work/xdg XDG_STATE_HOME=$work/state QUILLMARK_CONFIG_DIR=$work/cfg \
       QUILLMARK_INSTANCE_SOCKET=$work/run/socket XDG_RUNTIME_DIR=$work/run WINEPREFIX=$work/nowine
cd "$work/missions"
PATH=$prefix/bin:$PATH quillmark test.sqs 2>"$work/stderr" &
pid=$!
for _ in $(seq 200); do
  grep -qs "File1=$work/missions/test.sqs" "$work/cfg/HKEY_CURRENT_USER.ini" && break
  kill -0 "$pid" 2>/dev/null || { cat "$work/stderr" >&2; fail "the installed program ended"; }
  sleep 0.05
done
grep -qs "File1=$work/missions/test.sqs" "$work/cfg/HKEY_CURRENT_USER.ini" || fail "the file was not opened"
user=$work/xdg/quillmark
[ -f "$user/data/resistance/commands.txt" ] && [ -f "$user/quillmark-user-copy.txt" ] || fail "no per-user data copy"
cmp -s "$user/data/syntax.txt" "$lib/data/syntax.txt" || fail "the per-user copy differs from the installed files"
[ -d "$user/snippets" ] && [ -d "$user/scripts" ] || fail "no per-user snippets/ or scripts/"
for script in "$lib"/scripts/*.sqs "$user"/scripts/*.sqs; do
  [ ! -e "$script" ] || [ "$(stat -c %a "$script")" = 444 ] || fail "$script is no quick script: it can be written"
done
echo "installed into $prefix; the program opened the file with its data in $user"
