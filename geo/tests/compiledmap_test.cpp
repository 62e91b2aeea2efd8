#include "geo/map/compiledmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "geo/map/mapbuilder.h"
#include "geo/map/mapwriter.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

// Two crossings joined by a one-way street with a bend, one two-way street back, an
// address, a street, a place and a building and a road to draw.
void buildSmallMap(const std::string& dir) {
  MapBuilder builder;
  builder.setSourceName("klein.osm");
  const auto a = builder.addNode({1000, 2000});
  const auto b = builder.addNode({1100, 2000});
  RoadSegment oneWay{a, b, {{1050, 2050}}, 150.5, "Einbahnstraße", 5, true, false, true};
  builder.addRoad(oneWay);
  builder.addRoad({b, a, {}, 100, "Rückweg", 3, true, true, false});
  builder.addAddress({"D", "95444", "Bayreuth", "Mitte", "Einbahnstraße", "12a", {1040, 2010}});
  builder.addStreet({"Einbahnstraße", "Bayreuth", "95444", {{{1000, 2000}, {1100, 2000}}}});
  builder.addPlace({"Bayreuth", "95444", "", PlaceKind::Town, 74000, {1050, 2000}});
  builder.addFeature({FeatureKind::Building,
                      0,
                      kFeatureArea,
                      3,
                      "12a",
                      {{{1030, 2005}, {1045, 2005}, {1045, 2015}, {1030, 2015}}}});
  builder.addFeature({FeatureKind::Road, 2, 0, 0, "Rückweg", {{{1000, 2000}, {1100, 2000}}}});
  std::string error;
  ASSERT_TRUE(builder.write(dir, error)) << error;
}

TEST(CompiledMap, ReadsBackWhatWasBuilt) {
  TempDir dir;
  buildSmallMap(dir.path());
  std::string error;
  const auto map = CompiledMap::open(dir.path(), error);
  ASSERT_TRUE(map) << error;

  EXPECT_EQ(map->version(), kMapFormatVersion);
  EXPECT_EQ(map->sourceName(), "klein.osm");
  EXPECT_EQ(map->bounds(), (Box{1000, 2000, 1100, 2050}));
  ASSERT_EQ(map->nodes().size(), 2u);
  ASSERT_EQ(map->edges().size(), 3u);

  // From a: the one-way street and the way back's reverse edge.
  ASSERT_EQ(map->edgesFrom(0).size(), 2u);
  const EdgeRecord& oneWay = map->edgesFrom(0)[0];
  const EdgeRecord& wayBackReversed = map->edgesFrom(0)[1];
  EXPECT_EQ(map->text(oneWay.name), "Einbahnstraße");
  EXPECT_EQ(oneWay.target, 1u);
  EXPECT_FLOAT_EQ(oneWay.lengthMetres, 150.5f);
  EXPECT_EQ(oneWay.roadClass, 5);
  EXPECT_EQ(oneWay.flags & (kEdgeOneWay | kEdgeBuiltUp), kEdgeOneWay | kEdgeBuiltUp);
  EXPECT_EQ(map->edgeGeometry(oneWay),
            (std::vector<Point>{{1000, 2000}, {1050, 2050}, {1100, 2000}}));

  EXPECT_EQ(map->text(wayBackReversed.name), "Rückweg");
  EXPECT_EQ(wayBackReversed.target, 1u);
  EXPECT_EQ(wayBackReversed.flags & (kEdgeOneWay | kEdgeReversed), kEdgeReversed);
  ASSERT_EQ(map->edgesFrom(1).size(), 1u);
  EXPECT_EQ(map->edgesFrom(1)[0].target, 0u);
  EXPECT_EQ(map->edgesFrom(1)[0].flags & kEdgeOneWay, 0);
  EXPECT_TRUE(map->edgesFrom(7).empty());

  ASSERT_EQ(map->addresses().size(), 1u);
  const AddressRecord& address = map->addresses()[0];
  EXPECT_EQ(map->text(address.country), "D");
  EXPECT_EQ(map->text(address.postalCode), "95444");
  EXPECT_EQ(map->text(address.town), "Bayreuth");
  EXPECT_EQ(map->text(address.district), "Mitte");
  EXPECT_EQ(map->text(address.street), "Einbahnstraße");
  EXPECT_EQ(map->text(address.houseNumber), "12a");
  EXPECT_EQ(address.point, (Point{1040, 2010}));

  ASSERT_EQ(map->streets().size(), 1u);
  const auto parts = map->ranges(map->streets()[0].parts);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(map->points(parts[0]).size(), 2u);
  ASSERT_EQ(map->places().size(), 1u);
  EXPECT_EQ(map->places()[0].population, 74000u);
}

TEST(CompiledMap, FeaturesInBoxDependOnScale) {
  TempDir dir;
  buildSmallMap(dir.path());
  std::string error;
  const auto map = CompiledMap::open(dir.path(), error);
  ASSERT_TRUE(map) << error;
  const Box aroundHouse{1025, 2000, 1050, 2020};
  EXPECT_EQ(map->featuresIn(aroundHouse, 1).size(), 2u);    // road and building
  ASSERT_EQ(map->featuresIn(aroundHouse, 500).size(), 1u);  // the road only
  EXPECT_EQ(map->features()[map->featuresIn(aroundHouse, 500)[0]].kind, FeatureKind::Road);
  EXPECT_TRUE(map->featuresIn({0, 0, 500, 500}, 1).empty());
}

// Damage ---------------------------------------------------------------------------------

std::vector<char> readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeAll(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct DamageCase {
  const char* name;
  std::function<void(std::vector<char>&)> damage;
  const char* expectedReason;
};

TEST(CompiledMap, RefusesDamagedFilesWithAReason) {
  const DamageCase cases[] = {
      {"empty file", [](auto& bytes) { bytes.clear(); }, "leer"},
      {"shorter than a header", [](auto& bytes) { bytes.resize(20); }, "zu kurz"},
      {"truncated", [](auto& bytes) { bytes.resize(bytes.size() / 2); }, "unvollständig"},
      {"bytes appended", [](auto& bytes) { bytes.push_back(0); }, "unvollständig"},
      {"flipped byte in last section", [](auto& bytes) { bytes[bytes.size() - 9] ^= 0x5a; },
       "Prüfsumme"},
      {"flipped byte in section table", [](auto& bytes) { bytes[40] ^= 0x01; }, "Prüfsumme Kopf"},
      {"wrong magic", [](auto& bytes) { std::memcpy(bytes.data(), "PK\3\4xxxx", 8); },
       "keine ZEP-Karte"},
      {"newer version",
       [](auto& bytes) {
         const std::uint32_t version = kMapFormatVersion + 1;
         std::memcpy(bytes.data() + offsetof(FileHeader, version), &version, sizeof version);
       },
       "Version 2 wird nicht unterstützt"},
      {"sealed header without sections",
       [](auto& bytes) {
         FileHeader header;
         std::memcpy(&header, bytes.data(), sizeof header);
         header.sectionCount = 0;
         header.fileSize = sizeof header;
         header.headerCrc = 0;
         header.headerCrc = crc32Of(&header, sizeof header);
         bytes.resize(sizeof header);
         std::memcpy(bytes.data(), &header, sizeof header);
       },
       "Abschnitt 1 fehlt"},
      {"older version",
       [](auto& bytes) {
         const std::uint32_t version = 0;
         std::memcpy(bytes.data() + offsetof(FileHeader, version), &version, sizeof version);
       },
       "Version 0 wird nicht unterstützt"},
  };
  TempDir good;
  buildSmallMap(good.path());
  const std::vector<char> original = readAll(CompiledMap::filePath(good.path()));
  for (const DamageCase& c : cases) {
    TempDir dir;
    std::vector<char> bytes = original;
    c.damage(bytes);
    writeAll(CompiledMap::filePath(dir.path()), bytes);
    std::string error;
    EXPECT_FALSE(CompiledMap::open(dir.path(), error)) << c.name;
    EXPECT_NE(error.find(c.expectedReason), std::string::npos) << c.name << ": " << error;
  }
}

TEST(CompiledMap, RefusesMissingMapAndForeignFile) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(CompiledMap::open(dir.file("nichts"), error));
  EXPECT_NE(error.find("nicht gefunden"), std::string::npos) << error;

  std::filesystem::create_directory(CompiledMap::filePath(dir.path()));
  EXPECT_FALSE(CompiledMap::open(dir.path(), error));
  EXPECT_NE(error.find("keine lesbare Datei"), std::string::npos) << error;
}

bool carriesData(const std::vector<char>& file, std::size_t at) {
  FileHeader header;
  std::memcpy(&header, file.data(), sizeof header);
  if (at < sizeof(FileHeader) + header.sectionCount * sizeof(SectionEntry)) return true;
  for (std::uint32_t i = 0; i < header.sectionCount; ++i) {
    SectionEntry entry;
    std::memcpy(&entry, file.data() + sizeof(FileHeader) + i * sizeof(SectionEntry), sizeof entry);
    if (at >= entry.offset && at < entry.offset + entry.size) return true;
  }
  return false;  // alignment padding
}

// A flipped byte anywhere in header, table or sections is refused, never crashes the reader.
TEST(CompiledMap, EveryFlippedByteIsRefused) {
  TempDir good;
  buildSmallMap(good.path());
  const std::vector<char> original = readAll(CompiledMap::filePath(good.path()));
  TempDir dir;
  int refused = 0;
  for (std::size_t at = 0; at < original.size(); ++at) {
    if (!carriesData(original, at)) continue;
    std::vector<char> bytes = original;
    bytes[at] ^= 0x10;
    writeAll(CompiledMap::filePath(dir.path()), bytes);
    std::string error;
    EXPECT_FALSE(CompiledMap::open(dir.path(), error)) << "byte " << at;
    EXPECT_FALSE(error.empty()) << "byte " << at;
    ++refused;
  }
  EXPECT_GT(refused, 500);
}

}  // namespace
}  // namespace geo
