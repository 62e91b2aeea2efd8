#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One lexical unit of a Jet SQL statement.
struct JetToken {
  enum class Kind {
    Identifier,  // plain word or [bracketed name]; keywords are identifiers too
    Integer,
    Float,
    Text,    // '...' or "..." with the quote doubled inside
    Date,    // #...#, Text holds what stood between the hashes
    Binary,  // 0x..., Bytes holds the value
    Symbol,  // operators and punctuation
    End
  };
  Kind Type = Kind::End;
  QString Text;      // identifier (unquoted), literal text, symbol or number as written
  QByteArray Bytes;  // value of a binary literal
  bool Bracketed = false;
  int Position = 0;  // 1-based offset in the statement

  bool IsSymbol(const char* symbol) const {
    return Type == Kind::Symbol && Text == QLatin1String(symbol);
  }
  // A keyword is an unbracketed identifier, compared without case.
  bool IsKeyword(const char* word) const {
    return Type == Kind::Identifier && !Bracketed &&
           Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
  }
};

// Splits a statement into tokens; raises EADOError for a character or literal it cannot
// read (unterminated quote, bad hexadecimal digits, ...). The list ends with an End token.
QVector<JetToken> TokenizeJetSql(const QString& Statement);
