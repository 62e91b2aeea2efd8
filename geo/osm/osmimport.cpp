#include "geo/osm/osmimport.h"

#include <filesystem>
#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/tags/tags_filter.hpp>
#include <osmium/visitor.hpp>

#include "geo/osm/mapassembler.h"
#include "geo/osm/osmcollector.h"

namespace geo {

namespace {

using LocationIndex =
    osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using AreaManager = osmium::area::MultipolygonManager<osmium::area::Assembler>;

struct AddressRelationPass : osmium::handler::Handler {
  explicit AddressRelationPass(osm::OsmCollector& c) : collector(c) {}
  void relation(const osmium::Relation& relation) { collector.addressRelation(relation); }
  osm::OsmCollector& collector;
};

// Only areas the map uses are assembled; administrative boundaries would cost much and give
// nothing.
osmium::TagsFilter areaFilter() {
  osmium::TagsFilter filter{false};
  for (const char* key :
       {"landuse", "natural", "water", "waterway", "leisure", "building", "place"}) {
    filter.add_rule(true, osmium::TagMatcher{key});
  }
  filter.add_rule(true, osmium::TagMatcher{"boundary", "postal_code"});
  return filter;
}

void readOsm(const std::string& input, osm::OsmContent& content, const osm::Progress& progress) {
  const osmium::io::File file{input};
  osm::OsmCollector collector(content);
  AreaManager areas{osmium::area::Assembler::config_type{}, areaFilter()};

  progress("Lese Relationen");
  {
    AddressRelationPass addressRelations(collector);
    osmium::io::Reader reader{file, osmium::osm_entity_bits::relation};
    osmium::apply(reader, areas, addressRelations);
    reader.close();
    areas.prepare_for_lookup();
  }

  progress("Lese Knoten und Wege");
  LocationIndex index;
  osmium::handler::NodeLocationsForWays<LocationIndex> locations{index};
  locations.ignore_errors();  // extracts lack nodes at their borders
  osmium::io::Reader reader{file};
  osmium::apply(reader, locations, collector,
                areas.handler([&collector](osmium::memory::Buffer&& buffer) {
                  osmium::apply(buffer, collector);
                }));
  reader.close();
}

}  // namespace

bool importOsm(const std::string& inputFile, const std::string& outputDirectory, std::string& error,
               const std::function<void(const std::string&)>& progress) {
  const osm::Progress report = progress ? progress : [](const std::string&) {};
  std::error_code ec;
  if (!std::filesystem::is_regular_file(inputFile, ec)) {
    error = "Eingabedatei nicht gefunden: " + inputFile;
    return false;
  }
  try {
    osm::OsmContent content;
    readOsm(inputFile, content, report);
    MapBuilder builder;
    builder.setSourceName(std::filesystem::path(inputFile).filename().string());
    osm::assembleMap(content, builder, report);
    if (builder.empty()) {
      error = "Eingabedatei enthält keine verwertbaren Kartendaten: " + inputFile;
      return false;
    }
    report("Schreibe Karte nach " + outputDirectory);
    return builder.write(outputDirectory, error);
  } catch (const std::exception& e) {
    error = "Import von " + inputFile + " fehlgeschlagen: " + e.what();
    return false;
  }
}

}  // namespace geo
