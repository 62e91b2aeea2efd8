#include <QListWidget>
#include <QTest>

#include "map/component/factory.h"
#include "map/component/igeocoder.h"
#include "map/tests/geocodingfixture.h"

namespace {
// Result column of a candidate: street, house number and a point.
QVariantList Candidate(const QString& Street, const QString& Number, int X) {
  QVariantList c(19);
  c[2] = X;
  c[3] = 6482000;
  c[4] = "D";
  c[5] = "96201";
  c[6] = "Lindenau";
  c[8] = Street;
  c[9] = Number;
  return c;
}

// A geocoder that answers every search with the candidates it was given, code 2, and every
// reverse lookup with the candidate at that x.
class FixedGeocoder : public IGeocoder, public IReverseGeocoder {
 public:
  ComStatus GetSearchOptions(QVariant&) override { return ComStatus::Ok; }
  ComStatus Search(const QVariant&, QString&, QString&, QString&, QString&, QString&, int, int, int,
                   int, int, int, int, VariantArray2D& Result, int& Code) override {
    Result.Columns = Candidates;
    Code = 2;
    return ComStatus::Ok;
  }
  ComStatus ReverseLookup(int X, int, VariantArray2D& Result) override {
    for (const QVariantList& c : Candidates) {
      if (c[2].toInt() == X) Result.Columns = {c};
    }
    return ComStatus::Ok;
  }
  QList<QVariantList> Candidates;
};

class FixedFactory : public ComponentFactory {
 public:
  std::shared_ptr<IGeocoder> CreateGeocoder() override { return Geocoder; }
  std::shared_ptr<FixedGeocoder> Geocoder = std::make_shared<FixedGeocoder>();
};

class GeocodingDialog : public GeocodingFixture {
 protected:
  void SetUp() override {
    GeocodingFixture::SetUp();
    ComponentFactory::SetInstance(&factory);
    fixed = std::make_unique<TGeocoding>();
    ComponentFactory::SetInstance(nullptr);
    fixed->SetUserRequestForm(&form);
  }
  FixedFactory factory;
  std::unique_ptr<TGeocoding> fixed;
};
}  // namespace

// Streets "@" (the town only) after an exact first candidate are left out; a single exact
// candidate left is taken without a question.
TEST_F(GeocodingDialog, TownOnlyCandidatesAfterAnExactOneAreLeftOut) {
  const struct {
    QList<QVariantList> candidates;
    int questions;
    QStringList shown;
    const char* street;
  } cases[] = {
      {{Candidate("Hauptstraße", "12", 1217000), Candidate("@", "", 1218000)},
       0,
       {},
       "Hauptstraße"},
      {{Candidate("Hauptstraße", "", 1217000), Candidate("@", "", 1218000)},
       1,
       {"96201 Lindenau, Hauptstraße", "96201 Lindenau,"},
       "@"},
  };
  for (const auto& c : cases) {
    factory.Geocoder->Candidates = c.candidates;
    questions = 0;
    shownCandidates.clear();
    AnswerWith(&TUserRequestForm::BitBtn1, 1);
    TStation* s = AddStation("1", "", "96201", "Lindenau", "Hauptstr. 12");
    ASSERT_TRUE(fixed->GeocodingStation(s, 0));
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(shownCandidates, c.shown);
    EXPECT_EQ(s->Field(10), c.street);
  }
}

TEST_F(GeocodingDialog, OkWaitsForARowAndEscapeMeansNoGeocoding) {
  EXPECT_FALSE(form.BitBtn1->isEnabled());
  form.AddListBoxItem("96201 Lindenau, Am Markt 1");
  EXPECT_TRUE(form.BitBtn1->isEnabled());
  EXPECT_EQ(form.ListBox1->currentRow(), 0);
  form.AnswerProvider = [](TUserRequestForm& f) { QTest::keyClick(&f, Qt::Key_Escape); };
  EXPECT_EQ(form.Execute(), TUserRequestForm::Abort);
  form.AnswerProvider = [](TUserRequestForm& f) { f.BitBtn3->click(); };
  EXPECT_EQ(form.Execute(), QDialog::Rejected);
}
