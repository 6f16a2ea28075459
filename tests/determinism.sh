#!/usr/bin/env bash
# The same seed and the same input give the same world in the release build and in the sanitizer
# build: a soak of random play, and every runner scenario, compared output for output.
#   tests/determinism.sh [RELEASE_DIR [SANITIZER_DIR]]   (default build/release and build/asan)
#   SOAK_PASSES (default 3000) and SOAK_SEEDS (default "1 2 3") choose the soak runs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-$root/build/release}
sanitizer=${2:-$root/build/asan}
passes=${SOAK_PASSES:-3000}
seeds=${SOAK_SEEDS:-1 2 3}

for dir in "$release" "$sanitizer"; do
    if [ ! -x "$dir/tests/wreckhaul_soak" ] || [ ! -x "$dir/src/sim/wreckhaul-sim" ]; then
        echo "determinism: wreckhaul_soak or wreckhaul-sim is not built in $dir" >&2
        exit 2
    fi
done
# The runner starts inside a directory of its own below, so the builds are named absolutely.
release=$(cd "$release" && pwd)
sanitizer=$(cd "$sanitizer" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
compared=0 # comparisons made
unequal=0  # comparisons that found the builds apart

# The soak prints its counts, a trail of state hashes along the way and the final hash.
for seed in $seeds; do
    "$release/tests/wreckhaul_soak" --seed "$seed" --passes "$passes" > "$work/soak-release"
    "$sanitizer/tests/wreckhaul_soak" --seed "$seed" --passes "$passes" > "$work/soak-sanitizer"
    if cmp -s "$work/soak-release" "$work/soak-sanitizer"; then
        echo "determinism: soak seed $seed, $passes passes: $(grep '^hash' "$work/soak-release")"
        compared=$((compared + 1))
    else
        compared=$((compared + 1))
        unequal=$((unequal + 1))
        echo "determinism: soak seed $seed differs between the builds:" >&2
        diff "$work/soak-release" "$work/soak-sanitizer" >&2 || true
        failed=1
    fi
done

# Every scenario through both builds' runner, each in a directory of its own for the files it
# writes: the same standard output, exit status and files. A first line "# seed N" sets the seed.
run_scenario() { # SIM SCRIPT SEED DIR
    mkdir -p "$4"
    local status=0
    (cd "$4" && "$1" --seed "$3" "$2" > stdout 2> /dev/null) || status=$?
    echo "$status" > "$4/status"
}

scenarios=0
for script in "$root"/tests/scenarios/*.sim; do
    [ -e "$script" ] || continue
    name=$(basename "$script" .sim)
    seed=$(sed -n '1s/^# seed \(-\{0,1\}[0-9][0-9]*\).*$/\1/p' "$script")
    seed=${seed:-1}
    run_scenario "$release/src/sim/wreckhaul-sim" "$script" "$seed" "$work/sim-release/$name"
    run_scenario "$sanitizer/src/sim/wreckhaul-sim" "$script" "$seed" "$work/sim-sanitizer/$name"
    # The runner ends with 0, or 2 for a script it rejects; anything else is a crash or no run.
    statuses="$(cat "$work/sim-release/$name/status") $(cat "$work/sim-sanitizer/$name/status")"
    if ! [[ "$statuses" =~ ^[02]\ [02]$ ]]; then
        echo "determinism: scenario $name failed to run (exit statuses $statuses)" >&2
        unequal=$((unequal + 1))
        failed=1
    elif ! diff -r "$work/sim-release/$name" "$work/sim-sanitizer/$name" > "$work/diff"; then
        echo "determinism: scenario $name differs between the builds:" >&2
        cat "$work/diff" >&2
        unequal=$((unequal + 1))
        failed=1
    fi
    scenarios=$((scenarios + 1))
    compared=$((compared + 1))
done
echo "determinism: $scenarios scenarios compared"
echo "determinism: $((compared - unequal)) passed, $unequal failed"

exit $failed
