#!/usr/bin/env bash
# Import benchmark: wall time and peak memory of zep-mapimport against `osmium cat` of the
# same file (the bare cost of reading it), then the time to open the compiled map.
# Usage: tools/bench-import.sh [BUILD_DIR] [OSM_FILE]   (needs Debian osmium-tool)
set -euo pipefail
build=${1:-build}
input=${2:-"$(dirname "$0")/../../shared/data/osm/north-bayreuth.osm.gz"}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

measure() {  # prints "seconds peak_kB"
  /usr/bin/time -f "%e %M" -o "$out/time" "$@" >/dev/null 2>&1
  cat "$out/time"
}

best() {  # best of three runs
  local result best_s="" best_kb=""
  for _ in 1 2 3; do
    result=$(measure "$@")
    read -r s kb <<<"$result"
    if [ -z "$best_s" ] || awk "BEGIN{exit !($s < $best_s)}"; then best_s=$s; best_kb=$kb; fi
  done
  echo "$best_s $best_kb"
}

read -r import_s import_kb < <(best "$build/tools/zep-mapimport" --quiet "$input" "$out/map")
read -r cat_s cat_kb < <(best osmium cat -f opl -o "$out/cat.opl" -O "$input")
echo "zep-mapimport: ${import_s} s, peak ${import_kb} kB"
echo "osmium cat:    ${cat_s} s, peak ${cat_kb} kB"
awk "BEGIN{printf \"ratio:         %.2f x\n\", $import_s / $cat_s}"
ZEP_BENCH_MAP="$out/map" "$build/tools/zep-geo-bench" --benchmark_filter=BM_OpenMap
