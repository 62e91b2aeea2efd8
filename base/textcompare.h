#pragma once

#include <QString>

// Delphi's AnsiCompareText: below, equal to or above 0, ignoring case, with German collation
// (umlauts sort with their base letters). For ordering only.
int AnsiCompareText(const QString& S1, const QString& S2);

// Delphi's AnsiSameText: equal when the texts match without regard to case, umlauts included
// (Ä equals ä). Deliberately plain case folding, so equality never depends on the collation.
bool AnsiSameText(const QString& S1, const QString& S2);
