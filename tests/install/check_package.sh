#!/usr/bin/env bash
# Builds the Debian package from the built tree (nothing is compiled), checks
# it with lintian, unpacks it and runs the unpacked programs on empty folders.
#   check_package.sh BUILD-DIR VERSION
# VERSION is the build's; the package, `outlaysheet-cli --version` and the
# AppStream release must all name it.
# Without dpkg-deb, dpkg-shlibdeps, lintian, file or strip the check is
# skipped (status 77), unless OUTLAYSHEET_REQUIRE_PACKAGE_TOOLS=1 requires them.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'if [ -n "${program:-}" ]; then kill "$program" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# shellcheck source=first_start.sh
source "$(dirname "$0")/first_start.sh"

missing=()
for tool in cpack dpkg-deb dpkg-shlibdeps lintian file strip; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    [ "${OUTLAYSHEET_REQUIRE_PACKAGE_TOOLS:-0}" = 1 ] && fail "missing: ${missing[*]}"
    echo "SKIP: the package check needs ${missing[*]} (Debian packages dpkg-dev, lintian," \
        "file, binutils)"
    exit 77
fi

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
packages=("$work"/cpack/outlaysheet_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made: ${packages[*]}"
package=${packages[0]}
architecture=$(dpkg --print-architecture)
[ "$(basename "$package")" = "outlaysheet_${version}_${architecture}.deb" ] ||
    fail "the package is named $(basename "$package")"
[ "$(dpkg-deb -f "$package" Version)" = "$version" ] ||
    fail "the package's version is $(dpkg-deb -f "$package" Version)"
# Everything under /usr, nothing from the build machine's folders.
outside=$(dpkg-deb -c "$package" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./' || true)
[ -z "$outside" ] || fail "the package holds files outside /usr: $outside"

# Every tag lintian raises, down to the informational ones, is either fixed or
# kept with its reason in the package's own overrides file.
lintian --fail-on error,warning,info --display-info "$package" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log" >&2
    fail "lintian"
}

unpacked=$work/unpacked
dpkg-deb -x "$package" "$unpacked"
bin=$unpacked/usr/bin
[ "$("$bin/outlaysheet-cli" --version)" = "outlaysheet-cli $version" ] ||
    fail "outlaysheet-cli --version says $("$bin/outlaysheet-cli" --version)"
grep -q "<release version=\"$version\" " \
    "$unpacked/usr/share/metainfo/com.tillhouse.Outlaysheet.metainfo.xml" ||
    fail "the AppStream data has no release $version"

# The first-run data step of the unpacked tool finds the shipped data of the
# package beside its own folder.
cli=("$bin/outlaysheet-cli" --root "$work/cli-root" --registry "$work/cli-registry")
"${cli[@]}" init >"$work/init.json" 2>&1 || fail "init: $(cat "$work/init.json")"
check_shipped_data "$work/cli-root"
# The stripped provider beside the programs still answers with their version.
"${cli[@]}" check-sync >"$work/sync.json" 2>&1 || fail "check-sync: $(cat "$work/sync.json")"
grep -q "\"provider\": \"$bin/DurEdodavuDido.dll\"" "$work/sync.json" &&
    grep -q '"status": "ready"' "$work/sync.json" || fail "check-sync: $(cat "$work/sync.json")"

# The unpacked window starts, installs the shipped data on its first start and
# keeps running until it is ended.
start_window "$bin/outlaysheet" "$work/root" "$work/registry" "$work/program.log"
kill "$program"
wait "$program" 2>/dev/null || true
program=
echo "package $(basename "$package") checked"
