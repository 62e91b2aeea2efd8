#!/usr/bin/env bash
# TSPTW benchmark: zep-tsptw on every instance of a folder (one process at a time, so one
# thread), compared with the best known values; prints one row per instance size.
# Usage: tools/bench-tsptw.sh [BUILD_DIR] [INSTANCE_DIR] [extra zep-tsptw options...]
set -euo pipefail
build=${1:-build}
dir=${2:-"$(dirname "$0")/../../shared/data/tsptw/dumas"}
shift $(($# > 2 ? 2 : $#))
results=$(mktemp)
trap 'rm -f "$results"' EXIT

for file in "$dir"/*.tsptw; do
  name=$(basename "$file" .tsptw)
  best=$(awk -F'\t' -v n="$name" '$1 == n { print $2 }' "$dir/best_known.tsv")
  "$build/tools/zep-tsptw" "$file" "$@" |
    jq -r --arg best "${best:-0}" '[.instance, .cost, .feasible, .ms, .cpuMs, $best] | @tsv'
done >"$results"

echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
# size, instances, feasible, mean gap %, median wall ms, median cpu ms
sed -E 's/^n([0-9]+)w[^\t]*/\1/' "$results" | sort -t$'\t' -k1,1n -k4,4n | awk -F'\t' '
  function median(values, count,   sorted, i, j, t) {
    for (i = 1; i <= count; ++i) sorted[i] = values[i]
    for (i = 2; i <= count; ++i) for (j = i; j > 1 && sorted[j - 1] > sorted[j]; --j) {
      t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
    }
    return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
  }
  function flush() {
    if (size == "") return
    printf "%-6s %9d %9d %9.3f %12.1f %12.1f\n", "n" size, count, feasible, gap / count,
           median(wall, count), median(cpu, count)
  }
  BEGIN { printf "%-6s %9s %9s %9s %12s %12s\n", "size", "instances", "feasible", "gap %",
          "median ms", "median cpu ms" }
  $1 != size { flush(); size = $1; count = 0; feasible = 0; gap = 0; delete wall; delete cpu }
  {
    ++count; wall[count] = $4; cpu[count] = $5
    if ($3 == "true") ++feasible
    if ($6 > 0) { g = 100 * ($2 - $6) / $6; gap += g; allGap += g }
    ++all; if ($3 == "true") ++allFeasible
  }
  END { flush(); printf "all    %9d %9d %9.3f\n", all, allFeasible, allGap / all }'
