// zep-geo-bench: how fast a compiled map opens and answers drawing queries.
// The map folder comes from ZEP_BENCH_MAP, else the demo map of the build.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "geo/map/compiledmap.h"

namespace {

std::string mapDirectory() {
  const char* dir = std::getenv("ZEP_BENCH_MAP");
  return dir && *dir ? dir : ZEP_DEMO_MAP_DIR;
}

void BM_OpenMap(benchmark::State& state) {
  const std::string dir = mapDirectory();
  for (auto _ : state) {
    std::string error;
    auto map = geo::CompiledMap::open(dir, error);
    if (!map) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(map.get());
  }
}
BENCHMARK(BM_OpenMap)->Unit(benchmark::kMillisecond);

// A window of 1000 x 800 pixels at street scale somewhere in the middle of the map.
void BM_FeaturesInWindow(benchmark::State& state) {
  std::string error;
  const auto map = geo::CompiledMap::open(mapDirectory(), error);
  if (!map) {
    state.SkipWithError(error.c_str());
    return;
  }
  const geo::Box all = map->bounds();
  const double unitsPerPixel = static_cast<double>(state.range(0));
  const std::int32_t cx = all.minX / 2 + all.maxX / 2;
  const std::int32_t cy = all.minY / 2 + all.maxY / 2;
  const auto halfW = static_cast<std::int32_t>(500 * unitsPerPixel);
  const auto halfH = static_cast<std::int32_t>(400 * unitsPerPixel);
  const geo::Box window{cx - halfW, cy - halfH, cx + halfW, cy + halfH};
  std::size_t found = 0;
  for (auto _ : state) {
    const auto ids = map->featuresIn(window, unitsPerPixel);
    found = ids.size();
    benchmark::DoNotOptimize(ids.data());
  }
  state.counters["features"] = static_cast<double>(found);
}
BENCHMARK(BM_FeaturesInWindow)->Arg(2)->Arg(20)->Arg(200);

}  // namespace

BENCHMARK_MAIN();
