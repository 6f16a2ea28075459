#!/usr/bin/env bash
# A game recorded in the window and ended by a signal: the file is on disk while the game runs,
# it starts with its header and ends with a checkpoint, it replays headless to that checkpoint,
# and the same file with one clock reading changed stops where the game left the recording.
#   tests/record_signal.sh GAME SIM WORK
set -euo pipefail
game=$1
sim=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
file="$work/signal.sim"

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" --seed 42 --record "$file" &
pid=$!
sleep 2.5
if [ ! -s "$file" ]; then
    echo "the recording is empty while the game runs" >&2
    kill -TERM "$pid"
    exit 1
fi
kill -TERM "$pid"
wait "$pid"

head -n 1 "$file" | grep -qx 'wreckhaul-replay 1' || { echo "no header" >&2; exit 1; }
tail -n 1 "$file" | grep -qE '^checkpoint [0-9]+ [0-9a-f]{16}$' || { echo "no final check" >&2; exit 1; }
grep -q '^clock ' "$file" || { echo "no clock readings" >&2; exit 1; }
"$sim" "$file" > /dev/null

# The last reading a millisecond later: the world ends with another tick count, and the final
# check finds it. (An earlier reading may leave no trace: the next reading overwrites it.)
line=$(grep -n '^clock ' "$file" | tail -n 1 | cut -d: -f1)
awk -v n="$line" 'NR == n { $2 = $2 + 1 } { print }' "$file" > "$work/drift.sim"
status=0
"$sim" "$work/drift.sim" > /dev/null 2> "$work/drift.err" || status=$?
if [ "$status" != 2 ] || ! grep -q 'the replay left the recorded game at pass' "$work/drift.err"; then
    echo "a changed recording was not caught (status $status):" >&2
    cat "$work/drift.err" >&2
    exit 1
fi
echo "recorded $(grep -c '' "$file") lines; $(tail -n 1 "$file"); the changed copy: $(cat "$work/drift.err")"
