#include "workspace/webrequests.h"

#include <cstdlib>

namespace webrequests {

namespace {
const QString RequestPrefix = QStringLiteral("?routinglist");
}

QString StartRequest(const QString& WebAppURL) {
  return WebAppURL + RequestPrefix + QStringLiteral("26000");
}

QString PostingPageRequest(const QString& WebAppURL) {
  return WebAppURL + RequestPrefix + QStringLiteral("26001");
}

QString CalendarDataRequest(const QString& WebAppURL, const QString& ProjectId,
                            const QString& DeviceId, const QString& Date, int AdditionalDays,
                            bool WithWaitList) {
  QString Query = QStringLiteral("26050&a&&&&&%1&%2&%3&%4&%5")
                      .arg(ProjectId, DeviceId, Date)
                      .arg(0)
                      .arg(AdditionalDays);
  if (WithWaitList) Query += QStringLiteral("&1");
  return WebAppURL + RequestPrefix + Query;
}

QString ResultSiteRequest(const QString& WebAppURL, int ENr, const QString& EMsg) {
  QString Query = QStringLiteral("26009&&&&&&");
  if (ENr != 0) {
    QString Message = EMsg.isEmpty() ? QStringLiteral("Sonstiger Fehler") : EMsg;
    Query += QStringLiteral("Fehler-Nr:+%1&%2").arg(ENr).arg(Message.replace(' ', '+'));
  }
  return WebAppURL + RequestPrefix + Query;
}

QString OrderPageUrl(const QString& WebAppURL, int AuftragId) {
  return QStringLiteral("%1?defaultlist25444&a&=%2").arg(WebAppURL).arg(AuftragId);
}

QString ItemLinkUrl(const QString& WebAppURL, int AuftragId) {
  const QString Page = AuftragId < 0 ? QStringLiteral("edit25957") : QStringLiteral("list25444");
  return QStringLiteral("%1?default%2&a&=%3").arg(WebAppURL, Page).arg(std::abs(AuftragId));
}

}  // namespace webrequests
