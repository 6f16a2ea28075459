#!/usr/bin/env bash
# The Debian package as a user gets it: built by make deb, linted (its source too), its menu entry
# and AppStream data validated, then unpacked (never installed) and its programs and manual pages
# run from there.
#   tests/package.sh [RELEASE_DIR]   with a release build, its runner's output on a scenario is
#                                    held against the packaged runner's
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-}
if [ -n "$release" ]; then
    release=$(cd "$release" && pwd)
    [ -x "$release/src/sim/wreckhaul-sim" ] || {
        echo "package: no wreckhaul-sim in $release" >&2
        exit 2
    }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}
pass() {
    echo "ok: $*"
}

make -C "$root" deb

version=$(sed -n 's/^project(Wreckhaul VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg --print-architecture)
deb=$root/build/wreckhaul_${version}_${arch}.deb
changes=$root/build/wreckhaul_${version}_${arch}.changes
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt's project line" >&2; exit 1; }
[ -f "$deb" ] || { echo "package: make deb left no $deb" >&2; exit 1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] && pass "the package's version is $version" ||
    fail "the package's version is $(dpkg-deb -f "$deb" Version), the project's $version"

# Lintian on the binary package and on a source package made from the same tree: an error fails,
# and so does a warning that no override explains.
mkdir -p "$work/source/wreckhaul"
tar -C "$root" -c --exclude=./build --exclude=./out --exclude=./.git . | tar -x -C "$work/source/wreckhaul"
(cd "$work/source/wreckhaul" && dpkg-source -b . > /dev/null)
for target in "$changes" "$work/source/wreckhaul_${version}.dsc"; do
    if lintian --fail-on error,warning "$target"; then
        pass "lintian $(basename "$target")"
    else
        fail "lintian $(basename "$target")"
    fi
done

# What the package holds, unpacked into a folder of its own.
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
id=io.github.wreckhaul.Wreckhaul
for f in usr/games/wreckhaul usr/games/wreckhaul-sim usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/wreckhaul.svg \
    usr/share/man/man6/wreckhaul.6.gz usr/share/man/man6/wreckhaul-sim.6.gz \
    usr/share/doc/wreckhaul/copyright; do
    [ -f "$unpacked/$f" ] && pass "holds /$f" || fail "no /$f in the package"
done
if [ -n "$(find "$unpacked" -path "$unpacked/usr/bin*" -o -path "$unpacked/usr/local*")" ]; then
    fail "the package puts files in /usr/bin or /usr/local"
fi

# The menu entry and the AppStream data, each on its own and as the installed tree holds them.
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop" &&
    pass "desktop-file-validate" || fail "desktop-file-validate"
exec_word=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$unpacked/usr/share/applications/$id.desktop")
[ -x "$unpacked/usr/games/$exec_word" ] && pass "the menu entry starts /usr/games/$exec_word" ||
    fail "the menu entry's Exec=$exec_word is not in /usr/games"
appstreamcli validate --no-net --strict "$unpacked/usr/share/metainfo/$id.metainfo.xml" &&
    pass "appstreamcli validate" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --strict "$unpacked" &&
    pass "appstreamcli validate-tree" || fail "appstreamcli validate-tree"
release_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
    "$unpacked/usr/share/metainfo/$id.metainfo.xml" | head -n 1)
[ "$release_version" = "$version" ] && pass "the AppStream release is $version" ||
    fail "the newest AppStream release is '$release_version', the project's $version"

# The unpacked programs run: --version tells the project's version, and the runner plays
# scenarios to the very output the tests hold them to.
out=$("$unpacked/usr/games/wreckhaul" --version) || fail "wreckhaul --version ended with $?"
[ "$out" = "wreckhaul $version" ] && pass "wreckhaul --version: $out" ||
    fail "wreckhaul --version said '$out', not 'wreckhaul $version'"
sim=$unpacked/usr/games/wreckhaul-sim
seed_of() { sed -n '1s/^# seed \(-\{0,1\}[0-9][0-9]*\).*$/\1/p' "$1"; }
compared=0
for expected in "$root"/tests/scenarios/*.expected; do
    script=${expected%.expected}.sim
    # A scenario that ends in error compares its standard error too; that is ctest's part.
    [ -f "$script" ] && [ ! -f "${expected%.expected}.err" ] || continue
    seed=$(seed_of "$script")
    mkdir -p "$work/run" && rm -rf "$work/run"/*
    if (cd "$work/run" && "$sim" --seed "${seed:-1}" "$script" > "$work/out") &&
        cmp -s "$work/out" "$expected"; then
        compared=$((compared + 1))
    else
        fail "the packaged wreckhaul-sim on $(basename "$script") differs from $(basename "$expected")"
    fi
done
[ "$compared" -gt 0 ] && pass "the packaged wreckhaul-sim gives the expected output of $compared scenarios" ||
    fail "no scenario with an expected output was run"
if [ -n "$release" ]; then
    script=$root/tests/scenarios/hash_after_passes.sim
    seed=$(seed_of "$script")
    "$sim" --seed "${seed:-1}" "$script" > "$work/packaged" || fail "the packaged runner failed"
    "$release/src/sim/wreckhaul-sim" --seed "${seed:-1}" "$script" > "$work/released" ||
        fail "the release build's runner failed"
    if [ -s "$work/packaged" ] && cmp -s "$work/packaged" "$work/released"; then
        pass "the packaged and the release wreckhaul-sim agree on hash_after_passes.sim"
    else
        fail "the packaged and the release wreckhaul-sim differ on hash_after_passes.sim"
    fi
fi

# Both manual pages render without a warning, through man and through groff itself.
for page in wreckhaul wreckhaul-sim; do
    file=$unpacked/usr/share/man/man6/$page.6.gz
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 > /dev/null) || fail "man -l $page.6 failed"
    warnings+=$(zcat "$file" | groff -man -ww -z 2>&1) || fail "groff on $page.6 failed"
    [ -z "$warnings" ] && pass "man $page.6 renders without warnings" ||
        fail "man $page.6 warns: $warnings"
done

if [ "$failed" -ne 0 ]; then
    echo "package: FAILED" >&2
    exit 1
fi
echo "package: all checks passed"
