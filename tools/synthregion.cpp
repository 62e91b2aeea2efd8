// zep-synth-region: writes a made-up German region of a given size as an OpenStreetMap file.
#include "geo/osm/synthregion.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Aufruf: zep-synth-region AUSGABE.osm.pbf --road-nodes N [--seed S]\n"
    "\n"
    "Schreibt eine erfundene Region mit Städten, Dörfern, Straßen, Adressen, Flüssen und\n"
    "Autobahnen, deren Straßen zusammen mindestens N Knoten haben. Gleiche Angaben ergeben\n"
    "dieselbe Datei. Am Ende steht eine Zusammenfassung als JSON auf der Standardausgabe.\n";

bool parseCount(std::string_view text, std::uint64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  geo::SynthRegionOptions options;
  bool sized = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    const bool valued = (arg == "--road-nodes" || arg == "--seed") && i + 1 < argc;
    if (valued) {
      std::uint64_t value = 0;
      if (!parseCount(argv[++i], value) || (arg == "--road-nodes" && value == 0)) {
        std::cerr << "zep-synth-region: ungültige Zahl für " << arg << ": " << argv[i] << '\n';
        return 2;
      }
      (arg == "--seed" ? options.seed : options.roadNodes) = value;
      sized = sized || arg == "--road-nodes";
    } else if (output.empty() && !arg.starts_with("--")) {
      output = arg;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  if (output.empty() || !sized) {
    std::cerr << kUsage;
    return 2;
  }
  geo::SynthRegionSummary summary;
  std::string error;
  if (!geo::writeSyntheticRegion(output, options, summary, error)) {
    std::cerr << "zep-synth-region: " << error << '\n';
    return 1;
  }
  std::cout << nlohmann::json{{"roadNodes", summary.roadNodes},
                              {"nodes", summary.nodes},
                              {"ways", summary.ways},
                              {"addresses", summary.addresses},
                              {"buildings", summary.buildings},
                              {"settlements", summary.settlements}}
                   .dump()
            << '\n';
  return 0;
}
