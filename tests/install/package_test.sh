#!/usr/bin/env bash
# package_test.sh BUILD_DIR VERSION
# Packs the built program with the build's own CPack configuration (no second build), then checks
# the package as dpkg and a user meet it: its name, control fields and dependencies, every path
# under /usr with root ownership and sane modes, the compressed manual page and documents, the
# desktop files and the program inside it answering --version. lintian, when installed, must
# report no error. 77 = skipped (no cpack, dpkg-deb or dpkg-shlibdeps).
set -euo pipefail
build=$1 version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed; skipped"; exit 77; }
done
work=$(mktemp -d /tmp/qm-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$work/out/quillmark_${version}_${arch}.deb
[ -f "$deb" ] || { ls "$work/out" >&2; fail "no $(basename "$deb")"; }

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quillmark ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = editors ] || fail "Section: $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
[[ "$(field Maintainer)" =~ ^Tarnwell\ \<[^@\ ]+@[^@\ ]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
description=$(field Description)
[ "$(head -1 <<<"$description")" = "editor for the mission files of Varnholt" ] || fail "Description: $description"
[ "$(wc -l <<<"$description")" -ge 5 ] && grep -qx ' \.' <<<"$description" || fail "no long description: $description"
[ "$(field Installed-Size)" -gt 1000 ] || fail "Installed-Size: $(field Installed-Size)"
# Dependencies: the libraries from the binary, each with a version, and the platform plugin.
depends=$(field Depends)
IFS=, read -ra relations <<<"$depends"
relations=("${relations[@]# }")
has() { local r; for r in "${relations[@]}"; do [[ "$r" = $1 ]] && return 0; done; return 1; }
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6; do
  has "$lib (>= *)" || fail "Depends lacks $lib with a version: $depends"
done
has qt6-qpa-plugins || fail "Depends lacks qt6-qpa-plugins: $depends"
! grep -Eq "lib(asan|ubsan|gtest|benchmark)" <<<"$depends" || fail "a test or sanitizer library in Depends: $depends"
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
grep -Eq '^\./(postinst|prerm|postrm|preinst)$' <<<"$control" &&
  fail "maintainer scripts: the triggers of the desktop, MIME and icon caches are enough"

# The file list: everything under /usr, owned by root, directories 755 and files 644 or 755.
dpkg-deb --contents "$deb" >"$work/contents"
awk '{ print $6 }' "$work/contents" | sed 's|/$||' | grep -v '^\.$' | sort >"$work/paths"
grep -v '^\./usr' "$work/paths" && fail "paths outside /usr"
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents" || fail "files not owned by root"
# Quick scripts are the files without write permission.
awk '$1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x|lrwxrwxrwx)$/ && !($1 == "-r--r--r--" && $6 ~ /^\.\/usr\/lib\/quillmark\/scripts\//) {
       print; bad = 1 } END { exit bad }' "$work/contents" || fail "unusual modes"
grep -q '^-r--r--r-- .* \./usr/lib/quillmark/scripts/[^/]*\.sqs$' "$work/contents" || fail "the quick scripts are writable"
for path in ./usr/bin/quillmark ./usr/lib/quillmark/quillmark ./usr/lib/quillmark/quillmark.installed \
            ./usr/lib/quillmark/data/original/commands.txt ./usr/lib/quillmark/data/resistance/unit.txt \
            ./usr/lib/quillmark/data/syntax.txt ./usr/lib/quillmark/data/header.txt \
            ./usr/lib/quillmark/help/quillmark.html ./usr/lib/quillmark/comref/comref.html \
            ./usr/lib/quillmark/snippets ./usr/lib/quillmark/scripts \
            ./usr/share/applications/quillmark.desktop ./usr/share/mime/packages/quillmark.xml \
            ./usr/share/metainfo/example.tarnwell.quillmark.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/quillmark.svg \
            ./usr/share/icons/hicolor/16x16/apps/quillmark.png ./usr/share/icons/hicolor/256x256/apps/quillmark.png \
            ./usr/share/man/man1/quillmark.1.gz ./usr/share/doc/quillmark/copyright \
            ./usr/share/doc/quillmark/changelog.gz; do
  grep -qxF "$path" "$work/paths" || fail "missing $path"
done
grep -E '/(core_tests|ui_tests|fuzz_replay_tests|desktopgen|comrefgen|[a-z_]*bench)$|\.(a|h|o|cmake)$' "$work/paths" &&
  fail "build tools, tests or build files in the package"
grep -q ' ./usr/bin/quillmark -> ../lib/quillmark/quillmark$' "$work/contents" || fail "/usr/bin/quillmark is no relative link"

# Unpacked: the program answers, the manual page and documents are as dpkg and man want them.
root=$work/root
dpkg-deb -x "$deb" "$root"
[ "$("$root/usr/bin/quillmark" --version)" = "Quillmark $version" ] || fail "--version of the packed program"
if command -v readelf >/dev/null; then
  grep -q '\.symtab' <(readelf -S "$root/usr/lib/quillmark/quillmark") && fail "the packed program is not stripped"
fi
for gz in "$root/usr/share/man/man1/quillmark.1.gz" "$root/usr/share/doc/quillmark/changelog.gz"; do
  gzip -t "$gz" || fail "$gz is no gzip file"
  # -n: neither the name nor the time is stored (bytes 4 to 7 are the time).
  [ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ')" = 0000000000 ] || fail "$gz carries a name or time stamp"
done
zcat "$root/usr/share/man/man1/quillmark.1.gz" | grep -q "^\.TH QUILLMARK 1 \"[0-9-]*\" \"Quillmark $version\"" ||
  fail "the manual page does not name version $version"
zcat "$root/usr/share/doc/quillmark/changelog.gz" | head -1 | grep -qF "quillmark ($version) " ||
  fail "the changelog's first entry is not version $version"
if command -v man >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/quillmark.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns: $warnings"
fi
grep -qx 'Exec=quillmark %f' "$root/usr/share/applications/quillmark.desktop" || fail "Exec= is not plain"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/quillmark.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --explain "$root/usr/share/metainfo/example.tarnwell.quillmark.metainfo.xml" || fail "appstreamcli validate"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian reports errors"
else
  echo "lintian is not installed; its check was skipped"
fi
echo "$(basename "$deb"): $(wc -l <"$work/paths") paths, Depends: $depends"
