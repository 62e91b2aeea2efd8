#include <gtest/gtest.h>

#include <filesystem>

#include "geo/geocode/geocoder.h"
#include "geo/map/compiledmap.h"
#include "geo/osm/osmimport.h"
#include "geo/tests/geocodertesting.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

const std::string kExtract = std::string(ZEP_SHARED_DATA_DIR) + "/osm/north-bayreuth.osm.gz";

TEST(BayreuthGeocoder, EveryAddressIsFoundByItsTextsItsVariantsAndItsPoint) {
  if (!std::filesystem::exists(kExtract)) GTEST_SKIP() << "no OSM extract at " << kExtract;
  TempDir dir;
  std::string error;
  ASSERT_TRUE(importOsm(kExtract, dir.file("map"), error)) << error;
  const auto map = CompiledMap::open(dir.file("map"), error);
  ASSERT_TRUE(map) << error;
  const Geocoder geocoder(*map);

  testing::AddressSweep sweep;
  sweep.run(*map, geocoder);
  EXPECT_GT(sweep.addresses, 700u);
  EXPECT_GT(sweep.variants, 4 * sweep.addresses);
  EXPECT_EQ(sweep.notClear, 0u);
  EXPECT_EQ(sweep.variantsNotFirst, 0u);
  EXPECT_LE(sweep.variantsTied, 2u) << "St. Georgen-Straße 16 is mapped in Bindlach and Stöckig";
  EXPECT_EQ(sweep.reverseMissed, 0u);

  // A village whose houses carry the municipality's name is found by the village's name.
  const GeocodeResult village = geocoder.search({"D", "", "Ramsenthal", "", "Hauptstraße 11"});
  ASSERT_FALSE(village.candidates.empty());
  EXPECT_EQ(village.code, 1) << testing::describe(village);
  EXPECT_EQ(village.candidates.front().town, "Bindlach");
  EXPECT_EQ(village.candidates.front().houseNumber, "11");
}

}  // namespace
}  // namespace geo
