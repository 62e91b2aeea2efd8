#pragma once

#include <QString>

// The request addresses the workspace sends to the web application. All of them are the
// application's request page followed by a fixed query text and "&"-separated positional
// parameters; the web application relies on their exact shape.
namespace webrequests {

QString StartRequest(const QString& WebAppURL);
QString PostingPageRequest(const QString& WebAppURL);
// ProjectId and DeviceId as the hub holds them, the date already in short date format.
QString CalendarDataRequest(const QString& WebAppURL, const QString& ProjectId,
                            const QString& DeviceId, const QString& Date, int AdditionalDays,
                            bool WithWaitList);
// Error number 0 asks for the plain result site; any other number appends number and message,
// blanks written as "+" and an empty message as "Sonstiger Fehler".
QString ResultSiteRequest(const QString& WebAppURL, int ENr, const QString& EMsg);
// Opened with the desktop's browser, not in the workspace.
QString OrderPageUrl(const QString& WebAppURL, int AuftragId);
// Negative numbers are absences and open their edit page under the absolute number.
QString ItemLinkUrl(const QString& WebAppURL, int AuftragId);

}  // namespace webrequests
