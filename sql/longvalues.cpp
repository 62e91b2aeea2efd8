#include "sql/longvalues.h"

#include <QStringList>

#include "base/delphistr.h"

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const QString kSequenceVariable = QStringLiteral("oraseq");
}  // namespace

QString HexDigits(const QByteArray& Bytes) { return QString::fromLatin1(Bytes.toHex().toUpper()); }

bool TextToBytes(const QString& Text, QByteArray& Bytes) {
  for (QChar c : Text)
    if (c.unicode() > 0xFF) return false;
  Bytes = Text.toLatin1();
  return true;
}

QString BytesToText(const QByteArray& Bytes) {
  const qsizetype zero = Bytes.indexOf('\0');
  return QString::fromLatin1(zero < 0 ? Bytes : Bytes.left(zero));
}

QString TextBeforeZero(const QString& Text) {
  const qsizetype zero = Text.indexOf(QChar(0));
  return zero < 0 ? Text : Text.left(zero);
}

QString MSSQLPieceStatement(const QString& Table, const QString& BlobFeld, const QString& Where,
                            qsizetype Offset, const QByteArray& Piece) {
  QString statement = QStringLiteral("DECLARE @Txt varbinary(16)") + kCRLF +
                      QStringLiteral("SELECT @Txt=TEXTPTR(") + BlobFeld +
                      QStringLiteral(") FROM ") + Table;
  if (!Where.isEmpty()) statement += QStringLiteral(" WHERE ") + Where;
  return statement + kCRLF + QStringLiteral("IF @Txt IS NOT NULL") + kCRLF +
         QStringLiteral("UPDATETEXT ") + Table + QLatin1Char('.') + BlobFeld +
         QStringLiteral(" @Txt ") + QString::number(Offset) + QStringLiteral(" NULL WITH LOG 0x") +
         HexDigits(Piece);
}

QString OracleBlobBlock(const QString& Table, const QString& BlobFeld, const TOracleBlobRow& Row,
                        const QByteArray& Bytes) {
  const qsizetype pieceSize = qMin(kOraclePieceSize, Bytes.size());
  // PL/SQL allows no RAW(0); an empty value still needs a valid buffer declaration.
  const qsizetype bufferSize = qMax<qsizetype>(pieceSize, 1);
  const QString where =
      Row.FromSequence ? Row.SequenzField + QLatin1Char('=') + kSequenceVariable : Row.Where;
  QStringList lines{QStringLiteral("DECLARE")};
  if (Row.FromSequence) lines << kSequenceVariable + QStringLiteral(" INT;");
  lines << QStringLiteral("lob_loc BLOB;")
        << Format(QStringLiteral("buffer RAW(%d);"), {bufferSize}) << QStringLiteral("BEGIN");
  if (Row.FromSequence)
    lines << Format(QStringLiteral("SELECT %s.CURRVAL INTO %s FROM %s;"),
                    {Row.SequenzName, kSequenceVariable, QStringLiteral("dual")});
  lines << Format(QStringLiteral("UPDATE %s SET %s=EMPTY_BLOB() WHERE %s;"),
                  {Table, BlobFeld, where})
        << Format(QStringLiteral("SELECT %s INTO lob_loc FROM %s WHERE %s FOR UPDATE;"),
                  {BlobFeld, Table, where});
  for (qsizetype start = 0; start < Bytes.size(); start += pieceSize) {
    const QByteArray piece = Bytes.mid(start, pieceSize);
    lines << QStringLiteral("buffer := HEXTORAW('") + HexDigits(piece) + QStringLiteral("');")
          << Format(QStringLiteral("dbms_lob.write (lob_loc, %d, %d, buffer);"),
                    {piece.size(), start + 1});
  }
  lines << QStringLiteral("END;");
  return lines.join(kCRLF);
}
