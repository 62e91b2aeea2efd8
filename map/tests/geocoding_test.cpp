#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include "map/tests/geocodingfixture.h"

TEST(CountryPostalCode, SplitsTheCountryOffThePostalCode) {
  const struct {
    const char* country;
    const char* postalCode;
    const char* wantCountry;
    const char* wantPostalCode;
  } cases[] = {
      {"", "D-12345", "D", "12345"},
      {"", "CH 8000", "CH", "8000"},
      {"", "12345", "D", "12345"},
      {"DE", "96201", "D", "96201"},
      {"A", " 6020 ", "A", "6020"},
      {"", "ABC", "D", "ABC"},
      {"Deutschland", "D-96201", "D", "96201"},
      {"", "", "D", ""},
  };
  for (const auto& c : cases) {
    const TCountryPostalCode r =
        SplitCountryPostalCode(QString::fromUtf8(c.country), QString::fromUtf8(c.postalCode));
    EXPECT_EQ(r.Country, QString::fromUtf8(c.wantCountry)) << c.postalCode;
    EXPECT_EQ(r.PostalCode, QString::fromUtf8(c.wantPostalCode)) << c.postalCode;
  }
}

TEST(HouseNumberKey, PadsTheNumberAndKeepsItsRest) {
  const struct {
    const char* street;
    const char* key;
  } cases[] = {
      {"Hauptstraße 12a", "0012a"},
      {"Weg 7 b", "0007 b"},
      {"Am Markt", "0000Am Markt"},
      {"   ", ""},
      {"Lange Straße 123456", "123456"},
      {"Ring 007", "0007"},
      {"Allee 3 Hinterhaus links oben im Hof", "0003 Hinterhaus link"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HouseNumberKey(QString::fromUtf8(c.street)), QString::fromUtf8(c.key)) << c.street;
}

TEST_F(GeocodingFixture, ClearAddressesAreGeocodedWithoutAsking) {
  AnswerWith(&TUserRequestForm::BitBtn3);
  TStation* s = AddStation("1", "", "96201", "Lindenau", "Hauptstrase 12");
  ASSERT_TRUE(geocoding.GeocodingStation(s, 0));
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(s->Field(1), "96201 Lindenau  Hauptstraße 12");
  EXPECT_EQ(s->Field(2), "1");
  EXPECT_NE(s->Field(4).toInt(), 0);
  EXPECT_NE(s->Field(5).toInt(), 0);
  EXPECT_EQ(s->Field(10), "Hauptstraße");
  EXPECT_EQ(s->Field(11), "12");
  EXPECT_EQ(s->Field(13), "95");
  EXPECT_EQ(s->Field(14), "0012");
}

// When the dialog asks: several candidates, or one whose postal code differs in its first
// three characters from the one searched, unless that one is a single exact house; never for
// a station that has a point already.
TEST_F(GeocodingFixture, AsksOnlyWhenTheAnswerIsInDoubt) {
  const struct {
    const char* postalCode;
    const char* street;
    const char* x;
    bool asked;
    bool geocoded;
  } cases[] = {
      {"", "Mühlerstraße 4", "", true, true},         {"96101", "Bahnhofstraße", "", true, true},
      {"96101", "Bahnhofstraße 7", "", false, true},  {"96209", "Bahnhofstraße 7", "", false, true},
      {"", "Mühlerstraße 4", "1217551", false, true},
  };
  for (const auto& c : cases) {
    AnswerWith(&TUserRequestForm::BitBtn1, 0);
    questions = 0;
    TStation* s = AddStation("7", "", QString::fromUtf8(c.postalCode), "Lindenau",
                             QString::fromUtf8(c.street));
    s->SetField(4, QString::fromUtf8(c.x));
    s->SetField(5, *c.x ? QStringLiteral("6482380") : QString());
    EXPECT_EQ(geocoding.GeocodingStation(s, 1), c.geocoded) << c.street << " " << c.postalCode;
    EXPECT_EQ(questions, c.asked ? 1 : 0) << c.street << " " << c.postalCode;
  }
}

TEST_F(GeocodingFixture, TheDialogShowsTheCandidatesAndTakesTheChosenOne) {
  AnswerWith(&TUserRequestForm::BitBtn1, 1);
  form.CheckBox1->setChecked(true);
  TStation* s = AddStation("42", "", "", "Lindenau", "Mühlerstraße 4");
  ASSERT_TRUE(geocoding.GeocodingStation(s, 0));
  EXPECT_EQ(shownCandidates, (QStringList{"96202 Lindenau Mühlbach, Mühlenstraße 4",
                                          "96202 Lindenau Mühlbach, Müllerstraße 4"}));
  EXPECT_EQ(form.Label2->text(), "Lindenau  Mühlerstraße 4");
  EXPECT_EQ(form.MapServerData->StationList->Count(), 2);
  EXPECT_EQ(s->Field(10), "Müllerstraße");
  EXPECT_EQ(s->Field(14), "0004");
  ASSERT_EQ(geocoding.GeocodingList->Count(), 1);
  EXPECT_TRUE(geocoding.GeocodingList->Strings(0).startsWith("42|50."))
      << qPrintable(geocoding.GeocodingList->Strings(0));
}

// Cancel stops the run before the next station; "keine Geocodierung" only skips this one.
TEST_F(GeocodingFixture, CancelStopsTheRunAndNoGeocodingSkipsOneStation) {
  const struct {
    QPushButton* TUserRequestForm::*button;
    int geocoded;
    const char* lastStatus;
  } cases[] = {
      {&TUserRequestForm::BitBtn3, 1, "2 von 3 Stationen geocodiert (1 Fehler)"},
      {&TUserRequestForm::BitBtn2, 2, "3 von 3 Stationen geocodiert (1 Fehler)"},
  };
  for (const auto& c : cases) {
    hub.StationList->Clear();
    AnswerWith(c.button);
    AddStation("1", "", "96201", "Lindenau", "Bahnhofstraße 7");
    AddStation("2", "", "", "Lindenau", "Mühlerstraße 4");
    AddStation("3", "", "96201", "Lindenau", "Schulstraße 4");
    EXPECT_TRUE(geocoding.GeocodingStations(false));
    int geocoded = 0;
    for (int i = 0; i < 3; ++i)
      geocoded += hub.StationList->GetStationDataValue(i, 4).isEmpty() ? 0 : 1;
    EXPECT_EQ(geocoded, c.geocoded);
    EXPECT_EQ(status[1], c.lastStatus);
  }
}

TEST_F(GeocodingFixture, ErrorsAreCountedOrStopTheRun) {
  for (const bool breakOnError : {false, true}) {
    hub.StationList->Clear();
    AddStation("1", "", "96201", "Lindenau", "Bahnhofstraße 7");
    AddStation("2", "", "", "", "");
    AddStation("3", "", "99999", "Nirgendwo", "Unbekannt 1");
    AddStation("4", "", "96201", "Lindenau", "Schulstraße 4");
    AddStation("5", "", "96202", "Eichenbrunn", "Dorfstraße 5");
    EXPECT_EQ(geocoding.GeocodingStations(breakOnError), !breakOnError);
    EXPECT_EQ(status[1], breakOnError ? "1 von 5 Stationen geocodiert (0 Fehler)"
                                      : "5 von 5 Stationen geocodiert (2 Fehler)");
    EXPECT_EQ(status[0], breakOnError ? "40" : "100");
  }
}

TEST_F(GeocodingFixture, AStationWithAPointIsLookedUpThereUnlessTheAddressIsAsked) {
  TStation* s = AddStation("1", "", "96201", "Lindenau", "Schulstraße 4");
  ASSERT_TRUE(geocoding.GeocodingStation(s, 1));
  const QString x = s->Field(4), y = s->Field(5);
  TStation* t = AddStation("2", "", "96202", "Lindenau", "Kirchweg 2");
  t->SetField(4, x);
  t->SetField(5, y);
  ASSERT_TRUE(geocoding.GeocodingStation(t, 0));
  EXPECT_EQ(t->Field(10), "Schulstraße");
  EXPECT_EQ(t->Field(14), "");
  t->SetField(7, "96202");
  t->SetField(10, "Kirchweg 2");
  ASSERT_TRUE(geocoding.GeocodingStation(t, 1));
  EXPECT_EQ(t->Field(10), "Kirchweg");
  EXPECT_EQ(t->Field(14), "0002");
}

// Hostile or broken addresses give false or a candidate, never a crash or a hang, and a
// station that is not geocoded keeps its fields.
TEST_F(GeocodingFixture, BadAddressesAreAnsweredCalmly) {
  AnswerWith(&TUserRequestForm::BitBtn2);
  const QString huge(10 * 1024, QLatin1Char('x'));
  const QString cases[] = {QStringLiteral("'; DROP TABLE RO; --"),
                           QStringLiteral("\"Haupt\"\r\nstraße 1"),
                           huge,
                           QStringLiteral("12345"),
                           QStringLiteral("@"),
                           QString()};
  for (const QString& street : cases) {
    TStation* s = AddStation("9", "", "", "Lindenau\r\n", street);
    const bool ok = geocoding.GeocodingStation(s, 0);
    if (!ok) {
      EXPECT_EQ(s->Field(10), street);
      EXPECT_TRUE(s->Field(4).isEmpty());
    }
  }
  TStation* empty = AddStation("10", "", "", "", "");
  EXPECT_FALSE(geocoding.GeocodingStation(empty, 0));
  EXPECT_FALSE(geocoding.GeocodingStation(nullptr, 0));
  TStation* outside = AddStation("11", "", "", "", "");
  outside->SetField(4, "100");
  outside->SetField(5, "100");
  EXPECT_FALSE(geocoding.GeocodingStation(outside, 0));
}
