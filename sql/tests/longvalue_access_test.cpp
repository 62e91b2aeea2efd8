// Long binary and text values written to and read from a real Access database file.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>

#include "sql/sqladoserver.h"
#include "sql/tests/qstringprinter.h"
#include "sql/tests/tempaccessdb.h"

namespace {
const QString kRow = QStringLiteral("Id=1");

class LongValueAccessTest : public TempAccessDB {
 protected:
  void SetUp() override {
    TempAccessDB::SetUp();
    Exec(
        "CREATE TABLE Werte(Id INT NOT NULL CONSTRAINT pk_Werte PRIMARY KEY, B LONGBINARY NULL,"
        "M MEMO NULL)");
    Exec("INSERT INTO Werte(Id) VALUES(1)");
  }

  bool WriteBytes(const QString& Field, QByteArray Bytes) {
    QBuffer blob(&Bytes);
    return Server.WriteSQLBlob("Werte", Field, kRow, blob);
  }

  QByteArray ReadBytes(const QString& Field) {
    QBuffer blob;
    blob.open(QIODevice::ReadWrite);
    EXPECT_TRUE(Server.ReadSQLBlob("Werte", Field, kRow, blob)) << Server.SQLErrorMsg.toStdString();
    return blob.data();
  }

  QString ReadText(const QString& Field) {
    QString text = QStringLiteral("<unchanged>");
    EXPECT_TRUE(Server.ReadSQLText("Werte", Field, kRow, text)) << Server.SQLErrorMsg.toStdString();
    return text;
  }
};
}  // namespace

TEST_F(LongValueAccessTest, OneMebibyteBinaryValueReadsBackEqual) {
  QByteArray bytes(1 << 20, '\0');
  QRandomGenerator random(5);
  for (char& byte : bytes) byte = char(random.bounded(256));
  ASSERT_TRUE(WriteBytes("B", bytes)) << Server.SQLErrorMsg.toStdString();
  EXPECT_TRUE(Server.SQLExecStatement.startsWith("UPDATE Werte SET B=0x"));
  const QByteArray read = ReadBytes("B");
  EXPECT_EQ(read.size(), bytes.size());
  EXPECT_TRUE(read == bytes);
}

TEST_F(LongValueAccessTest, HundredKilobyteTextWithUmlautsReadsBackEqual) {
  QString text;
  const QString words[] = {"Müller ",    "Straße ", "Öffnungszeit ", "Äpfel ",
                           "größer\r\n", "café ",   "'Zitat' ",      "©½ÿ "};
  for (int i = 0; text.size() < 100 * 1024; ++i) text += words[i % 8];
  ASSERT_TRUE(Server.WriteSQLText("Werte", "M", kRow, text)) << Server.SQLErrorMsg.toStdString();
  EXPECT_TRUE(Server.SQLExecStatement.startsWith("UPDATE Werte SET M=0x"));
  EXPECT_EQ(ReadText("M"), text);
}

TEST_F(LongValueAccessTest, ShortTextsGoAsLiteralsAndBlankTextsAsNull) {
  const std::pair<QString, QString> table[] = {
      {"  it's \"quoted\"\r\nnext line  ", "it's \"quoted\"\r\nnext line"},
      {QString(249, QChar(0x00E4)), QString(249, QChar(0x00E4))},
      {QString("Preis in ") + QChar(0x20AC), QString("Preis in ") + QChar(0x20AC)},
      {"   ", ""},
  };
  for (const auto& [written, read] : table) {
    ASSERT_TRUE(Server.WriteSQLText("Werte", "M", kRow, written))
        << Server.SQLErrorMsg.toStdString();
    EXPECT_FALSE(Server.SQLExecStatement.contains("0x"));
    EXPECT_EQ(ReadText("M"), read);
  }
}

TEST_F(LongValueAccessTest, ATextEndsAtItsFirstZeroByte) {
  ASSERT_TRUE(WriteBytes("B", QByteArray("vorher\0nachher", 14)));
  EXPECT_EQ(ReadText("B"), "vorher");
  ASSERT_TRUE(WriteBytes("M", QByteArray("Kopf\0Rest", 9)));
  EXPECT_EQ(ReadText("M"), "Kopf");
}

TEST_F(LongValueAccessTest, AnEmptyStreamWritesNull) {
  ASSERT_TRUE(WriteBytes("B", "alt"));
  ASSERT_TRUE(WriteBytes("B", QByteArray()));
  EXPECT_EQ(Server.SQLSelectCount("Werte", "B IS NULL"), 1);
  EXPECT_EQ(ReadBytes("B"), QByteArray());
  EXPECT_EQ(ReadText("B"), "");
}

TEST_F(LongValueAccessTest, ReadingAppendsAtTheStreamsPosition) {
  ASSERT_TRUE(WriteBytes("B", "neu"));
  QByteArray content("vorn-");
  QBuffer blob(&content);
  ASSERT_TRUE(blob.open(QIODevice::ReadWrite));
  blob.seek(blob.size());
  ASSERT_TRUE(Server.ReadSQLBlob("Werte", "B", kRow, blob));
  EXPECT_EQ(content, "vorn-neu");

  QBuffer unopened;
  ASSERT_TRUE(Server.ReadSQLBlob("Werte", "B", kRow, unopened));
  EXPECT_EQ(unopened.data(), "neu");
}

TEST_F(LongValueAccessTest, AMemoIsReadAsOneBytePerCharacter) {
  ASSERT_TRUE(Server.WriteSQLText("Werte", "M", kRow, "Grüße"));
  EXPECT_EQ(ReadBytes("M"), QByteArray("Gr\xFC\xDF"
                                       "e"));
}

TEST_F(LongValueAccessTest, AMemoBeyondISO88591IsNoByteValue) {
  ASSERT_TRUE(Server.WriteSQLText("Werte", "M", kRow, QString("5 ") + QChar(0x20AC)));
  QByteArray content("alt");
  QBuffer blob(&content);
  ASSERT_TRUE(blob.open(QIODevice::ReadWrite));
  EXPECT_FALSE(Server.ReadSQLBlob("Werte", "M", kRow, blob));
  EXPECT_TRUE(Server.SQLExecError);
  EXPECT_TRUE(Server.SQLErrorMsg.contains("ISO-8859-1")) << Server.SQLErrorMsg.toStdString();
  EXPECT_EQ(content, QByteArray());
}

TEST_F(LongValueAccessTest, AFailedReadClearsTheStreamAndKeepsTheText) {
  QByteArray content("alt");
  QBuffer blob(&content);
  ASSERT_TRUE(blob.open(QIODevice::ReadWrite));
  EXPECT_FALSE(Server.ReadSQLBlob("Fehlt", "B", kRow, blob));
  EXPECT_TRUE(Server.SQLExecError);
  EXPECT_FALSE(Server.SQLErrorMsg.isEmpty());
  EXPECT_EQ(content, QByteArray());

  QString text = "alt";
  EXPECT_FALSE(Server.ReadSQLText("Werte", "Fehlt", kRow, text));
  EXPECT_EQ(text, "alt");
}

TEST_F(LongValueAccessTest, ARowThatDoesNotExistReadsAsEmpty) {
  QString text = "alt";
  EXPECT_TRUE(Server.ReadSQLText("Werte", "M", "Id=99", text));
  EXPECT_EQ(text, "");
}

TEST_F(LongValueAccessTest, AFailedWriteReportsTheDatabaseError) {
  EXPECT_FALSE(WriteBytes("Fehlt", "abc"));
  EXPECT_TRUE(Server.SQLExecError);
  EXPECT_FALSE(Server.SQLErrorMsg.isEmpty());
  EXPECT_EQ(Server.SQLExecStatement, "UPDATE Werte SET Fehlt=0x616263 WHERE Id=1");
}

TEST_F(LongValueAccessTest, ASelectThatIsOnlyLoggedReadsNothing) {
  ASSERT_TRUE(WriteBytes("B", "neu"));
  ASSERT_EQ(Server.SQLSelectCount("Werte", ""), 1);  // leaves a result behind
  Server.SQLReportMode = LogOnly;
  QBuffer blob;
  EXPECT_TRUE(Server.ReadSQLBlob("Werte", "B", kRow, blob));
  EXPECT_EQ(blob.data(), QByteArray());
  QString text = "alt";
  EXPECT_TRUE(Server.ReadSQLText("Werte", "M", kRow, text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(QString::fromLatin1(Server.SQLReportStream.data()),
            "SELECT B FROM Werte WHERE Id=1\r\nSELECT M FROM Werte WHERE Id=1\r\n");
}
