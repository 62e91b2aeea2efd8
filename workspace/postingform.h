#pragma once

#include <QMap>
#include <QString>

#include "workspace/dom.h"

// How one form of the posting page is filled: its elements are visited first to last, an
// element "__1" decides by its value whether the form may be sent (the last one decides), and
// elements whose names are keys of Values get those values.
struct TPostingFormFill {
  bool Submit = false;
  TDomBatch Batch;  // the values, then the submission when Submit
};

TPostingFormFill FillPostingForm(const TDomRef& Form, const QList<TDomElement>& Elements,
                                 const QString& Letter, const QMap<QString, QString>& Values);
