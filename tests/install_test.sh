#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/lib/hopscoot/hopscoot"
test "$(readlink "$prefix/bin/hopscoot")" = "../lib/hopscoot/hopscoot"
test -f "$prefix/share/icons/hicolor/32x32/apps/hopscoot.xpm"
entry="$prefix/share/applications/hopscoot.desktop"
desktop-file-validate "$entry"
grep -qx "Exec=\"$prefix/lib/hopscoot/hopscoot\"" "$entry"
grep -qx 'GenericName=Hopscoot ランチャー' "$entry"
grep -qx 'Comment=ランチャー' "$entry"
echo "install: 1 passed, 0 failed"
