// The statements that write long values for each product, seen through the statement log.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>

#include "sql/sqladoserver.h"
#include "sql/tests/qstringprinter.h"

namespace {
const QString kWhere = QStringLiteral("Id=1");

class LongValueLog : public TSQLADOServer {
 public:
  explicit LongValueLog(TADODBTyp product, TSQLReportMode mode = LogOnly) {
    SetADODBTyp(product);
    SQLReportMode = mode;
  }
  QString Log() const { return QString::fromLatin1(SQLReportStream.data()); }

  bool WriteBytes(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer blob(&copy);
    return WriteSQLBlob("T", "B", kWhere, blob);
  }
};

// Every match of Pattern in Text as its captured numbers.
QList<QList<int>> Captures(const QString& Text, const QString& Pattern) {
  QList<QList<int>> result;
  QRegularExpressionMatchIterator it = QRegularExpression(Pattern).globalMatch(Text);
  while (it.hasNext()) {
    const QRegularExpressionMatch match = it.next();
    QList<int> numbers;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) numbers.append(match.captured(i).toInt());
    result.append(numbers);
  }
  return result;
}

QByteArray Bytes(qsizetype Size) {
  QByteArray bytes(Size, '\0');
  for (qsizetype i = 0; i < Size; ++i) bytes[i] = char(i * 7 % 256);
  return bytes;
}
}  // namespace

TEST(WriteSQLBlobLogTest, AccessWritesOneHexLiteralOrNull) {
  const std::pair<QByteArray, const char*> table[] = {
      {QByteArray(), "UPDATE T SET B=null WHERE Id=1\r\n"},
      {QByteArray::fromHex("0aff"), "UPDATE T SET B=0x0AFF WHERE Id=1\r\n"},
      {QByteArray(1, '\0'), "UPDATE T SET B=0x00 WHERE Id=1\r\n"},
  };
  for (const auto& [bytes, log] : table) {
    LongValueLog server(MSAccess);
    EXPECT_TRUE(server.WriteBytes(bytes));
    EXPECT_EQ(server.Log(), log);
  }
}

TEST(WriteSQLBlobLogTest, MSSQLWritesPiecesThroughTheTextPointerInATransaction) {
  LongValueLog server(MSSQL);
  ASSERT_TRUE(server.WriteBytes(QByteArray::fromHex("0aff")));
  EXPECT_EQ(server.Log(),
            "BEGIN TRANSACTION\r\n"
            "SELECT TextOk=TEXTVALID('T.B',TEXTPTR(B)) , TSize=DATALENGTH(B) FROM T WHERE Id=1\r\n"
            "UPDATE T SET B=null WHERE Id=1\r\n"
            "DECLARE @Txt varbinary(16)\r\n"
            "SELECT @Txt=TEXTPTR(B) FROM T WHERE Id=1\r\n"
            "IF @Txt IS NOT NULL\r\n"
            "UPDATETEXT T.B @Txt 0 NULL WITH LOG 0x0AFF\r\n"
            "go\r\n"
            "COMMIT TRANSACTION\r\n");
}

TEST(WriteSQLBlobLogTest, MSSQLCutsPiecesAt8192Bytes) {
  const struct {
    qsizetype size;
    QList<QList<int>> pieces;  // offset, length
  } table[] = {
      {0, {}},
      {1, {{0, 1}}},
      {8192, {{0, 8192}}},
      {8193, {{0, 8192}, {8192, 1}}},
      {20000, {{0, 8192}, {8192, 8192}, {16384, 3616}}},
  };
  for (const auto& row : table) {
    LongValueLog server(MSSQL);
    const QByteArray bytes = Bytes(row.size);
    ASSERT_TRUE(server.WriteBytes(bytes));
    const QString log = server.Log();
    QList<QList<int>> pieces;
    QString sent;
    QRegularExpressionMatchIterator it =
        QRegularExpression("UPDATETEXT T\\.B @Txt (\\d+) NULL WITH LOG 0x([0-9A-F]*)\r\ngo\r\n")
            .globalMatch(log);
    while (it.hasNext()) {
      const QRegularExpressionMatch match = it.next();
      pieces.append({match.captured(1).toInt(), int(match.captured(2).size() / 2)});
      sent += match.captured(2);
    }
    EXPECT_EQ(pieces, row.pieces) << row.size;
    EXPECT_EQ(sent, QString::fromLatin1(bytes.toHex().toUpper())) << row.size;
    EXPECT_TRUE(log.endsWith("COMMIT TRANSACTION\r\n")) << row.size;
  }
}

TEST(WriteSQLBlobLogTest, OracleWritesOneBlock) {
  LongValueLog server(Oracle);
  server.TransformSQL = true;
  ASSERT_TRUE(server.WriteBytes(QByteArray::fromHex("0aff")));
  EXPECT_EQ(server.Log(),
            "DECLARE\r\n"
            "lob_loc BLOB;\r\n"
            "buffer RAW(2);\r\n"
            "BEGIN\r\n"
            "UPDATE T SET B=EMPTY_BLOB() WHERE Id=1;\r\n"
            "SELECT B INTO lob_loc FROM T WHERE Id=1 FOR UPDATE;\r\n"
            "buffer := HEXTORAW('0AFF');\r\n"
            "dbms_lob.write (lob_loc, 2, 1, buffer);\r\n"
            "END;\r\n");
}

TEST(WriteSQLBlobLogTest, OracleFindsALoggedRowThroughItsSequence) {
  LongValueLog server(Oracle);
  server.UseSequenz = true;
  server.SequenzName = "SEQ_T";
  server.SequenzField = "Id";
  ASSERT_TRUE(server.WriteBytes(QByteArray("A")));
  EXPECT_EQ(server.Log(),
            "DECLARE\r\n"
            "oraseq INT;\r\n"
            "lob_loc BLOB;\r\n"
            "buffer RAW(1);\r\n"
            "BEGIN\r\n"
            "SELECT SEQ_T.CURRVAL INTO oraseq FROM dual;\r\n"
            "UPDATE T SET B=EMPTY_BLOB() WHERE Id=oraseq;\r\n"
            "SELECT B INTO lob_loc FROM T WHERE Id=oraseq FOR UPDATE;\r\n"
            "buffer := HEXTORAW('41');\r\n"
            "dbms_lob.write (lob_loc, 1, 1, buffer);\r\n"
            "END;\r\n");
}

TEST(WriteSQLBlobLogTest, OracleCutsPiecesAt16384BytesOrTheWholeValue) {
  const struct {
    qsizetype size;
    int raw;
    QList<QList<int>> writes;  // amount, position
  } table[] = {
      {20000, 16384, {{16384, 1}, {3616, 16385}}},
      {16384, 16384, {{16384, 1}}},
      {32769, 16384, {{16384, 1}, {16384, 16385}, {1, 32769}}},
      {100, 100, {{100, 1}}},
      // PL/SQL has no RAW(0): the empty value declares one byte and only empties the column.
      {0, 1, {}},
  };
  for (const auto& row : table) {
    LongValueLog server(Oracle);
    const QByteArray bytes = Bytes(row.size);
    ASSERT_TRUE(server.WriteBytes(bytes));
    const QString log = server.Log();
    EXPECT_EQ(Captures(log, "buffer RAW\\((\\d+)\\);"), QList<QList<int>>({{row.raw}}));
    EXPECT_EQ(Captures(log, "dbms_lob\\.write \\(lob_loc, (\\d+), (\\d+), buffer\\);"), row.writes)
        << row.size;
    QString sent;
    QRegularExpressionMatchIterator it =
        QRegularExpression("HEXTORAW\\('([0-9A-F]*)'\\)").globalMatch(log);
    while (it.hasNext()) sent += it.next().captured(1);
    EXPECT_EQ(sent, QString::fromLatin1(bytes.toHex().toUpper())) << row.size;
    EXPECT_TRUE(log.contains("UPDATE T SET B=EMPTY_BLOB() WHERE Id=1;"));
  }
}

TEST(WriteSQLBlobLogTest, ADSAndODBCWriteNothing) {
  for (TADODBTyp product : {ADS, ODBC}) {
    LongValueLog server(product);
    EXPECT_FALSE(server.WriteBytes("abc"));
    EXPECT_EQ(server.Log(), "");
    EXPECT_FALSE(server.SQLExecError);
    EXPECT_EQ(server.SQLErrorMsg, "");
  }
}

TEST(WriteSQLBlobLogTest, FailsWithoutAConnectionAndKeepsTheFailedStatement) {
  LongValueLog mssql(MSSQL, ExecOnly);
  EXPECT_FALSE(mssql.WriteBytes("abc"));
  EXPECT_EQ(mssql.SQLExecStatement, "UPDATE T SET B=null WHERE Id=1");

  LongValueLog oracle(Oracle, ExecAndLog);
  EXPECT_FALSE(oracle.WriteBytes("abc"));
  EXPECT_EQ(oracle.Log(), "");

  LongValueLog access(MSAccess, ExecOnly);
  EXPECT_FALSE(access.WriteBytes("abc"));
}

TEST(WriteSQLTextLogTest, ShortTextsAreLiteralsLongTextsTakeTheBinaryPath) {
  const QString x249(249, 'x');
  const QString x250(250, 'x');
  const QString hex250 = QString("78").repeated(250);
  const struct {
    TADODBTyp product;
    QString text;
    QString log;
  } table[] = {
      {MSAccess, x249, "UPDATE T SET M='" + x249 + "' WHERE Id=1\r\n"},
      {MSAccess, x250, "UPDATE T SET M=0x" + hex250 + " WHERE Id=1\r\n"},
      // The threshold counts the trimmed text; the binary path keeps the blanks.
      {MSAccess, "  " + x249 + "  ", "UPDATE T SET M='" + x249 + "' WHERE Id=1\r\n"},
      {MSAccess, " " + x250, "UPDATE T SET M=0x20" + hex250 + " WHERE Id=1\r\n"},
      {MSAccess, "   ", "UPDATE T SET M=null WHERE Id=1\r\n"},
      {MSAccess, "", "UPDATE T SET M=null WHERE Id=1\r\n"},
      {MSAccess, " it's\r\nok ", "UPDATE T SET M='it''s\r\nok' WHERE Id=1\r\n"},
      {MSSQL, " it's\r\nok ", "UPDATE T SET M='it''s\r\nok' WHERE Id=1\r\n"},
      {ADS, "it's", "UPDATE T SET M='it''s' WHERE Id=1\r\n"},
      {Oracle, " it's\r\nok ",
       "UPDATE T SET M='it'||CHR(39)||'s'||CHR(13)||''||CHR(10)||'ok' WHERE Id=1\r\n"},
  };
  for (const auto& row : table) {
    LongValueLog server(row.product);
    EXPECT_TRUE(server.WriteSQLText("T", "M", kWhere, row.text));
    EXPECT_EQ(server.Log(), row.log) << row.text.toStdString();
  }
}

TEST(WriteSQLTextLogTest, LongTextsFollowTheProductsBinaryPath) {
  const QString text = "Grüße " + QString(250, 'x');
  LongValueLog mssql(MSSQL);
  ASSERT_TRUE(mssql.WriteSQLText("T", "M", kWhere, text));
  EXPECT_TRUE(mssql.Log().contains("UPDATETEXT T.M @Txt 0 NULL WITH LOG 0x4772FC"));

  LongValueLog oracle(Oracle);
  ASSERT_TRUE(oracle.WriteSQLText("T", "M", kWhere, text));
  EXPECT_TRUE(oracle.Log().contains("buffer := HEXTORAW('4772FC"));

  LongValueLog ads(ADS);
  EXPECT_FALSE(ads.WriteSQLText("T", "M", kWhere, text));
  EXPECT_EQ(ads.Log(), "");
}

TEST(WriteSQLTextLogTest, ALongTextBeyondISO88591IsRefusedInsteadOfGarbled) {
  LongValueLog server(MSAccess);
  const QString text = QString(250, 'x') + QChar(0x20AC);
  EXPECT_FALSE(server.WriteSQLText("T", "M", kWhere, text));
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_TRUE(server.SQLErrorMsg.contains("ISO-8859-1")) << server.SQLErrorMsg.toStdString();
  EXPECT_EQ(server.Log(), "");

  // A short one is a literal and keeps every character.
  LongValueLog fresh(MSAccess);
  EXPECT_TRUE(fresh.WriteSQLText("T", "M", kWhere, QString(QChar(0x20AC))));
  EXPECT_EQ(fresh.SQLExecStatement, QString("UPDATE T SET M='") + QChar(0x20AC) + "' WHERE Id=1");
}
