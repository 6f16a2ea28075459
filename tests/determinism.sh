#!/usr/bin/env bash
# The same seed and the same input give the same world in every build: the release build is held
# against the sanitizer build and the clang build, through a soak of random play and every runner
# scenario, output for output.
#   tests/determinism.sh [RELEASE_DIR [OTHER_DIR...]]   (default build/release, then build/asan
#   and build/clang)
#   SOAK_PASSES (default 3000) and SOAK_SEEDS (default "1 2 3") choose the soak runs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-$root/build/release}
shift || true
others=("$@")
if [ ${#others[@]} -eq 0 ]; then
    others=("$root/build/asan" "$root/build/clang")
fi
passes=${SOAK_PASSES:-3000}
seeds=${SOAK_SEEDS:-1 2 3}

for dir in "$release" "${others[@]}"; do
    if [ ! -x "$dir/tests/wreckhaul_soak" ] || [ ! -x "$dir/src/sim/wreckhaul-sim" ]; then
        echo "determinism: wreckhaul_soak or wreckhaul-sim is not built in $dir" >&2
        exit 2
    fi
done
# The runner starts inside a directory of its own below, so the builds are named absolutely.
release=$(cd "$release" && pwd)
for i in "${!others[@]}"; do
    others[$i]=$(cd "${others[$i]}" && pwd)
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
compared=0 # comparisons made
unequal=0  # comparisons that found the builds apart

# Every scenario through a build's runner, each in a directory of its own for the files it
# writes: standard output, exit status and files. A first line "# seed N" sets the seed.
run_scenarios() { # BUILD OUT
    local script name seed status
    for script in "$root"/tests/scenarios/*.sim; do
        [ -e "$script" ] || continue
        name=$(basename "$script" .sim)
        seed=$(sed -n '1s/^# seed \(-\{0,1\}[0-9][0-9]*\).*$/\1/p' "$script")
        mkdir -p "$2/$name"
        status=0
        (cd "$2/$name" && "$1/src/sim/wreckhaul-sim" --seed "${seed:-1}" "$script" > stdout 2> /dev/null) ||
            status=$?
        echo "$status" > "$2/$name/status"
    done
}

# The soak prints its counts, a trail of state hashes along the way and the final hash.
for seed in $seeds; do
    "$release/tests/wreckhaul_soak" --seed "$seed" --passes "$passes" > "$work/soak-release-$seed"
done
run_scenarios "$release" "$work/sim-release"

for other in "${others[@]}"; do
    label=$(basename "$other")
    for seed in $seeds; do
        "$other/tests/wreckhaul_soak" --seed "$seed" --passes "$passes" > "$work/soak-$label"
        compared=$((compared + 1))
        if cmp -s "$work/soak-release-$seed" "$work/soak-$label"; then
            echo "determinism: soak seed $seed, $passes passes, release = $label:" \
                "$(grep '^hash' "$work/soak-$label")"
        else
            unequal=$((unequal + 1))
            echo "determinism: soak seed $seed differs between release and $label:" >&2
            diff "$work/soak-release-$seed" "$work/soak-$label" >&2 || true
            failed=1
        fi
    done

    run_scenarios "$other" "$work/sim-$label"
    scenarios=0
    for dir in "$work/sim-release"/*; do
        name=$(basename "$dir")
        scenarios=$((scenarios + 1))
        compared=$((compared + 1))
        # The runner ends with 0, or 2 for a script it rejects; anything else is a crash or no run.
        statuses="$(cat "$dir/status") $(cat "$work/sim-$label/$name/status")"
        if ! [[ "$statuses" =~ ^[02]\ [02]$ ]]; then
            echo "determinism: scenario $name failed to run (exit statuses $statuses)" >&2
            unequal=$((unequal + 1))
            failed=1
        elif ! diff -r "$dir" "$work/sim-$label/$name" > "$work/diff"; then
            echo "determinism: scenario $name differs between release and $label:" >&2
            cat "$work/diff" >&2
            unequal=$((unequal + 1))
            failed=1
        fi
    done
    echo "determinism: $scenarios scenarios compared, release against $label"
done
echo "determinism: $((compared - unequal)) passed, $unequal failed"

exit $failed
