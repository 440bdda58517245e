#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into a private prefix: the layout of the program folder
# and the launchers, and the menu entries, icons and metainfo, which must pass
# desktop-file-validate and appstreamcli validate.
# Usage: installed_files_test.sh <build folder>
set -euo pipefail
BUILD=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
P=$T/prefix
cmake --install "$BUILD" --prefix "$P" >"$T/install.txt" || { cat "$T/install.txt"; fail "cmake --install"; }

for f in Study Manager bankctl reg.ocx word.ocx help.html; do
  [ -f "$P/lib/quillmere/$f" ] || fail "lib/quillmere/$f not installed"
done
for pair in quillmere-study:Study quillmere-manager:Manager quillmere-bankctl:bankctl; do
  link=$P/bin/${pair%%:*}
  [ -L "$link" ] || fail "$link is not a link"
  case $(readlink "$link") in /*) fail "$link is absolute, so it breaks in a staged root";; esac
  [ "$(readlink -f "$link")" = "$(readlink -f "$P/lib/quillmere/${pair#*:}")" ] || fail "$link points elsewhere"
done

status=0
for id in org.quillmere.Study org.quillmere.Manager; do
  desktop=$P/share/applications/$id.desktop
  metainfo=$P/share/metainfo/$id.metainfo.xml
  desktop-file-validate "$desktop" || { echo "desktop-file-validate failed on $desktop"; status=1; }
  appstreamcli validate --no-net --explain "$metainfo" || { echo "appstreamcli failed on $metainfo"; status=1; }
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -L "$P/bin/$exec" ] || { echo "$id: Exec=$exec is not an installed launcher"; status=1; }
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ "$icon" = "$id" ] || { echo "$id: Icon=$icon"; status=1; }
  [ -f "$P/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "$id: no scalable icon"; status=1; }
  for size in 16 24 32 48 64 128 256; do
    png=$P/share/icons/hicolor/${size}x$size/apps/$icon.png
    head -c 24 "$png" 2>/dev/null | tail -c 8 | od -An -tu1 >"$T/dims" || true
    # The PNG header's width and height must match the folder it lies in.
    read -r _ _ w1 w0 _ _ h1 h0 <"$T/dims" || { echo "$png missing"; status=1; continue; }
    [ $((w1 * 256 + w0)) -eq "$size" ] && [ $((h1 * 256 + h0)) -eq "$size" ] ||
      { echo "$png is not $size x $size"; status=1; }
  done
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    { echo "$id: metainfo names another desktop entry"; status=1; }
done
[ $status -eq 0 ] || fail "installed files"
echo ok
