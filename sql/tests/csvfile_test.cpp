// Reading delimited text into a TCSVFile and rendering it as CSV, text, HTML and XML.
#include "sql/csvfile.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "sql/tests/qstringprinter.h"

namespace {
QStringList Fields(const TCSVFile& file, int line) {
  const TCSVRecord* record = file.GetCSVRecord(line);
  return record ? record->ToStringList() : QStringList{QStringLiteral("<no record>")};
}

// Field names Name and Ort and the given lines, as a caller sets them up before rendering.
void Fill(TCSVFile& file, TCSVMode mode, const QString& text) {
  file.CSVMode = mode;
  file.LoadFromString(text);
  file.FieldNames = {QStringLiteral("Name"), QStringLiteral("Ort")};
}
}  // namespace

TEST(TCSVRecordTest, SplitsAtEverySeparatorAndTrimsTheFields) {
  const struct {
    const char* separator;
    const char* line;
    QStringList fields;
  } table[] = {
      {";", "a ; b;;c", {"a", "b", "", "c"}},
      {";", "  ", {""}},
      {";", "a;", {"a", ""}},
      {";", "\"x;y\"", {"\"x", "y\""}},  // no quoting
      {"\t", "a\t b\t", {"a", "b", ""}},
      // The second character of a two-character separator starts the next field.
      {"::", "x::y", {"x", ":y"}},
      {"; ", "x; y", {"x", "y"}},
      {"", "a;b", {"a;b"}},
  };
  for (const auto& row : table) {
    TCSVRecord record;
    record.Separator = row.separator;
    record.Split(row.line);
    EXPECT_EQ(record.ToStringList(), row.fields) << row.line;
  }
}

TEST(TCSVFileTest, SetFSeparatorReadsSeparatorAndEncoding) {
  const struct {
    const char* input;
    bool isoBefore;
    const char* separator;
    bool isoAfter;
  } table[] = {
      {";", true, ";", true},      {"|", false, "|", false},    {"\\t", true, "\t", true},
      {"\\tU", true, "\t", false}, {"\\tX", false, "\t", true}, {",U", true, ",U", true},
      {", U", true, ",", false},   {", ", false, ",", false},   {"", true, ";", true},
  };
  for (const auto& row : table) {
    TCSVFile file;
    file.ISOEncoding = row.isoBefore;
    file.SetFSeparator(row.input);
    EXPECT_EQ(file.FSeparator, row.separator) << row.input;
    EXPECT_EQ(file.ISOEncoding, row.isoAfter) << row.input;
  }
}

TEST(TCSVFileTest, LoadFromStringDropsBlankLinesAndGivesEveryLineARecord) {
  TCSVFile file;
  file.LoadFromString("a;b\r\n   \r\n\r\nc ; d\n");
  ASSERT_EQ(file.Count(), 2);
  EXPECT_EQ(Fields(file, 0), QStringList({"a", "b"}));
  EXPECT_EQ(Fields(file, 1), QStringList({"c", "d"}));
  EXPECT_EQ(file.GetCSVRecord(1)->RecordFieldNames, &file.FieldNames);
  EXPECT_EQ(file.GetCSVRecord(1)->Separator, ";");
  EXPECT_EQ(file.GetCSVRecord(2), nullptr);
  EXPECT_EQ(file.GetCSVRecord(-1), nullptr);

  file.LoadFromString("x");
  EXPECT_EQ(file.Count(), 1);
  EXPECT_EQ(Fields(file, 0), QStringList({"x"}));
}

TEST(TCSVFileTest, ReadsUTF8OnlyWhenAskedAndKeepsTextThatIsNoUTF8) {
  const QByteArray utf8 = QStringLiteral("Müller\tKöln\nÄrger\tß\n").toUtf8();
  const QByteArray latin1 = QStringLiteral("Müller\tKöln\n").toLatin1();
  const struct {
    const char* separator;
    QByteArray bytes;
    QStringList firstLine;
  } table[] = {
      {"\\tU", utf8, {"Müller", "Köln"}},
      {"\\t", utf8, {"MÃ¼ller", "KÃ¶ln"}},
      {"\\t", latin1, {"Müller", "Köln"}},
      // A file that claims UTF-8 but is ISO-8859-1 keeps its umlauts.
      {"\\tU", latin1, {"Müller", "Köln"}},
  };
  for (const auto& row : table) {
    TCSVFile file;
    file.SetFSeparator(row.separator);
    QBuffer stream;
    stream.setData(row.bytes);
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.LoadFromStream(stream));
    EXPECT_EQ(Fields(file, 0), row.firstLine) << row.separator;
  }
}

TEST(TCSVFileTest, LoadFromFileReplacesTheLinesAndFailsForAMissingFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("liste.csv");
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(QStringLiteral("Nr;Straße\n1;Hauptstraße 5\n").toLatin1());
  out.close();

  TCSVFile file;
  file.LoadFromString("old;line");
  ASSERT_TRUE(file.LoadFromFile(path));
  ASSERT_EQ(file.Count(), 2);
  EXPECT_EQ(Fields(file, 1), QStringList({"1", "Hauptstraße 5"}));

  EXPECT_FALSE(file.LoadFromFile(dir.filePath("fehlt.csv")));
  EXPECT_EQ(file.Count(), 0);
}

TEST(TCSVFileTest, CreateCSVRecordsWithANumberSplitsOnlyThatLine) {
  TCSVFile file;
  file.Add("a;b");
  file.Add("c;d");
  file.CreateCSVRecords(1);
  EXPECT_EQ(file.GetCSVRecord(0), nullptr);
  EXPECT_EQ(Fields(file, 1), QStringList({"c", "d"}));
  file.CreateCSVRecords(2);  // beyond the lines: nothing
  EXPECT_EQ(file.Count(), 2);
}

TEST(TCSVFileTest, FieldNamesComeFromAOneBasedLine) {
  TCSVFile file;
  file.LoadFromString("Nr ; Name\n1;Meier\n");
  file.SetFieldNames(1, true);
  EXPECT_EQ(file.FieldNames, QStringList({"Nr", "Name"}));
  ASSERT_EQ(file.Count(), 1);
  EXPECT_EQ(file.Strings(0), "1;Meier");
  EXPECT_EQ(file.GetFieldNames(false), "Nr,Name");
  EXPECT_EQ(file.GetFieldNames(true), "Nr%s,Name%s");

  file.SetFieldNames(1, false);
  EXPECT_EQ(file.FieldNames, QStringList({"1", "Meier"}));
  EXPECT_EQ(file.Count(), 1);
  file.SetFieldNames(5, true);  // no such line
  EXPECT_EQ(file.FieldNames, QStringList({"1", "Meier"}));
}

TEST(TCSVFileTest, FieldDataTypesComeFromTheFirstRecordWhenCollected) {
  TCSVFile file;
  file.FieldDataTypes = "nc";
  file.LoadFromString("1;a\n2;b");
  file.GetCSVRecord(0)->RecordFieldDataTypes = QStringList{" n3", "c202 "};
  EXPECT_EQ(file.GetFieldDataTypes(false), "nc");
  file.WithRecordFieldDataTypes = true;
  EXPECT_EQ(file.GetFieldDataTypes(false), "n3c202");
  EXPECT_EQ(file.GetFieldDataTypes(true), "nc");
}

TEST(TCSVFileTest, GetValidCSVDataCleansValuesForOneCSVField) {
  const QString nbsp(QChar(0x00A0));
  const struct {
    TCSVMode mode;
    const char* separator;
    bool excel;
    QString input;
    QString expected;
  } table[] = {
      {mCSV, ";", false, "a\r\nb", "a b"},
      {mCSV, ";", false, "a\n\nb", "a b"},
      {mCSV, ";", false, "a\nb\tc", "a b c"},
      {mCSV, ";", false, "a\rb", "a\rb"},  // a lone CR stays
      {mCSV, ";", false, " x;y ", "x,y"},
      {mCSV, ",", false, "x,y;z", "x;y;z"},
      {mCSV, "|", false, "x|y,z", "x,y,z"},
      // Excel would read long digit strings as numbers and drop digits.
      {mCSV, ";", true, "12345678901", "12345678901" + nbsp},
      {mCSV, ";", true, " 12345678901 ", "12345678901" + nbsp},
      {mCSV, ";", true, "1234567890", "1234567890"},
      {mCSV, ";", true, "1234a678901", "1234a678901"},
      {mCSV, ";", true, "12345678abc", "12345678abc" + nbsp},
      {mCSV, ";", true, "1234567812345678", "1234567812345678" + nbsp},
      {mCSV, ";", true, "12345678abcdefgh1", "12345678abcdefgh1"},
      {mCSV, ";", true, "-2345678901", "-2345678901"},
      {mCSV, ";", false, "12345678901", "12345678901"},
      {mHTML, ";", true, " x;y\n12345678901 ", "x;y\n12345678901"},
      {mTXT, ";", false, " a\tb ", "a\tb"},
  };
  for (const auto& row : table) {
    TCSVFile file;
    file.CSVMode = row.mode;
    file.FSeparator = row.separator;
    file.ConvertForExcel = row.excel;
    EXPECT_EQ(file.GetValidCSVData(row.input), row.expected) << row.input.toStdString();
  }
}

TEST(TCSVFileTest, RebuildsCSVWithHeaderAndDropsLinesWithoutRecord) {
  TCSVFile file;
  Fill(file, mCSV, "Meier;Bonn\nSchulz;Köln");
  file.Add("no record");
  file.WithFieldNames = true;
  file.RebuildCSVData();
  EXPECT_EQ(file.ToStringList(), QStringList({"Name;Ort", "Meier;Bonn", "Schulz;Köln"}));
}

TEST(TCSVFileTest, HeaderShowsOnlyNamesTheLastRecordHasFieldsFor) {
  TCSVFile file;
  Fill(file, mCSV, "a;b;c\nd");
  file.FieldNames.append("Extra");
  file.WithFieldNames = true;
  file.RebuildCSVData();
  EXPECT_EQ(file.Strings(0), "Name");
}

TEST(TCSVFileTest, RebuildsTextWithoutHeader) {
  TCSVFile file;
  Fill(file, mTXT, "a\t;b");
  file.WithFieldNames = true;
  file.RebuildCSVData();
  EXPECT_EQ(file.ToStringList(), QStringList({"a;b"}));
}

TEST(TCSVFileTest, RendersTheXMLExampleLineByLine) {
  TCSVFile file;
  Fill(file, mXML, "A&B;Bonn");
  file.RebuildCSVData();
  EXPECT_EQ(file.ToStringList(),
            QStringList({"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "<table>",
                         "<record><Name>A&amp;B</Name><Ort>Bonn</Ort></record>", "</table>"}));
}

TEST(TCSVFileTest, EscapesMarkupPerMode) {
  const struct {
    TCSVMode mode;
    QString value;
    QString rendered;
  } table[] = {
      {mXML, "<a> & \"b\"", "&lt;a&gt; &amp; &quot;b&quot;"},
      {mXML, "a\tb\nc\rd", "a&#x9;b&#xA;c&#xD;d"},
      {mXML, QString("a") + QChar(1) + "b", "ab"},
      {mXML, "&amp;", "&amp;amp;"},
      {mHTML, "<a> & \"b\"", "&lt;a&gt; &amp; &quot;b&quot;"},
      {mHTML, "a\tb\nc", "a\tb\nc"},
  };
  for (const auto& row : table) {
    TCSVFile file;
    file.CSVMode = row.mode;
    file.FieldNames = {"V"};
    file.Add("x");
    file.AddCSVRecord(0);
    file.GetCSVRecord(0)->Add(row.value);
    file.RebuildCSVData();
    const QString element = row.mode == mXML ? "V" : "td";
    EXPECT_TRUE(file.Text().contains("<" + element + ">" + row.rendered + "</" + element + ">"))
        << file.Text().toStdString();
  }
}

TEST(TCSVFileTest, RendersHTMLRowsWithNumbersAndHeader) {
  TCSVFile file;
  Fill(file, mHTML, "Meier;Bonn\nSchulz;Köln;extra");
  file.XMLShowRecNo = true;
  file.WithFieldNames = true;
  file.RebuildCSVData();
  EXPECT_EQ(file.XMLRecordTag, "tr");
  EXPECT_EQ(
      file.ToStringList(),
      QStringList({"<html>", "<table>", "<tr><th>Name</th><th>Ort</th></tr>",
                   "<tr_1><td>Meier</td><td>Bonn</td></tr_1>",
                   "<tr_2><td>Schulz</td><td>Köln</td>;extra</tr_2>", "</table>", "</html>"}));
}

TEST(TCSVFileTest, RendersXMLWithOptions) {
  TCSVFile file;
  Fill(file, mXML, "Meier;Bonn");
  file.XMLTableTag = "Liste";
  file.XMLTableNS = "xmlns=\"urn:zep\"";
  file.XMLRecordTag = "Zeile";
  file.XMLShowRecNo = true;
  file.XMLShowDataTyp = true;
  file.XMLHeadParam = "encoding=\"UTF-8\"";
  file.WithFieldNames = true;  // no header in XML
  file.GetCSVRecord(0)->RecordFieldDataTypes = QStringList{"c202"};
  file.RebuildCSVData();
  EXPECT_EQ(
      file.ToStringList(),
      QStringList({"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<Liste xmlns=\"urn:zep\">",
                   "<Zeile_1><Name_c202>Meier</Name_c202><Ort>Bonn</Ort></Zeile_1>", "</Liste>"}));
}

TEST(TCSVFileTest, EmptyTagsLeaveOutTheirElements) {
  TCSVFile file;
  Fill(file, mXML, "Meier;Bonn");
  file.XMLTableTag.clear();
  file.XMLRecordTag.clear();
  file.RebuildCSVData();
  EXPECT_EQ(file.ToStringList(), QStringList({"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
                                              "<Name>Meier</Name><Ort>Bonn</Ort>"}));
}

TEST(TCSVFileTest, ColumnNamesBecomeWellFormedElementNames) {
  const std::pair<const char*, const char*> table[] = {
      {"Ort", "Ort"}, {"COUNT(*)", "COUNT___"}, {"Ort Name", "Ort_Name"}, {"1Wert", "_1Wert"},
      {"", "_"},      {"Straße", "Straße"},     {"a-b.c", "a-b.c"},
  };
  for (const auto& [name, element] : table) {
    TCSVFile file;
    file.CSVMode = mXML;
    file.LoadFromString("v");
    file.FieldNames = {name};
    file.RebuildCSVData();
    EXPECT_EQ(file.Strings(2), QString("<record><%1>v</%1></record>").arg(element)) << name;
  }
}

TEST(TCSVFileTest, InsertXMLNodeAddsAnEmptyElementInXMLOnly) {
  TCSVFile file;
  Fill(file, mXML, "a;b");
  file.RebuildCSVData();
  file.InsertXMLNode(2, "Kopf", "id=\"1\"");
  EXPECT_EQ(file.Strings(2), "<Kopf id=\"1\">");
  EXPECT_EQ(file.Strings(3), "</Kopf>");
  EXPECT_EQ(file.Count(), 6);
  file.InsertXMLNode(6, "Fuss", "");
  file.InsertXMLNode(-1, "Fuss", "");
  EXPECT_EQ(file.Count(), 6);

  TCSVFile csv;
  Fill(csv, mCSV, "a;b");
  csv.InsertXMLNode(0, "Kopf", "");
  EXPECT_EQ(csv.Count(), 1);
}

TEST(TCSVFileTest, ClearAndDeleteFreeTheRecordsOfTheirLines) {
  struct CountedRecord : TCSVRecord {
    explicit CountedRecord(int& Freed) : FreedCount(Freed) {}
    ~CountedRecord() override { ++FreedCount; }
    int& FreedCount;
  };
  int freed = 0;
  TCSVFile file;
  for (int i = 0; i < 3; ++i) file.AddObject("x", new CountedRecord(freed));
  file.Delete(1);
  EXPECT_EQ(freed, 1);
  file.AddCSVRecord(0);  // replaces the old record
  EXPECT_EQ(freed, 2);
  file.Clear();
  EXPECT_EQ(freed, 3);
}
