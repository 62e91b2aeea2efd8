#include "geo/geocode/geocoder.h"

#include <gtest/gtest.h>

#include <climits>

#include "geo/geocode/textnormal.h"
#include "geo/map/compiledmap.h"
#include "geo/map/mapbuilder.h"
#include "geo/osm/osmimport.h"
#include "geo/tests/geocodertesting.h"
#include "geo/tests/importedmaps.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

TEST(TextNormal, SpellingsOfOneNameMeet) {
  const struct {
    const char* a;
    const char* b;
  } same[] = {
      {"Müllerstraße", "muellerstrasse"},
      {"Müllerstraße", "Mullerstr."},
      {"Müllerstraße", "MÜLLER STR"},
      {"Bayreuther Straße", "Bayreutherstr."},
      {"St.-Georgen-Straße", "Sankt Georgen Strasse"},
      {"St. Georgen-Straße", "st georgenstr"},
      {"Heinersreuth-Cottenbach", "Heinersreuth Cottenbach"},
      {"Äußere Bahnhofstraße", "Aeussere Bahnhofstr."},
      {"Marktpl.", "Marktplatz"},
      {"Crème-Brûlée-Gasse", "creme brulee gasse"},
  };
  for (const auto& c : same) EXPECT_EQ(matchKey(c.a), matchKey(c.b)) << c.a << " / " << c.b;
  EXPECT_NE(matchKey("Mühlenstraße"), matchKey("Müllerstraße"));
  EXPECT_NE(matchKey("Hauptstraße"), matchKey("Hauptweg"));
  EXPECT_EQ(matchKey(" \t-. "), "");
  EXPECT_EQ(matchKey("\xff\xfe broken \xc3"), "broken");
}

TEST(TextNormal, HouseNumbersSplitFromTheStreet) {
  const struct {
    const char* text;
    const char* street;
    const char* number;
  } cases[] = {
      {"Hauptstraße 12a", "Hauptstraße", "12a"},
      {"Weg 7 b", "Weg", "7 b"},
      {"Am Markt", "Am Markt", ""},
      {"Hauptstr.12", "Hauptstr.", "12"},
      {"  Lindenallee   3 ", "Lindenallee", "3"},
      {"Straße des 17. Juni 5", "Straße des 17. Juni", "5"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const StreetAndNumber split = splitHouseNumber(c.text);
    EXPECT_EQ(split.street, c.street) << c.text;
    EXPECT_EQ(split.number, c.number) << c.text;
  }
  EXPECT_EQ(houseNumberKey("12 A"), "12a");
  EXPECT_EQ(houseNumberKey("12-a"), "12a");
  EXPECT_EQ(houseNumberKey("12-14"), "12-14");
  EXPECT_EQ(houseNumberValue("12a"), 12);
  EXPECT_EQ(houseNumberValue("a12"), -1);
  EXPECT_EQ(countryKey("de"), "D");
  EXPECT_EQ(countryKey(""), "D");
  EXPECT_EQ(countryKey("AT"), "A");
}

TEST(TextNormal, EditDistanceCountsSwapsAsOneAndStopsAtTheLimit) {
  EXPECT_EQ(boundedEditDistance("lindenau", "lindenau", 2), 0);
  EXPECT_EQ(boundedEditDistance("lindenau", "lindneau", 2), 1);
  EXPECT_EQ(boundedEditDistance("lindenau", "lindau", 2), 2);
  EXPECT_EQ(boundedEditDistance("lindenau", "london", 2), 3);
  EXPECT_EQ(boundedEditDistance("abc", "abcdefgh", 1), 2);
  EXPECT_EQ(allowedTypos("ruh"), 0);
  EXPECT_EQ(allowedTypos("bergstrasse"), 1);
  EXPECT_EQ(allowedTypos("hofweg"), 0);
  EXPECT_EQ(allowedTypos("lindenau"), 2);
  EXPECT_EQ(allowedTypos("schillerstrasse"), 2);
  EXPECT_EQ(allowedTypos("strasse"), 1) << "a name that is only the ending counts whole";
}

// The demo region, written and imported once; its geocoder built on it.
class DemoGeocoder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = testing::importDemoRegion().release();
    map_ = demo_->map.get();
    ASSERT_TRUE(map_);
    geocoder_ = new Geocoder(*map_);
  }
  static void TearDownTestSuite() {
    delete geocoder_;
    delete demo_;
  }

  static GeocodeResult search(const std::string& postalCode, const std::string& town,
                              const std::string& street, const std::string& district = "",
                              const std::string& country = "D") {
    return geocoder_->search({country, postalCode, town, district, street});
  }

  static testing::ImportedMap* demo_;
  static CompiledMap* map_;
  static Geocoder* geocoder_;
};

testing::ImportedMap* DemoGeocoder::demo_ = nullptr;
CompiledMap* DemoGeocoder::map_ = nullptr;
Geocoder* DemoGeocoder::geocoder_ = nullptr;

TEST_F(DemoGeocoder, EveryAddressIsFoundByItsTextsItsVariantsAndItsPoint) {
  testing::AddressSweep sweep;
  sweep.run(*map_, *geocoder_);
  EXPECT_GT(sweep.addresses, 500u);
  EXPECT_GT(sweep.variants, 5 * sweep.addresses);
  EXPECT_EQ(sweep.notClear, 0u);
  EXPECT_EQ(sweep.variantsNotFirst, 0u);
  EXPECT_EQ(sweep.variantsTied, 0u);
  EXPECT_EQ(sweep.reverseMissed, 0u);
}

struct SearchCase {
  const char* name;
  const char* postalCode;
  const char* town;
  const char* district;
  const char* street;
  int code;
  // Expected first candidate; ignored for code 0.
  const char* hitPostalCode;
  const char* hitTown;
  const char* hitStreet;
  const char* hitNumber;
  AddressClass classification;
  std::uint32_t flags;  // must all be set
  bool perfect;         // goodness 100, or less than 100
};

TEST_F(DemoGeocoder, DispatcherQueries) {
  using enum AddressClass;
  const SearchCase cases[] = {
      {"exact", "96201", "Lindenau", "", "Schillerstraße 3", 1, "96201", "Lindenau",
       "Schillerstraße", "3", HouseNumber, 0, true},
      {"postal code of the other part of the town", "96202", "Lindenau", "", "Schillerstraße 3", 1,
       "96201", "Lindenau", "Schillerstraße", "3", HouseNumber, kPostalCodeCorrected, false},
      {"postal code of another town", "96201", "Eichenbrunn", "", "Dorfstraße 3", 1, "96202",
       "Eichenbrunn", "Dorfstraße", "3", HouseNumber, kPostalCodeCorrected, false},
      {"wrong postal code kept apart from the town", "12345", "Lindenau", "", "Schillerstraße 3", 1,
       "96201", "Lindenau", "Schillerstraße", "3", HouseNumber, kPostalCodeCorrected, false},
      {"postal code with country prefix", "D-96201", "Lindenau", "", "Schillerstraße 3", 1, "96201",
       "Lindenau", "Schillerstraße", "3", HouseNumber, 0, true},
      {"no postal code", "", "Lindenau", "", "Goethestr. 5", 1, "96201", "Lindenau", "Goethestraße",
       "5", HouseNumber, kPostalCodeAdded, true},
      {"no town", "96202", "", "", "Dorfstraße 3", 1, "96202", "Eichenbrunn", "Dorfstraße", "3",
       HouseNumber, kTownAdded, true},
      {"neither town nor postal code", "", "", "", "Weiherweg 2", 1, "96202", "Eichenbrunn",
       "Weiherweg", "2", HouseNumber, kTownAdded | kPostalCodeAdded, true},
      {"two typos in the street", "96201", "Lindenau", "", "Schilerstrase 3", 1, "96201",
       "Lindenau", "Schillerstraße", "3", HouseNumber, kStreetCorrected, false},
      {"typo in the town, wrong postal code", "12345", "Lindnau", "", "Schillerstraße 3", 1,
       "96201", "Lindenau", "Schillerstraße", "3", HouseNumber, kTownCorrected, false},
      {"unknown town, known postal code", "96202", "Xanten", "", "Dorfstraße 3", 1, "96202",
       "Eichenbrunn", "Dorfstraße", "3", HouseNumber, kTownCorrected, false},
      {"district given as town", "", "Mühlbach", "", "Müllerstraße 5", 1, "96202", "Lindenau",
       "Müllerstraße", "5", HouseNumber, 0, false},
      {"house number suffix missing in the map", "96201", "Lindenau", "", "Schillerstraße 12c", 1,
       "96201", "Lindenau", "Schillerstraße", "12", OtherHouseNumber, kHouseNumberReplaced, false},
      {"house number beyond the street's", "96201", "Lindenau", "", "Goethestraße 999", 1, "96201",
       "Lindenau", "Goethestraße", "", OtherHouseNumber, kHouseNumberReplaced, false},
      {"street without houses", "96202", "Lindenau", "", "Eichenbrunner Straße 5", 1, "96202",
       "Lindenau", "Eichenbrunner Straße", "", Street, kHouseNumberReplaced, false},
      {"street only", "96201", "Lindenau", "", "Goethestraße", 1, "96201", "Lindenau",
       "Goethestraße", "", Street, 0, false},
      {"street of another town", "96201", "Lindenau", "", "Dorfstraße 3", 1, "96201", "Lindenau",
       "@", "", Town, kStreetNotFound, false},
      {"two typos in the town", "96201", "Lnidenua", "", "Schillerstraße 3", 1, "96201", "Lindenau",
       "Schillerstraße", "3", HouseNumber, kTownCorrected, false},
      {"town only", "", "Lindenau", "", "", 1, "96201", "Lindenau", "@", "", Town, 0, false},
      {"postal code only", "96201", "", "", "", 1, "96201", "Lindenau", "@", "", PostalArea,
       kTownAdded, false},
      {"postal code of two towns", "96202", "", "", "", 2, "96202", "Lindenau", "@", "", PostalArea,
       kTownAdded, false},
      {"wrong district", "96202", "Lindenau", "Eichenbrunn", "Müllerstraße 5", 1, "96202",
       "Lindenau", "Müllerstraße", "5", HouseNumber, kDistrictCorrected, false},
      {"nonsense", "", "Qwertz", "", "Asdfgh 9", 0, "", "", "", "", HouseNumber, 0, false},
      {"nonsense with a postal code nobody has", "00000", "", "", "Asdfgh 9", 0, "", "", "", "",
       HouseNumber, 0, false},
      {"nothing at all", "", "", "", "", 0, "", "", "", "", HouseNumber, 0, false},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const GeocodeResult r = search(c.postalCode, c.town, c.street, c.district);
    EXPECT_EQ(r.code, c.code) << testing::describe(r);
    if (c.code == 0) {
      EXPECT_TRUE(r.candidates.empty());
      continue;
    }
    ASSERT_FALSE(r.candidates.empty());
    const GeocodeCandidate& first = r.candidates.front();
    EXPECT_EQ(first.postalCode, c.hitPostalCode);
    EXPECT_EQ(first.town, c.hitTown);
    EXPECT_EQ(first.street, c.hitStreet);
    if (*c.hitNumber) {
      EXPECT_EQ(first.houseNumber, c.hitNumber);
    }
    EXPECT_EQ(first.classification, c.classification);
    EXPECT_EQ(first.flags & c.flags, c.flags) << first.flags;
    EXPECT_EQ(first.goodness == 100, c.perfect) << first.goodness;
    EXPECT_GE(first.goodness, 1);
  }
}

TEST_F(DemoGeocoder, ClearHitCorrectsTheQueryTextsOthersKeepThem) {
  const GeocodeResult fixed = search("96202", "lindenau", "schillerstr 3");
  ASSERT_EQ(fixed.code, 1);
  EXPECT_EQ(fixed.corrected.postalCode, "96201");
  EXPECT_EQ(fixed.corrected.town, "Lindenau");
  EXPECT_EQ(fixed.corrected.street, "Schillerstraße 3");
  EXPECT_EQ(fixed.corrected.country, "D");

  const GeocodeResult townOnly = search("", "Lindenau", "Dorfstraße 3");
  ASSERT_EQ(townOnly.code, 1);
  EXPECT_EQ(townOnly.corrected.street, "Dorfstraße 3") << "an unknown street stays as typed";

  for (const GeocodeResult& kept : {search("96202", "", ""), search("", "Qwertz", "Asdf 1")}) {
    ASSERT_NE(kept.code, 1);
    EXPECT_EQ(kept.corrected.town, kept.code == 2 ? "" : "Qwertz");
    EXPECT_EQ(kept.corrected.postalCode, kept.code == 2 ? "96202" : "");
  }
}

TEST_F(DemoGeocoder, OtherCountriesAreNotOnTheMap) {
  EXPECT_EQ(search("96201", "Lindenau", "Schillerstraße 3", "", "DE").code, 1);
  EXPECT_EQ(search("96201", "Lindenau", "Schillerstraße 3", "", "").code, 1);
  EXPECT_EQ(search("96201", "Lindenau", "Schillerstraße 3", "", "Deutschland").code, 1);
  EXPECT_EQ(search("96201", "Lindenau", "Schillerstraße 3", "", "A").code, 0);
}

TEST_F(DemoGeocoder, ReverseFallsBackToStreetThenTownThenNothing) {
  // The country road to the village has no houses.
  const StreetRecord* road = nullptr;
  for (const StreetRecord& s : map_->streets()) {
    if (map_->text(s.name) == "Eichenbrunner Straße") road = &s;
  }
  ASSERT_TRUE(road);
  const auto line = map_->points(map_->ranges(road->parts).front());
  const Point middle = line[line.size() / 2];
  const auto street = geocoder_->reverse({middle.x + 30, middle.y});
  ASSERT_EQ(street.size(), 1u);
  EXPECT_EQ(street[0].classification, AddressClass::Street);
  EXPECT_EQ(street[0].street, "Eichenbrunner Straße");
  EXPECT_EQ(street[0].houseNumber, "");
  EXPECT_EQ(street[0].town, "Lindenau");
  EXPECT_LT(mapDistanceMetres(street[0].point, middle), 25);

  const PlaceRecord* village = nullptr;
  for (const PlaceRecord& p : map_->places()) {
    if (map_->text(p.name) == "Eichenbrunn") village = &p;
  }
  ASSERT_TRUE(village);
  const auto town = geocoder_->reverse({village->centre.x, village->centre.y + 1000});
  ASSERT_EQ(town.size(), 1u);
  EXPECT_EQ(town[0].street, "@");
  EXPECT_EQ(town[0].town, "Eichenbrunn");
  EXPECT_EQ(town[0].classification, AddressClass::Town);

  for (const Point far : {Point{1000000, 6000000}, Point{INT32_MAX, INT32_MAX},
                          Point{INT32_MIN, INT32_MIN}, Point{0, 2000000000}}) {
    EXPECT_TRUE(geocoder_->reverse(far).empty()) << far.x << "," << far.y;
  }
}

TEST_F(DemoGeocoder, CandidateRowsComeInTheirFixedOrder) {
  const GeocodeResult r = search("96201", "Lindenau", "Schillerstraße 3");
  ASSERT_EQ(r.code, 1);
  const GeocodeCandidate& c = r.candidates.front();
  const auto rows = resultRows(c);
  EXPECT_EQ(std::get<std::int64_t>(rows[0]), static_cast<int>(ReferenceTable::Address));
  EXPECT_EQ(std::get<std::int64_t>(rows[1]), c.reference);
  EXPECT_EQ(map_->addresses()[c.reference].point, c.point);
  EXPECT_EQ(std::get<std::int64_t>(rows[2]), c.point.x);
  EXPECT_EQ(std::get<std::int64_t>(rows[3]), c.point.y);
  EXPECT_EQ(std::get<std::string>(rows[4]), "D");
  EXPECT_EQ(std::get<std::string>(rows[5]), "96201");
  EXPECT_EQ(std::get<std::string>(rows[6]), "Lindenau");
  EXPECT_EQ(std::get<std::string>(rows[8]), "Schillerstraße");
  EXPECT_EQ(std::get<std::string>(rows[9]), "3");
  EXPECT_EQ(std::get<std::int64_t>(rows[11]), 100);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(rows[12]));
  EXPECT_EQ(std::get<std::int64_t>(rows[15]), 8400) << "population of Lindenau";
  EXPECT_GT(std::get<std::int64_t>(rows[16]), 100) << "metres from the town centre";
  EXPECT_EQ(std::string(kResultRowFields[11]), "Goodness");
  EXPECT_EQ(std::string(kResultRowFields[18]), "ADDRESSCLASSIFICATION");
}

// A small map made for the cases the demo region lacks: one street name in two towns, two
// hamlets of one name, a house mapped twice, a street name with a number in it.
class SmallMapGeocoder : public ::testing::Test {
 protected:
  static constexpr Point kNeustadt{1200000, 6400000};
  static constexpr Point kAltdorf{1230000, 6400000};

  static void SetUpTestSuite() {
    dir_ = new TempDir();
    MapBuilder b;
    b.addPlace({"Neustadt", "11111", "", PlaceKind::Town, 9000, kNeustadt});
    b.addPlace({"Altdorf", "22222", "", PlaceKind::Village, 800, kAltdorf});
    b.addPlace({"Ziegelhütte", "", "", PlaceKind::Hamlet, 0, {1210000, 6420000}});
    b.addPlace({"Ziegelhütte", "", "", PlaceKind::Hamlet, 0, {1220000, 6380000}});
    for (int n = 1; n <= 5; ++n) house(b, "11111", "Neustadt", "Hauptstraße", n, kNeustadt);
    for (int n = 1; n <= 3; ++n) house(b, "22222", "Altdorf", "Hauptstraße", n, kAltdorf);
    // Number 7 of the Gartenweg once as a building and once on an interpolation line.
    house(b, "11111", "Neustadt", "Gartenweg", 7, {kNeustadt.x, kNeustadt.y + 400});
    house(b, "11111", "Neustadt", "Gartenweg", 7, {kNeustadt.x + 150, kNeustadt.y + 400});
    house(b, "11111", "Neustadt", "Straße des 17. Juni", 5, {kNeustadt.x, kNeustadt.y - 400});
    // One street name in two districts far apart, both with a number 1.
    b.addAddress({"D", "11111", "Neustadt", "Oberdorf", "Lindenweg", "1", {1200000, 6403000}});
    b.addAddress({"D", "11111", "Neustadt", "Unterdorf", "Lindenweg", "1", {1200000, 6397000}});
    b.addStreet(
        {"Straße des 17. Juni",
         "Neustadt",
         "11111",
         {{{kNeustadt.x - 200, kNeustadt.y - 420}, {kNeustadt.x + 200, kNeustadt.y - 420}}}});
    std::string error;
    ASSERT_TRUE(b.write(dir_->file("map"), error)) << error;
    map_ = CompiledMap::open(dir_->file("map"), error).release();
    ASSERT_TRUE(map_) << error;
    geocoder_ = new Geocoder(*map_);
  }
  static void TearDownTestSuite() {
    delete geocoder_;
    delete map_;
    delete dir_;
  }

  static void house(MapBuilder& b, const char* postalCode, const char* town, const char* street,
                    int number, Point near) {
    b.addAddress({"D",
                  postalCode,
                  town,
                  "",
                  street,
                  std::to_string(number),
                  {near.x + 40 * number, near.y + 30}});
  }

  static GeocodeResult search(const std::string& postalCode, const std::string& town,
                              const std::string& street) {
    return geocoder_->search({"D", postalCode, town, "", street});
  }

  static TempDir* dir_;
  static CompiledMap* map_;
  static Geocoder* geocoder_;
};

TempDir* SmallMapGeocoder::dir_ = nullptr;
CompiledMap* SmallMapGeocoder::map_ = nullptr;
Geocoder* SmallMapGeocoder::geocoder_ = nullptr;

TEST_F(SmallMapGeocoder, OneStreetNameInTwoTownsIsAmbiguousUntilTownOrPostalCodeDecides) {
  const GeocodeResult open = search("", "", "Hauptstraße 2");
  EXPECT_EQ(open.code, 2) << testing::describe(open);
  ASSERT_EQ(open.candidates.size(), 2u);
  EXPECT_EQ(open.candidates[0].goodness, open.candidates[1].goodness);
  EXPECT_EQ(open.candidates[0].town, "Neustadt") << "the larger town first";
  EXPECT_EQ(open.corrected.town, "") << "an open choice corrects nothing";

  const GeocodeResult byCode = search("22222", "", "Hauptstraße 2");
  EXPECT_EQ(byCode.code, 1) << testing::describe(byCode);
  EXPECT_EQ(byCode.candidates.front().town, "Altdorf");

  // Number 5 exists in Neustadt only; Altdorf's nearest is 3. The house as asked is clearly
  // better than a neighbour standing in.
  const GeocodeResult byNumber = search("", "", "Hauptstraße 5");
  EXPECT_EQ(byNumber.code, 1) << testing::describe(byNumber);
  EXPECT_EQ(byNumber.candidates.front().town, "Neustadt");
}

TEST_F(SmallMapGeocoder, TwoHamletsOfOneNameAreTwoCandidates) {
  const GeocodeResult r = search("", "Ziegelhütte", "");
  EXPECT_EQ(r.code, 2) << testing::describe(r);
  ASSERT_EQ(r.candidates.size(), 2u);
  EXPECT_NE(r.candidates[0].point, r.candidates[1].point);
  for (const GeocodeCandidate& c : r.candidates) {
    EXPECT_EQ(c.street, "@");
    EXPECT_EQ(c.table, ReferenceTable::Place);
  }
}

TEST_F(SmallMapGeocoder, TheDistrictDecidesBetweenTwoHousesOfOneNumber) {
  const GeocodeResult open = search("11111", "Neustadt", "Lindenweg 1");
  EXPECT_EQ(open.code, 2) << testing::describe(open);
  const GeocodeResult decided =
      geocoder_->search({"D", "11111", "Neustadt", "Oberdorf", "Lindenweg 1"});
  EXPECT_EQ(decided.code, 1) << testing::describe(decided);
  EXPECT_EQ(decided.candidates.front().district, "Oberdorf");
}

TEST_F(SmallMapGeocoder, AHouseMappedTwiceIsOneHit) {
  const GeocodeResult r = search("11111", "Neustadt", "Gartenweg 7");
  EXPECT_EQ(r.code, 1) << testing::describe(r);
  EXPECT_EQ(r.candidates.size(), 1u);
}

TEST_F(SmallMapGeocoder, ANumberInsideTheStreetNameIsNoHouseNumber) {
  const GeocodeResult house = search("11111", "Neustadt", "Straße des 17. Juni 5");
  ASSERT_EQ(house.code, 1) << testing::describe(house);
  EXPECT_EQ(house.candidates.front().houseNumber, "5");
  EXPECT_EQ(house.candidates.front().classification, AddressClass::HouseNumber);

  const GeocodeResult street = search("11111", "Neustadt", "Str. des 17. Juni");
  ASSERT_EQ(street.code, 1) << testing::describe(street);
  EXPECT_EQ(street.candidates.front().street, "Straße des 17. Juni");
  EXPECT_EQ(street.candidates.front().classification, AddressClass::Street);
  EXPECT_EQ(street.corrected.street, "Straße des 17. Juni");
}

TEST_F(SmallMapGeocoder, ReverseLookupFindsTheHamletWithoutHouses) {
  const auto r = geocoder_->reverse({1210000 + 300, 6420000});
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].town, "Ziegelhütte");
  EXPECT_EQ(r[0].classification, AddressClass::Town);
}

}  // namespace
}  // namespace geo
