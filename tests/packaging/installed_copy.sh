#!/usr/bin/env bash
# Installs the build into a fresh prefix, as root, and uses it as an ordinary
# user who cannot write the program folder: the command, the window, the
# saved font and the update notice must all work, and the menu entry and the
# AppStream metainfo must validate.
# Usage: installed_copy.sh BUILD_DIR WINDOW_TEST_BINARY VERSION
set -u
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: switching to an ordinary user needs root"; exit 77
fi
build=$1 window_test=$2 expected_version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
status=0
fail() { echo "FAIL: $*"; status=1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

folder=$(dirname "$(readlink -f "$prefix/bin/velmor")")
share=$prefix/share id=example.velmor.Velmor
for file in "$folder/zarqen.zq" "$folder/fonts/uthmanic-hafs-v22.ttf" "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml" \
            "$share/icons/hicolor/scalable/apps/$id.svg" "$share/doc/velmor/DATA.md" "$share/doc/velmor/LICENSE"; do
  [ -f "$file" ] || fail "not installed: ${file#"$prefix"/}"
done
desktop-file-validate "$share/applications/$id.desktop" || fail "the menu entry does not validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "the metainfo does not validate"

# An ordinary user with a home of their own; root would ignore permissions.
user=nobody
home=$work/home
mkdir -p "$home/runtime" && chmod 700 "$home/runtime" && chown -R "$user" "$home"
as_user() {
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$@"
}
touch "$work/stamp"

version=$(as_user "$prefix/bin/velmor" --version) || fail "--version failed"
[ "$version" = "Velmor $expected_version" ] || fail "--version printed: $version"
search=$(as_user "$prefix/bin/velmor" --search "الله" --sura 1) || fail "--search failed: $search"
[ "$(printf '%s\n' "$search" | head -n1)" = "الفاتحة : 1" ] || fail "--search printed: $search"

# The Uthmani text in the font installed beside the program: an image of it
# differs from one in the simple script's face (it would be the same face if
# the font were not found).
as_user "$prefix/bin/velmor" --aya 2:255 --script uthmani >/dev/null || fail "--aya --script uthmani failed"
as_user "$prefix/bin/velmor" --image "$home/u.png" --aya 112:1 --script uthmani 2>"$work/image.log" ||
  fail "--image failed: $(cat "$work/image.log")"
as_user env QT_LOGGING_RULES="velmor.*=true" "$prefix/bin/velmor" --image "$home/u2.png" --aya 112:1 \
  --script uthmani 2>&1 | grep -q "Uthmani font cannot be loaded" && fail "the installed Uthmani font was not loaded"
[ -s "$home/u.png" ] || fail "no image was written"

as_user env VELMOR_INSTALLED_PROGRAM_FOLDER="$folder" "$window_test" || fail "the window test failed"
[ -f "$home/.config/Velmor/all.txt" ] || fail "the font was not saved in the user's configuration folder"

# Root, who could write the program folder, keeps its files in its own home
# too: an installed copy writes nothing beside the program.
roothome=$work/roothome
mkdir -p "$roothome/runtime" && chmod 700 "$roothome/runtime"
env -i PATH=/usr/bin:/bin HOME="$roothome" XDG_CONFIG_HOME="$roothome/.config" \
  XDG_RUNTIME_DIR="$roothome/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
  VELMOR_INSTALLED_PROGRAM_FOLDER="$folder" "$window_test" || fail "the window test failed as root"
[ -f "$roothome/.config/Velmor/all.txt" ] || fail "root's font was not saved in root's configuration folder"
[ -e "$folder/all.txt" ] && fail "root's font was saved beside the installed program"

written=$(find "$prefix" -newer "$work/stamp")
[ -z "$written" ] || fail "written into the installed tree: $written"
[ $status -eq 0 ] && echo "ok: the installed copy works for an ordinary user"
exit $status
