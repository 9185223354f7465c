#!/usr/bin/env bash
# Times a batch of EAN-13 symbols to PNG at 300 dpi through strikon-render, on one thread and
# on every core, and zint's batch of the same numbers beside it when zint is installed (zint is
# only a yardstick here; nothing in Strikon needs it). A timing, not a test.
# Usage: bench/batch_vs_zint.sh [path/to/strikon-render] [rows] [repetitions]
set -euo pipefail
render=${1:-build/release-bench/cli/strikon-render}
rows=${2:-1000}
reps=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Valid EAN-13 numbers 400638000000c .. with their check digits.
python3 - "$rows" "$work" <<'PY'
import sys
rows, work = int(sys.argv[1]), sys.argv[2]
with open(f"{work}/rows.csv", "w") as csv, open(f"{work}/digits.txt", "w") as plain:
    csv.write("type,digits,file\n")
    for i in range(rows):
        body = f"400638{i:06d}"
        s = sum(int(d) * (3 if k % 2 else 1) for k, d in enumerate(body))
        digits = body + str((10 - s % 10) % 10)
        csv.write(f"EAN-13,{digits},s{i}.png\n")
        plain.write(body + "\n")
PY

# Best of `reps` wall-clock runs, in seconds.
best() {
    local best=""
    for _ in $(seq "$reps"); do
        rm -rf "$work/out" && mkdir "$work/out"
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(python3 -c "a='$best'; t=$end-$start; print(t if not a else min(float(a), t))")
    done
    printf '%.3f' "$best"
}

cores=$(nproc)
echo "rows: $rows, cores: $cores, best of $reps"
echo "strikon-render --jobs 1:      $(best "$render" --batch "$work/rows.csv" --output-dir "$work/out" --jobs 1) s"
echo "strikon-render --jobs $cores:      $(best "$render" --batch "$work/rows.csv" --output-dir "$work/out") s"
if command -v zint >/dev/null; then
    echo "zint --batch --scale 2:       $(best zint --batch -b EANX --scale 2 \
        --filetype=PNG -o "$work/out/~~~~~.png" -i "$work/digits.txt") s"
else
    echo "zint: not installed, skipped"
fi
