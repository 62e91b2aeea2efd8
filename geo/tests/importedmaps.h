#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "geo/map/compiledmap.h"
#include "geo/osm/demoregion.h"
#include "geo/osm/osmimport.h"
#include "geo/tests/tempdir.h"

namespace geo::testing {

// A map imported into a temporary folder for the tests of one suite.
struct ImportedMap {
  TempDir dir;
  std::unique_ptr<CompiledMap> map;
};

inline std::unique_ptr<ImportedMap> importDemoRegion() {
  auto imported = std::make_unique<ImportedMap>();
  std::string error;
  EXPECT_TRUE(writeDemoRegion(imported->dir.file("demo.osm"), error)) << error;
  EXPECT_TRUE(importOsm(imported->dir.file("demo.osm"), imported->dir.file("map"), error)) << error;
  imported->map = CompiledMap::open(imported->dir.file("map"), error);
  EXPECT_TRUE(imported->map) << error;
  return imported;
}

inline const std::string kNorthBayreuthExtract =
    std::string(ZEP_SHARED_DATA_DIR) + "/osm/north-bayreuth.osm.gz";

// Nothing when the shared extract is not there.
inline std::unique_ptr<ImportedMap> importNorthBayreuth() {
  if (!std::filesystem::exists(kNorthBayreuthExtract)) return nullptr;
  auto imported = std::make_unique<ImportedMap>();
  std::string error;
  EXPECT_TRUE(importOsm(kNorthBayreuthExtract, imported->dir.file("map"), error)) << error;
  imported->map = CompiledMap::open(imported->dir.file("map"), error);
  EXPECT_TRUE(imported->map) << error;
  return imported;
}

}  // namespace geo::testing
