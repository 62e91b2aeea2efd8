#pragma once

#include <QString>
#include <QtGlobal>

#include "sql/sqltypes.h"

// "'" + S + "'" without escaping anything: only for constants that cannot hold a quote.
QString QuoteString(const QString& S);

// The SQL text literal of S; "null" (unquoted) for an empty S. Mode 0 doubles quotes;
// the other modes write quotes, CR and LF as character codes joined to the literal:
// 1 with ||CHR(n)|| (Oracle), 2 with +CHR(n)+ (Access), 3 and above with +CHAR(n)+ (MSSQL).
QString SQLString(const QString& S, quint8 Mode);

// Completes a condition: "=" and the Access-style literal of S, or " is null" when S is blank.
QString SQLEqualString(const QString& S);

// Expressions that turn the date/time expression Expr into German-style text per product.
QString SQLDateText(const QString& Expr, TADODBTyp DBTyp);
QString SQLTimeText(const QString& Expr, TADODBTyp DBTyp);
QString SQLDateTimeText(const QString& Expr, TADODBTyp DBTyp);
