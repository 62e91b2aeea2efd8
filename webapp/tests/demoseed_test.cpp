// Demo data are made once per database, and only from a map that can be read.

#include "webapp/demoseed.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "geo/map/defaultmap.h"
#include "webapp/database.h"
#include "webapp/schema.h"

namespace webapp {
namespace {

class DemoSeedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("zep-webapp-seed-" + std::to_string(::getpid()) + ".db");
    std::filesystem::remove(path_);
  }
  void TearDown() override {
    for (const char* suffix : {"", "-wal", "-shm"})
      std::filesystem::remove(path_.string() + suffix);
  }
  std::filesystem::path path_;
};

TEST_F(DemoSeedTest, SeedsOnceFromTheRealAddressesOfTheMap) {
  Database db(path_.string());
  createSchema(db);
  seedDemo(db, geo::defaultMapRoot());
  seedDemo(db, geo::defaultMapRoot());
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM orders"), 80);
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM technicians"), 6);
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM projects"), 2);
  EXPECT_EQ(db.singleInteger("SELECT COUNT(DISTINCT type) FROM appointments"), 8);
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM orders WHERE street='Am Nirgendwo'"), 1);
  // Every tenth order shares its address with the one before.
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM (SELECT 1 FROM orders GROUP BY postal_code, "
                             "town, street, house_number HAVING COUNT(*) > 1)"),
            8);
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM orders WHERE waiting=1"), 10);
}

TEST_F(DemoSeedTest, RefusesAMapThatCannotBeRead) {
  Database db(path_.string());
  createSchema(db);
  try {
    seedDemo(db, "/nonexistent/map");
    FAIL() << "no map, no demo";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("lässt sich nicht lesen"), std::string::npos);
  }
  EXPECT_EQ(db.singleInteger("SELECT COUNT(*) FROM orders"), 0);
}

}  // namespace
}  // namespace webapp
