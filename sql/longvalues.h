#pragma once

#include <QByteArray>
#include <QString>

// Pieces of the long-value statements and the one-byte-per-character form in which long
// texts travel through the binary path.

inline constexpr qsizetype kLongTextThreshold = 250;
inline constexpr qsizetype kMSSQLPieceSize = 8192;
inline constexpr qsizetype kOraclePieceSize = 16384;

// Two upper-case hexadecimal digits per byte, no prefix.
QString HexDigits(const QByteArray& Bytes);

// Each character code as one byte; false when a character lies beyond ISO-8859-1 and so
// has no byte of its own.
bool TextToBytes(const QString& Text, QByteArray& Bytes);
// Each byte as one character, up to the first zero byte.
QString BytesToText(const QByteArray& Bytes);
// The text up to its first zero character.
QString TextBeforeZero(const QString& Text);

// One MSSQL UPDATETEXT batch that writes Piece at byte Offset through the column's text
// pointer.
QString MSSQLPieceStatement(const QString& Table, const QString& BlobFeld, const QString& Where,
                            qsizetype Offset, const QByteArray& Piece);

// The row of an Oracle block: either the caller's condition, or, when only logging a row
// just inserted from a sequence, the key read back from that sequence.
struct TOracleBlobRow {
  QString Where;
  bool FromSequence = false;
  QString SequenzName;
  QString SequenzField;
};

// The PL/SQL block that empties the BLOB column of the row and writes Bytes into it in
// pieces of up to 16384 bytes.
QString OracleBlobBlock(const QString& Table, const QString& BlobFeld, const TOracleBlobRow& Row,
                        const QByteArray& Bytes);
