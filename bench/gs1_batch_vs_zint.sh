#!/usr/bin/env bash
# Times a batch of GS1 DataMatrix symbols (GTIN, expiry and lot) to PNG at 300 dpi through
# strikon-render, on one thread and on every core, beside zint's `--batch --gs1` of the same data
# (zint is the yardstick here; Strikon takes only libzint's module matrices from it). zint draws
# 6-pixel modules at --scale 3, as strikon-render draws the 0.495 mm module at 300 dpi. A timing,
# not a test.
# Usage: bench/gs1_batch_vs_zint.sh [path/to/strikon-render] [rows] [repetitions]
# Each round runs every program once, in turn, each into a new folder; the best wall time of
# the rounds is shown with the CPU time (user + system) of that run.
set -euo pipefail
. "$(dirname "$0")/best_of_rounds.sh"
render=${1:-build/release-bench/cli/strikon-render}
rows=${2:-1000}
reps=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
command -v zint >/dev/null || { echo "zint: not installed (scripts/setup installs it)"; exit 1; }

# GTINs 0950600nnnnnnc with their check digits, an expiry date and a lot each.
python3 - "$rows" "$work" <<'PY'
import sys
rows, work = int(sys.argv[1]), sys.argv[2]
with open(f"{work}/rows.csv", "w") as csv, open(f"{work}/zint.txt", "w") as plain:
    csv.write("type,gs1,file\n")
    for i in range(rows):
        body = f"0950600{i:06d}"
        s = sum(int(d) * (3 if k % 2 == 0 else 1) for k, d in enumerate(body))
        gtin = body + str((10 - s % 10) % 10)
        expiry = f"{27 + i % 3}{1 + i % 12:02d}{1 + i % 28:02d}"
        lot = f"L{i:05d}"
        csv.write(f"GS1-DataMatrix,(01){gtin}(17){expiry}(10){lot},s{i}.png\n")
        plain.write(f"[01]{gtin}[17]{expiry}[10]{lot}\n")
PY

cores=$(nproc)
names=() commands=()
add() { names+=("$1"); commands+=("$2"); }
add "strikon-render --jobs 1" "$render --batch $work/rows.csv --output-dir OUT --jobs 1"
add "strikon-render --jobs $cores" "$render --batch $work/rows.csv --output-dir OUT"
add "zint --batch --gs1 --scale 3" \
    "zint --batch --gs1 -b DATAMATRIX --square --scale 3 --filetype=PNG -o OUT/~~~~~.png -i $work/zint.txt"

best_of_rounds 32
