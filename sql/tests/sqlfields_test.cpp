#include "sql/sqlfields.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QSize>

#include "sql/tests/qstringprinter.h"
#include "sql/varianttext.h"

namespace {
using Column = TADORecordset::Column;

// Three records of a name, a number and a date column, as a query would return them.
class RecordsetReaderTest : public ::testing::Test {
 protected:
  TADORecordsetPtr rs = std::make_shared<TADORecordset>(
      QVector<Column>{
          {" Name ", adotype::VarWChar}, {"Wert", adotype::Double}, {"Datum", adotype::Date}},
      QVector<QVector<QVariant>>{
          {QString("  Anna "), 12.5, QDateTime(QDate(2016, 9, 6), QTime(7, 30))},
          {QString("Bernd"), 42.0, QDateTime(QDate(2016, 9, 7), QTime(0, 0))},
          {QVariant(), QVariant(), QVariant()}});
  TADORecordsetPtr closed = std::make_shared<TADORecordset>();
  TADORecordsetPtr none;
};

TEST_F(RecordsetReaderTest, CountsRecordsAndFields) {
  EXPECT_EQ(SQLRecordCount(rs), 3);
  EXPECT_EQ(SQLFieldCount(rs), 3);
  EXPECT_TRUE(SQLIsResultSet(rs));
}

TEST_F(RecordsetReaderTest, TellsAClosedOrMissingRecordsetApart) {
  EXPECT_FALSE(SQLIsResultSet(closed));
  EXPECT_FALSE(SQLIsResultSet(none));
  EXPECT_EQ(SQLRecordCount(closed), -1);
  EXPECT_EQ(SQLRecordCount(none), -1);
  EXPECT_EQ(SQLFieldCount(closed), -1);
  EXPECT_EQ(SQLFieldCount(none), -1);
  EXPECT_EQ(SQLFieldString(closed, 1, 1), "");
  EXPECT_EQ(SQLFieldInteger(none, 1, 1), 0);
  EXPECT_EQ(SQLFieldType(closed, 1, 1), 0);
  EXPECT_EQ(SQLFieldTypeLetter(none, 1, 1), "c");
}

TEST_F(RecordsetReaderTest, ReadsValuesAsTrimmedGermanText) {
  EXPECT_EQ(SQLFieldString(rs, 1, 1), "Anna");
  EXPECT_EQ(SQLFieldString(rs, 1, 2), "12,5");
  EXPECT_EQ(SQLFieldString(rs, 1, 3), "06.09.2016 07:30:00");
  EXPECT_EQ(SQLFieldString(rs, 2, 3), "07.09.2016");
  EXPECT_EQ(SQLFieldString(rs, 2, 2), "42");
  EXPECT_EQ(SQLFieldString(rs, 3, 1), "");
  EXPECT_EQ(SQLFieldString(rs, 3, 3), "");
}

TEST_F(RecordsetReaderTest, GivesEmptyTextOutsideTheRecordsAndFields) {
  EXPECT_EQ(SQLFieldString(rs, 1, 4), "");
  EXPECT_EQ(SQLFieldString(rs, 1, 0), "");
  // A record number beyond the last record ends at EOF instead of reading another record.
  EXPECT_EQ(SQLFieldString(rs, 4, 1), "");
  EXPECT_EQ(SQLFieldString(rs, 99, 1), "");
  EXPECT_EQ(SQLFieldInteger(rs, 4, 2), 0);
}

TEST_F(RecordsetReaderTest, RecordZeroReadsTheCurrentRecord) {
  SQLGotoRecord(rs, 2);
  EXPECT_EQ(SQLFieldString(rs, 0, 1), "Bernd");
  EXPECT_EQ(SQLFieldString(rs, -1, 2), "42");
  SQLGotoRecord(rs, 1);
  EXPECT_EQ(SQLFieldString(rs, 0, 1), "Anna");
}

TEST_F(RecordsetReaderTest, ReadsIntegersOnlyFromIntegerText) {
  EXPECT_EQ(SQLFieldInteger(rs, 2, 2), 42);
  EXPECT_EQ(SQLFieldInteger(rs, 1, 2), 0);  // 12,5
  EXPECT_EQ(SQLFieldInteger(rs, 1, 1), 0);
  EXPECT_EQ(SQLFieldInteger(rs, 3, 2), 0);
}

TEST_F(RecordsetReaderTest, NamesFieldsOrTellsWhyNot) {
  EXPECT_EQ(SQLFieldName(rs, 1), "Name");
  EXPECT_EQ(SQLFieldName(rs, 3), "Datum");
  EXPECT_EQ(SQLFieldName(rs, 4),
            "Ein Element mit dem angegebenen Namen oder der angegebenen Ordinalzahl wurde in "
            "der Auflistung nicht gefunden.");
  EXPECT_EQ(SQLFieldName(closed, 1),
            "Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.");
  EXPECT_FALSE(SQLFieldName(none, 1).isEmpty());
}

TEST_F(RecordsetReaderTest, ClassifiesFieldTypes) {
  EXPECT_EQ(SQLFieldType(rs, 1, 1), adotype::VarWChar);
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 1), "c");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 2), "n");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 3, 3), "d");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 9), "c");  // type 0 for a missing field
}

TEST(ADOTypeLetterTest, ClassifiesEveryListedTypeNumber) {
  const std::pair<const char*, std::vector<int>> table[] = {
      {"c", {0, 8, 129, 130, 200, 201, 202, 203}},
      {"n", {2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21, 131, 139}},
      {"d", {7, 64, 133, 134, 135, 137}},
      {"s", {1, 9, 10, 11, 12, 13, 72, 128, 132, 136, 138, 204, 205, -1, 1000}}};
  for (const auto& [letter, types] : table)
    for (int type : types) EXPECT_EQ(ADOTypeLetter(type), letter) << "type " << type;
}

TEST(SQLFieldStringArrayTest, JoinsByteArrayElementsLineByLine) {
  auto rs = std::make_shared<TADORecordset>(
      QVector<Column>{{"Blob", adotype::LongVarBinary}, {"Liste", adotype::Empty}},
      QVector<QVector<QVariant>>{
          {QByteArray("\x01\x20\xff", 3), QVariantList{1, QString(" b "), 2.5}},
          {QByteArray(), QVariantList{1, QVariant::fromValue(QSize(1, 1)), 3}}});
  EXPECT_EQ(SQLFieldString(rs, 1, 1), "1\r\n32\r\n255");
  EXPECT_EQ(SQLFieldString(rs, 1, 2), "1\r\n b \r\n2,5");
  EXPECT_EQ(SQLFieldString(rs, 2, 1), "");
  // An element without text stops the joining; what was gathered stays.
  EXPECT_EQ(SQLFieldString(rs, 2, 2), "1");
}

struct TextCase {
  QVariant value;
  QString text;
};

class VariantToTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(VariantToTextTest, WritesValuesAsTheGermanRuntimeDoes) {
  bool ok = false;
  EXPECT_EQ(VariantToText(GetParam().value, ok), GetParam().text);
  EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(
    Values, VariantToTextTest,
    ::testing::Values(TextCase{QVariant(), ""}, TextCase{QVariant(QMetaType(QMetaType::Int)), ""},
                      TextCase{-17, "-17"}, TextCase{qlonglong(1) << 40, "1099511627776"},
                      TextCase{true, "True"}, TextCase{false, "False"}, TextCase{0.0, "0"},
                      TextCase{12.5, "12,5"}, TextCase{-0.25, "-0,25"}, TextCase{0.1 + 0.2, "0,3"},
                      TextCase{1.0 / 3, "0,333333333333333"}, TextCase{0.0001, "0,0001"},
                      TextCase{0.00001, "1E-5"}, TextCase{1.5e-7, "1,5E-7"},
                      TextCase{999999999999999.0, "999999999999999"}, TextCase{1e15, "1E15"},
                      TextCase{-2.5e20, "-2,5E20"}, TextCase{QString("Text"), "Text"},
                      TextCase{QDateTime(QDate(2016, 9, 6), QTime(0, 0)), "06.09.2016"},
                      TextCase{QDateTime(QDate(2016, 9, 6), QTime(23, 59, 58)),
                               "06.09.2016 23:59:58"},
                      TextCase{QDate(2001, 2, 3), "03.02.2001"},
                      TextCase{QTime(7, 30), "30.12.1899 07:30:00"}));

TEST(VariantToTextTest, RefusesArraysSoTheirElementsCanBeJoined) {
  bool ok = true;
  EXPECT_EQ(VariantToText(QByteArray("ab"), ok), "");
  EXPECT_FALSE(ok);
  ok = true;
  VariantToText(QVariantList{1}, ok);
  EXPECT_FALSE(ok);
}
}  // namespace
