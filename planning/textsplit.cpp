#include "planning/textsplit.h"

QStringList SplitAtBreaks(const QString& S, QStringView Separators) {
  QStringList parts;
  qsizetype start = 0;
  for (qsizetype i = 0; i < S.size(); ++i) {
    const QChar c = S[i];
    if (c != u'\r' && c != u'\n' && !Separators.contains(c)) continue;
    parts << S.mid(start, i - start);
    if (c == u'\r' && i + 1 < S.size() && S[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  parts << S.mid(start);
  return parts;
}
