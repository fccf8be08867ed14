#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a Linux desktop
# or phone shell finds there, then starts the installed programs on empty
# folders: they must find their shipped data and the provider in the tree.
#   check_install.sh BUILD-DIR
# With OUTLAYSHEET_REQUIRE_DESKTOP_TOOLS=1 the validators must be installed;
# otherwise their checks are skipped when they are missing.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'if [ -n "${program:-}" ]; then kill "$program" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
prefix=$work/prefix
id=com.tillhouse.Outlaysheet

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# shellcheck source=first_start.sh
source "$(dirname "$0")/first_start.sh"

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}

for file in bin/outlaysheet bin/outlaysheet-cli bin/DurEdodavuDido.dll \
    share/outlaysheet/data/CurrencyTable.dat \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
    share/man/man1/outlaysheet.1.gz share/man/man1/outlaysheet-cli.1.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
ls "$prefix"/share/outlaysheet/images/category/*.BMP >/dev/null 2>&1 ||
    fail "the category pictures are not installed"
completion=$(find "$prefix/share" -path '*/bash-completion/completions/outlaysheet-cli')
[ -n "$completion" ] || fail "the bash completion is not installed"
bash -n "$completion" || fail "the bash completion does not parse"
# The PNG files are what their names say.
size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/48x48/apps/$id.png" | tr -s ' ')
[ "$size" = " 0 0 0 48 0 0 0 48" ] || fail "the 48x48 icon is $size"

validators=0
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop" ||
        fail "desktop-file-validate"
    validators=$((validators + 1))
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
        fail "appstreamcli validate"
    validators=$((validators + 1))
fi
if [ "$validators" -lt 2 ] && [ "${OUTLAYSHEET_REQUIRE_DESKTOP_TOOLS:-0}" = 1 ]; then
    fail "desktop-file-validate or appstreamcli is missing"
fi

# The installed command-line tool finds the provider beside it.
root=$work/root
registry=$work/registry
cli=("$prefix/bin/outlaysheet-cli" --root "$root" --registry "$registry")
"${cli[@]}" check-sync >"$work/sync.json" || fail "check-sync: $(cat "$work/sync.json")"
grep -q "\"$prefix/bin/DurEdodavuDido.dll\"" "$work/sync.json" ||
    fail "the provider was not looked for in the installed bin: $(cat "$work/sync.json")"

# The first start of the installed program installs the shipped data.
start_window "$prefix/bin/outlaysheet" "$root" "$registry" "$work/program.log"
echo "installed tree checked ($validators validators)"
