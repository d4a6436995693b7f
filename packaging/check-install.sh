#!/usr/bin/env bash
# Installs the build in $1 into a temporary prefix and checks the installed programs from
# another working folder: versions and help without a display, vantrel-cli's dump in
# English, vantrel opening a document given on its command line, and the validators of the
# desktop entry, the AppStream data and the file types. $2 is the source folder.
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME" "$work/elsewhere"
chmod 700 "$XDG_RUNTIME_DIR"
unset VANTREL_LANG
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$work/elsewhere"
id=de.vantrel_messtechnik.Vantrel

for f in bin/vantrel-cli bin/vantrel-sim share/vantrel/mvdl4.ini share/vantrel/start.bmp \
         share/vantrel/lang_res/GER.txt share/vantrel/lang_res/ENG.txt \
         share/applications/$id.desktop share/mime/packages/$id.xml \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/man/man1/vantrel.1.gz share/man/man1/vantrel-cli.1.gz share/man/man1/vantrel-sim.1.gz \
         share/bash-completion/completions/vantrel-cli; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
gui=0
[ -x "$prefix/bin/vantrel" ] && gui=1
if [ $gui = 1 ]; then
  for size in 16 22 24 32 48 64 128 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "icon ${size}x${size} missing"
  done
fi

# Help and version need no display.
programs=(vantrel-cli vantrel-sim)
[ $gui = 1 ] && programs+=(vantrel)
for program in "${programs[@]}"; do
  version="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version)" ||
    fail "$program --version exits non-zero"
  [ "$version" = "$program (Vantrel) $(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")" ] ||
    fail "$program --version printed '$version'"
  help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help)" ||
    fail "$program --help exits non-zero"
  grep -q "usage: $program" <<<"$help" || fail "$program --help printed '$help'"
done

# vantrel-cli finds its language texts in the installed tree.
sample="$source/tests/data/import/online_three_channels.vqo"
"$prefix/bin/vantrel-cli" --lang ENG dump "$sample" --no-samples >dump.json || fail "dump exits non-zero"
grep -q '"imported":' dump.json || fail "dump printed no document"
status=0
"$prefix/bin/vantrel-cli" --lang ENG dump missing.vqb 2>error.txt || status=$?
[ $status = 1 ] || fail "dump of a missing file exits $status"
# "not found" names the file in front of the English text (%1 is replaced by the name).
english="$(sed -n 's/^33000=%1\\n//p' "$source/lang_res/ENG.txt")"
[ -n "$english" ] || fail "no English text 33000 in the language files"
grep -qF "33000: missing.vqb $english" error.txt || fail "dump error not in English: $(cat error.txt)"
"$prefix/bin/vantrel-cli" convert "$sample" "Pumpe 3.vqb" || fail "convert exits non-zero"
# vantrel-cli links no Qt; PNG and PDF come from its helper in libexec.
if readelf -d "$prefix/bin/vantrel-cli" | grep -q 'NEEDED.*Qt'; then fail "vantrel-cli links Qt"; fi
if [ $gui = 1 ]; then
  [ -x "$prefix/libexec/vantrel-cli-pictures" ] || fail "not installed: libexec/vantrel-cli-pictures"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantrel-cli" render "Pumpe 3.vqb" chart.png ||
    fail "render to PNG exits non-zero"
  [ "$(head -c 4 chart.png | tail -c 3)" = "PNG" ] || fail "render wrote no PNG"
fi

# The window program opens a document named on its command line.
if [ $gui = 1 ]; then
  titles="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/vantrel" --no-start-picture --list-windows "Pumpe 3.vqb")" ||
    fail "vantrel exits non-zero"
  grep -q "Pumpe 3.vqb" <<<"$titles" || fail "vantrel shows no window for the file: '$titles'"
fi

# Validators of the desktop integration files.
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >validate.txt 2>&1 ||
  { cat validate.txt; fail "appstreamcli validate"; }
mkdir -p mime/packages
cp "$prefix/share/mime/packages/$id.xml" mime/packages/
update-mime-database -V mime >mime.txt 2>&1 || { cat mime.txt; fail "update-mime-database"; }
grep -q "application/x-vantrel-archive" mime/types || fail "archive file type not registered"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree: all checks passed"
