#include "sql/sqlstring.h"

#include "base/delphistr.h"

namespace {
const QString kGermanDateLanguage = QStringLiteral("NLS_DATE_LANGUAGE=GERMAN");

// A piece that closes the literal, appends the character function and reopens the literal.
QString CharCodePiece(quint8 Mode, int Code) {
  QString function;
  switch (Mode) {
    case 1:
      function = QStringLiteral("||CHR(%1)||");
      break;
    case 2:
      function = QStringLiteral("+CHR(%1)+");
      break;
    default:
      function = QStringLiteral("+CHAR(%1)+");
      break;
  }
  return QuoteString(function.arg(Code));
}

QString OracleToChar(const QString& Expr, const QString& Mask) {
  return Format(QStringLiteral("TO_CHAR(%s,%s,%s)"),
                {Expr, QuoteString(Mask), QuoteString(kGermanDateLanguage)});
}
}  // namespace

QString QuoteString(const QString& S) { return QLatin1Char('\'') + S + QLatin1Char('\''); }

QString SQLString(const QString& S, quint8 Mode) {
  if (S.isEmpty()) return QStringLiteral("null");
  QString text = S;
  if (Mode == 0) {
    text.replace(QLatin1Char('\''), QLatin1String("''"));
  } else {
    text.replace(QLatin1Char('\''), CharCodePiece(Mode, 39));
    text.replace(QLatin1Char('\r'), CharCodePiece(Mode, 13));
    text.replace(QLatin1Char('\n'), CharCodePiece(Mode, 10));
  }
  return QuoteString(text);
}

QString SQLEqualString(const QString& S) {
  if (Trim(S).isEmpty()) return QStringLiteral(" is null");
  return QLatin1Char('=') + SQLString(S, 2);
}

QString SQLDateText(const QString& Expr, TADODBTyp DBTyp) {
  switch (DBTyp) {
    case MSAccess:
      return QStringLiteral("Format(%1,\"dd.mm.yyyy\")").arg(Expr);
    case MSSQL:
      return QStringLiteral("CONVERT(varchar(10),%1,104)").arg(Expr);
    case Oracle:
      return OracleToChar(Expr, QStringLiteral("dd.mm.yyyy"));
    default:
      return Expr;
  }
}

QString SQLTimeText(const QString& Expr, TADODBTyp DBTyp) {
  switch (DBTyp) {
    case MSAccess:
      return QStringLiteral("Format(%1,\"hh:mm\")").arg(Expr);
    case MSSQL:
      return QStringLiteral("CONVERT(varchar(5),%1,8)").arg(Expr);
    case Oracle:
      return OracleToChar(Expr, QStringLiteral("hh24:mi"));
    default:
      return Expr;
  }
}

QString SQLDateTimeText(const QString& Expr, TADODBTyp DBTyp) {
  switch (DBTyp) {
    case MSAccess:
      return QStringLiteral("Format(%1,'dd.mm.yyyy hh:nn')").arg(Expr);
    case Oracle:
      return OracleToChar(Expr, QStringLiteral("dd.mm.yyyy hh24:mi"));
    default:
      return SQLDateText(Expr, DBTyp) + QLatin1Char('+') + QuoteString(QStringLiteral(" ")) +
             QLatin1Char('+') + SQLTimeText(Expr, DBTyp);
  }
}
