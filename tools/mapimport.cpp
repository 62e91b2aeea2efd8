// zep-mapimport: compiles an OpenStreetMap file into a map root folder.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "geo/osm/osmimport.h"

namespace {

constexpr const char* kUsage =
    "Aufruf: zep-mapimport [--quiet] EINGABE AUSGABEORDNER\n"
    "\n"
    "Liest eine OpenStreetMap-Datei (.osm, .osm.gz, .osm.bz2, .osm.pbf) und schreibt die\n"
    "übersetzte Karte (map.zepmap) in AUSGABEORDNER.\n"
    "\n"
    "  --quiet   keine Fortschrittsmeldungen\n"
    "  --help    diese Hilfe\n";

}  // namespace

int main(int argc, char** argv) {
  bool quiet = false;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(argv[i], "--quiet") == 0) {
      quiet = true;
    } else {
      arguments.emplace_back(argv[i]);
    }
  }
  if (arguments.size() != 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::string error;
  const auto progress = [quiet](const std::string& step) {
    if (!quiet) std::cerr << "zep-mapimport: " << step << '\n';
  };
  if (!geo::importOsm(arguments[0], arguments[1], error, progress)) {
    std::cerr << "zep-mapimport: " << error << '\n';
    return 1;
  }
  progress("fertig");
  return 0;
}
