#pragma once

#include <QString>

#include "sql/adoerror.h"

// Raises the error a statement gets when the compiler cannot read it. Position is the
// 1-based character offset in the statement text, so the message points at the spot.
[[noreturn]] void RaiseJetSyntaxError(const QString& What, int Position);

// Raises a plain database error with a readable German message.
[[noreturn]] void RaiseJetError(const QString& Message);
