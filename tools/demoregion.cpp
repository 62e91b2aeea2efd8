// zep-demo-region: writes the fictional demo region as OSM XML.
#include "geo/osm/demoregion.h"

#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << "Aufruf: zep-demo-region AUSGABE.osm\n\n"
                 "Schreibt die erfundene Demo-Region (Lindenau, Mühlbach, Eichenbrunn) als\n"
                 "OSM-XML; jeder Lauf ergibt dieselbe Datei.\n";
    return 0;
  }
  if (argc != 2) {
    std::cerr << "Aufruf: zep-demo-region AUSGABE.osm\n";
    return 2;
  }
  std::string error;
  if (!geo::writeDemoRegion(argv[1], error)) {
    std::cerr << "zep-demo-region: " << error << '\n';
    return 1;
  }
  return 0;
}
