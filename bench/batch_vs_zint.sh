#!/usr/bin/env bash
# Times a batch of EAN-13 symbols to PNG at 300 dpi through strikon-render, on one thread and
# on every core, and zint's batch of the same numbers beside it when zint is installed (zint is
# only a yardstick here; nothing in Strikon needs it). A timing, not a test.
# Usage: bench/batch_vs_zint.sh [path/to/strikon-render] [rows] [repetitions] [other strikon-render]
# With a second strikon-render (an earlier build), it runs too, in the same rounds, as it is.
# Each round runs every program once, in turn, each into a new folder (a folder of deleted files
# makes the file system's next creations slower); the best wall time of the rounds is shown
# with the CPU time (user + system) of that run.
set -euo pipefail
. "$(dirname "$0")/best_of_rounds.sh"
render=${1:-build/release-bench/cli/strikon-render}
rows=${2:-1000}
reps=${3:-3}
other=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# Valid EAN-13 numbers 400000000000c .. with their check digits.
python3 - "$rows" "$work" <<'PY'
import sys
rows, work = int(sys.argv[1]), sys.argv[2]
with open(f"{work}/rows.csv", "w") as csv, open(f"{work}/digits.txt", "w") as plain:
    csv.write("type,digits,file\n")
    for i in range(rows):
        body = f"400{i:09d}"
        s = sum(int(d) * (3 if k % 2 else 1) for k, d in enumerate(body))
        digits = body + str((10 - s % 10) % 10)
        csv.write(f"EAN-13,{digits},s{i}.png\n")
        plain.write(body + "\n")
PY

cores=$(nproc)
names=() commands=()
add() { names+=("$1"); commands+=("$2"); }
add "strikon-render --jobs 1" "$render --batch $work/rows.csv --output-dir OUT --jobs 1"
add "strikon-render --jobs $cores" "$render --batch $work/rows.csv --output-dir OUT"
if [[ -n $other ]]; then  # as it is called: an earlier build may not know --jobs
    add "earlier build" "$other --batch $work/rows.csv --output-dir OUT"
fi
if command -v zint >/dev/null; then
    add "zint --batch --scale 2" \
        "zint --batch -b EANX --scale 2 --filetype=PNG -o OUT/~~~~~.png -i $work/digits.txt"
else
    echo "zint: not installed, skipped"
fi

best_of_rounds 30
