// The pieces that turn outside text into values and values into block fields.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "webapp/datablock.h"
#include "webapp/dates.h"
#include "webapp/postings.h"
#include "webapp/request.h"

namespace webapp {
namespace {

using ::testing::ElementsAre;

TEST(BlockField, KeepsSeparatorsLineBreaksAndMarkupOutOfAField) {
  const std::pair<const char*, const char*> cases[] = {
      {"Müller ~ Söhne|GmbH", "Müller / Söhne/GmbH"},
      {"Zeile 1\r\nZeile 2\nZeile 3", "Zeile 1¶Zeile 2¶Zeile 3"},
      {"<script>&", "(script)+"},
      {"  [ZEPRouting]\t", "[ZEPRouting]"},
      {"a\x01"
       "b",
       "a b"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(blockField(in), out) << in;
}

TEST(BlockField, AFieldThatLooksLikeAMarkerCannotEndTheBlock) {
  DataBlock block(14);
  block.addRow(1, {"[ZEPRouting]", "x"});
  block.addRow(1, {"2"});
  block.addRow(3, {"Titel"});
  EXPECT_EQ(block.text(),
            "[ZEPRouting]\n14\nQ1R1=[ZEPRouting]~x\nQ1R2=2\nQ3R1=Titel\n[ZEPRouting]\n");
}

TEST(GermanDates, AcceptOnlyRealDaysAndTimes) {
  EXPECT_TRUE(parseGermanDate("29.02.2028"));
  for (const char* bad : {"29.02.2027", "1.2.2027", "01.13.2027", "01.01.27", "", "01-01-2027"})
    EXPECT_FALSE(parseGermanDate(bad)) << bad;
  EXPECT_EQ(germanDateTime(*parseGermanDateTime("07.09.2016 23:59")), "07.09.2016 23:59");
  EXPECT_FALSE(parseGermanDateTime("07.09.2016 24:00"));
  EXPECT_EQ(isoWeekday(*parseGermanDate("09.10.2016")), 7);
  EXPECT_EQ(germanDate(mondayOf(*parseGermanDate("09.10.2016"))), "03.10.2016");
}

TEST(QueryParameters, ArePositionalAndDecoded) {
  EXPECT_THAT(
      queryParameters("routinglist26050&a&&&&&0&17&07.09.2016&0&0&1"),
      ElementsAre("routinglist26050", "a", "", "", "", "", "0", "17", "07.09.2016", "0", "0", "1"));
  EXPECT_THAT(queryParameters("x&Fehler-Nr:+5&H%C3%B6chstens+200"),
              ElementsAre("x", "Fehler-Nr: 5", "Höchstens 200"));
  EXPECT_THROW(queryParameters("a%00b"), BadRequest);
  EXPECT_THROW(queryParameters("%FF"), BadRequest);
  EXPECT_THROW(queryParameters("a%0A[ZEPRouting]%0A2"), BadRequest);
}

TEST(Selections, ReadTheConditionsTheProgramWrites) {
  const Selection orders = parseSelection("(AuftragId IN (3,17,2))");
  EXPECT_EQ(orders.kind, Selection::Kind::Orders);
  EXPECT_THAT(orders.orderIds, ElementsAre(3, 17, 2));
  EXPECT_TRUE(parseSelection("(AuftragId IN (null))").orderIds.empty());
  const Selection places = parseSelection(
      "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('95444 Lindenau','12345 O'+CHR(39)+'Hara',null))");
  EXPECT_EQ(places.kind, Selection::Kind::Places);
  EXPECT_THAT(places.places, ElementsAre("95444 Lindenau", "12345 O'Hara"));
  for (const char* bad : {"(AuftragId IN (1 OR 1=1))", "(AuftragId IN ())", "AuftragId IN (1)",
                          "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('a'||'b'))",
                          "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('open))"})
    EXPECT_THROW(parseSelection(bad), BadRequest) << bad;
}

TEST(Postings, ReadEveryLineOrNone) {
  const auto arrivals = parsePlannedArrivals("07.09.2016 08:30|12|07.09.2016 Meier (S)|17\r\n\r\n");
  ASSERT_EQ(arrivals.size(), 1u);
  EXPECT_EQ(arrivals[0].orderId, 12);
  EXPECT_EQ(arrivals[0].label, "07.09.2016 Meier (S)");
  EXPECT_EQ(arrivals[0].technicianId, 17);
  const auto changes = parseAppointmentChanges("12|07.09.2016 08:30|1800|17\n13||900|0");
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_FALSE(changes[1].arrival);
  EXPECT_EQ(changes[1].stay, 900);
  EXPECT_THROW(parseAppointmentChanges("12|07.09.2016 08:30|1800|17\n13|x|900|0"), BadRequest);
  EXPECT_THROW(parsePlannedArrivals("07.09.2016 08:30|-12|x|17"), BadRequest);
  const auto notes = parseGeocodingNotes("-1012|49.94521,11.57812");
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].orderId, 1012);
  EXPECT_EQ(notes[0].latitude, "49.94521");
}

TEST(Postings, ReadAnAddressCorrection) {
  const auto c = parseAddressCorrection("1012,'95444','Lindenau','Altstadt','Hauptstraße 5'");
  EXPECT_EQ(c.orderId, 1012);
  EXPECT_EQ(c.postalCode, "95444");
  EXPECT_EQ(c.town, "Lindenau");
  EXPECT_EQ(c.district, "Altstadt");
  EXPECT_EQ(c.street, "Hauptstraße 5");
  EXPECT_THROW(parseAddressCorrection("1012,'95444','Lindenau','Hauptstraße 5'"), BadRequest);
}

}  // namespace
}  // namespace webapp
