#include "workspace/addresscheck.h"

#include <gtest/gtest.h>

#include "planning/stationlist.h"

namespace {

// Stations with order number, postal code, town, district and street.
std::unique_ptr<TStationList> Geocoded(const QList<QStringList>& Rows) {
  auto List = std::make_unique<TStationList>();
  for (const QStringList& Row : Rows) {
    const int Index = List->AddObject(Row.at(0), nullptr);
    List->SetStationDataValue(Index, 0, Row.at(0));
    for (int Field = 7; Field <= 10; ++Field)
      List->SetStationDataValue(Index, Field, Row.at(Field - 6));
  }
  return List;
}

TDomElement Div(const QString& Name, const QString& Text) { return {Name, "", "DIV", Text, false}; }
TDomElement Other() { return {"x", "", "INPUT", "", false}; }

TEST(AddressCheck, AddressTextJoinsPostalCodeTownDistrictAndStreet) {
  QStringList Fields(30);
  Fields[7] = "95444";
  Fields[8] = "Bayreuth";
  Fields[9] = "";
  Fields[10] = "Hauptstr. 1";
  EXPECT_EQ(GeocodedAddressText(Fields), "95444 Bayreuth, Hauptstr. 1");
  Fields[9] = "Altstadt";
  EXPECT_EQ(GeocodedAddressText(Fields), "95444 Bayreuth Altstadt, Hauptstr. 1");
}

TEST(AddressCheck, WritesFoundAddressesAndMarksMissingOnes) {
  const auto Stations = Geocoded({{"A12", "95444", "Bayreuth", "", "Hauptstr. 1"},
                                  {"A-13", "@", "", "", ""},
                                  {"A14", "95448", "Bayreuth", "", "Ring 2"}});
  const QList<TDomElement> Page{Other(), Div("DA12", "alt"), Div("DA13", "x"),
                                Other(), Div("Dnope", "y"),  Div("Dextra", "z")};
  const QStringList S = AddressCheck(Page, *Stations).Statements();
  const QString All = S.join('\n');
  // Station 0 matches: hidden pair 6/7 in the second form, text and a checked box.
  EXPECT_TRUE(All.contains("document.forms[1]")) << All.toStdString();
  EXPECT_TRUE(S.at(0).contains("elements[6]") && S.at(0).contains("\"__7\""));
  EXPECT_TRUE(S.at(1).contains("\"12,'95444','Bayreuth','','Hauptstr. 1'\""));
  EXPECT_TRUE(S.at(2).contains("elements[7]") && S.at(2).contains("\"__8\""));
  EXPECT_TRUE(S.at(3).contains("\"95444 Bayreuth, Hauptstr. 1\""));
  EXPECT_TRUE(S.at(4).contains("innerText") && S.at(4).contains("\"DA12\""));
  EXPECT_TRUE(S.at(5).contains("document.forms[0]") && S.at(5).contains("checked=true"));
  // Station 1 ("-" dropped from its number) was not found: "?" shown, box disabled, unchecked.
  EXPECT_TRUE(S.at(6).contains("\"? ,\"") && S.at(6).contains("\"DA13\""));
  EXPECT_TRUE(S.at(7).contains("elements[1]") && S.at(7).contains("disabled=true"));
  EXPECT_TRUE(S.at(8).contains("elements[1]") && S.at(8).contains("checked=false"));
  // Station 2 meets a DIV of another name: nothing changes there, and no DIV is left for it.
  EXPECT_EQ(S.size(), 9);
}

TEST(AddressCheck, UnchangedTextDisablesTheBox) {
  const auto Stations = Geocoded({{"A1", "95444", "Bayreuth", "", "Ring 2"}});
  const QStringList S =
      AddressCheck({Div("DA1", "95444 Bayreuth, Ring 2")}, *Stations).Statements();
  ASSERT_EQ(S.size(), 6);
  EXPECT_FALSE(S.join('\n').contains("innerText"));
  EXPECT_TRUE(S.at(4).contains("disabled=true"));
  EXPECT_TRUE(S.at(5).contains("checked=false"));
}

}  // namespace
