#!/usr/bin/env bash
# Region-scale benchmark on synthetic regions (zep-synth-region): per size the import's time
# and peak memory, the routing hierarchy's build (first start) and load (second start), single
# routes, a 200 x 200 matrix, the geocoder's index build (first start, the whole tool run:
# map opening, build, storing) and load (second start), its queries per second on clean
# addresses and on misspelt streets without town; then how each figure grows with the size.
# Usage: tools/bench-region.sh BUILD_DIR [ROAD_NODES...]   (default 500000 2000000 5000000)
# The work folder (maps of several GB at 5 M) is ZEP_BENCH_DIR or a fresh temporary one,
# removed at the end unless ZEP_BENCH_KEEP=1.
set -euo pipefail
build=${1:?Aufruf: tools/bench-region.sh BUILD [STRASSENKNOTEN...]}
shift
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(500000 2000000 5000000)
work=${ZEP_BENCH_DIR:-$(mktemp -d)}
mkdir -p "$work"
[ "${ZEP_BENCH_KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
tools="$build/tools"

timed() {  # timed NAME COMMAND...: runs it, stdout to $work/NAME.out, "seconds peak_kB" to NAME.time
  local name=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/$name.time" "$@" >"$work/$name.out" 2>"$work/$name.err"
}
field() {  # field FILE KEY: a number from the tool's JSON
  python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print(eval('d'+sys.argv[2]))" "$1" "$2"
}

results="$work/results.tsv"
printf 'size\troadNodes\taddresses\tgraphNodes\timport_s\timport_peak_MB\tch_build_s\tch_load_s\troute_ms\tmatrix_ms\tgeo_index_build_s\tgeo_index_load_ms\tqps_clean\tqps_misspelt_no_town\n' >"$results"
for n in "${sizes[@]}"; do
  pbf="$work/region-$n.osm.pbf"
  map="$work/map-$n"
  echo "== $n Straßenknoten" >&2
  timed "gen-$n" "$tools/zep-synth-region" "$pbf" --road-nodes "$n"
  timed "import-$n" "$tools/zep-mapimport" --quiet "$pbf" "$map"
  read -r import_s import_kb <"$work/import-$n.time"
  rm -f "$map"/*.zepch
  timed "first-$n" "$tools/zep-matrix" "$map" --random 200 --seed 1 --repeat 5
  timed "second-$n" "$tools/zep-matrix" "$map" --random 200 --seed 1 --repeat 5
  rm -f "$map/geocoder.zepgeo"
  timed "geoindex-$n" "$tools/zep-geocode" "$map" --street "Hauptstraße 1"
  timed "geocode-$n" "$tools/zep-geocode" "$map" --sweep --sample 20000
  "$tools/zep-mapinfo" "$map" >"$work/info-$n.out"
  read -r index_s _ <"$work/geoindex-$n.time"
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%.1f\t%.2f\t%.2f\t%.1f\t%s\t%.0f\t%.0f\t%.0f\n' "$n" \
    "$(field "$work/gen-$n.out" "['roadNodes']")" \
    "$(field "$work/gen-$n.out" "['addresses']")" \
    "$(field "$work/first-$n.out" "['nodes']")" \
    "$import_s" "$((import_kb / 1024))" \
    "$(field "$work/first-$n.out" "['hierarchyBuildMs']/1000")" \
    "$(field "$work/second-$n.out" "['hierarchyBuildMs']/1000")" \
    "$(field "$work/second-$n.out" "['routeMsMedian']")" \
    "$(field "$work/second-$n.out" "['matrixMsMedian']")" \
    "$index_s" \
    "$(field "$work/geocode-$n.out" "['indexBuildMs']")" \
    "$(field "$work/geocode-$n.out" "['clean']['queriesPerSecond']")" \
    "$(field "$work/geocode-$n.out" "['misspeltWithoutTown']['queriesPerSecond']")" >>"$results"
  column -t -s $'\t' "$results" >&2
done

# Growth between neighbouring sizes as the exponent k of time ~ size^k: about 1 is linear,
# a little above 1 is n log n, 0 is constant; far above 1 is worse.
python3 - "$results" <<'PY'
import csv, math, sys
rows = list(csv.DictReader(open(sys.argv[1]), delimiter="\t"))
print("\t".join(rows[0].keys()) if rows else "")
for r in rows:
    print("\t".join(r.values()))
for a, b in zip(rows, rows[1:]):
    scale = math.log(float(b["roadNodes"]) / float(a["roadNodes"]))
    growth = []
    for key in ["import_s", "import_peak_MB", "ch_build_s", "ch_load_s", "route_ms", "matrix_ms",
                "geo_index_build_s", "geo_index_load_ms"]:
        x, y = float(a[key]), float(b[key])
        growth.append(f"{key} {math.log(y / x) / scale:.2f}" if x > 0 and y > 0 else f"{key} -")
    for key in ["qps_clean", "qps_misspelt_no_town"]:
        x, y = float(a[key]), float(b[key])
        growth.append(f"{key} {math.log(x / y) / scale:.2f}" if x > 0 and y > 0 else f"{key} -")
    print(f"growth {a['size']} -> {b['size']} (exponent of cost per size): " + ", ".join(growth))
PY
