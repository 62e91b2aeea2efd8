#include "widgets/titlemarkup.h"

#include <QRegularExpression>

QString BoldMarkupToHtml(const QString& Title) {
  static const QRegularExpression Tag("<(/?)b>", QRegularExpression::CaseInsensitiveOption);
  QString Result;
  qsizetype Done = 0;
  for (auto Match = Tag.globalMatch(Title); Match.hasNext();) {
    auto Found = Match.next();
    Result += Title.mid(Done, Found.capturedStart() - Done).toHtmlEscaped();
    Result += Found.captured(1).isEmpty() ? "<b>" : "</b>";
    Done = Found.capturedEnd();
  }
  Result += Title.mid(Done).toHtmlEscaped();
  return Result;
}
