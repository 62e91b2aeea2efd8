#pragma once

#include <QString>

#include "sql/jet/jetast.h"

// Parses exactly one Jet SQL statement (a trailing ";" is allowed). Raises EADOError naming
// what was not understood and where.
JetStatement ParseJetSql(const QString& Statement);
