#!/bin/sh
# The game program measured from outside: it runs untouched for a while under a virtual X server,
# started as a player starts it (no environment set, so the game picks its own renderer), is ended
# with Esc, and the run is reported: CPU use, peak resident
# memory, passes per second (62.5 is the pace) and the time from start to the end of the first
# pass, which bounds the time to the first frame from above.
#
# Usage: bench/window_run.sh [GAME] [SECONDS]
#   GAME     the game program, build/release/src/front/wreckhaul by default (make build)
#   SECONDS  how long the game runs before Esc, 10 by default
# Needs xvfb-run, xdotool, strace and /usr/bin/time (Debian: xvfb xdotool strace time).
# SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION may be set to measure other renderers.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/release/src/front/wreckhaul}
seconds=${2:-10}

for tool in xvfb-run xdotool strace /usr/bin/time; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "window_run: $tool is missing (apt-get install xvfb xdotool strace time)" >&2
        exit 2
    fi
done
if [ ! -x "$game" ]; then
    echo "window_run: no game program at $game (make build first)" >&2
    exit 2
fi
game=$(cd "$(dirname "$game")" && pwd)/$(basename "$game")

# Once more, inside a virtual X server of its own.
if [ "${WINDOW_RUN_INSIDE:-}" != 1 ]; then
    WINDOW_RUN_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$game" "$seconds"
fi


work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every pass ends in one sleep of the main thread (the pacing sleeps, then spins its last few
# hundred microseconds), so the main thread's clock_nanosleep calls count the passes.
strace -f -qq --seccomp-bpf -ttt -e trace=execve,clock_nanosleep -o "$work/trace" \
    /usr/bin/time -f '%U %S %e %M' -o "$work/time" "$game" 2>"$work/stderr" &
runner=$!

# The window appears once SDL has opened it; then the game is left alone.
wid=""
tries=0
while [ -z "$wid" ]; do
    wid=$(xdotool search --name '^Wreckhaul$' 2>/dev/null | head -n 1 || true)
    tries=$((tries + 1))
    if [ -z "$wid" ] && [ "$tries" -gt 200 ]; then
        echo "window_run: the window never appeared" >&2
        cat "$work/stderr" >&2
        kill "$runner" 2>/dev/null || true
        exit 1
    fi
    [ -n "$wid" ] || sleep 0.05
done
sleep "$seconds"
xdotool windowfocus --sync "$wid" key Escape

# Esc ends the game at once; a game still running after five seconds has not heard it.
waited=0
while kill -0 "$runner" 2>/dev/null && [ "$waited" -lt 50 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
if kill -0 "$runner" 2>/dev/null; then
    echo "window_run: the game did not end on Esc" >&2
    kill "$runner" 2>/dev/null || true
    exit 1
fi
wait "$runner" || true

awk -v game="$game" -v timefile="$work/time" '
    # Lines read "PID SECONDS.MICROS call(...)"; the game is the process that ran its execve.
    $3 ~ /^execve\(/ && index($0, "\"" game "\"") && main == "" { main = $1; start = $2 }
    $1 == main && $3 ~ /^clock_nanosleep/ && $0 !~ /resumed>/ {
        if (first == "") first = $2
        last = $2
        sleeps++
    }
    END {
        getline times < timefile
        split(times, t, " ")
        cpu = (t[1] + t[2]) / t[3] * 100
        printf "elapsed            %.2f s\n", t[3]
        printf "cpu                %.1f %% of one core (user %.2f s, system %.2f s)\n", cpu, t[1], t[2]
        printf "peak resident      %.1f MB\n", t[4] / 1024
        if (sleeps > 1) {
            printf "passes per second  %.1f (%d passes)\n", (sleeps - 1) / (last - first), sleeps
            printf "start to first pass end  %.0f ms\n", (first - start) * 1000
        } else {
            print "passes per second  unknown: no pass sleeps were traced"
        }
    }
' "$work/trace"
