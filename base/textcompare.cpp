#include "base/textcompare.h"

#include <QCollator>
#include <QLocale>

namespace {

// A collator is costly to build and not safe to share between threads.
const QCollator& GermanCaseInsensitiveCollator() {
  thread_local const QCollator collator = [] {
    QCollator c(QLocale(QLocale::German, QLocale::Germany));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

int AnsiCompareText(const QString& S1, const QString& S2) {
  return GermanCaseInsensitiveCollator().compare(S1, S2);
}

bool AnsiSameText(const QString& S1, const QString& S2) {
  return QString::compare(S1, S2, Qt::CaseInsensitive) == 0;
}
