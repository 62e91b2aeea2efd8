#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Splits S at every line break (CR LF, CR or LF) and at every character of Separators.
// Works on any text, also one that is not valid UTF-16, where regular expressions refuse.
QStringList SplitAtBreaks(const QString& S, QStringView Separators = {});
