#pragma once

#include <QString>

// The grid title allows bold markup only: "<b>" and "</b>" (any case) stay, everything else
// is shown as the text it is, so names from outside cannot inject markup.
QString BoldMarkupToHtml(const QString& Title);
