#pragma once

#include <QStringList>

#include "planning/stationlist.h"

// The rows of a computed route listing. Each item has an empty item string and, as its
// object, a TStringList of the row's values in the order of FieldNames, owned by the list.
class TRoutingResultList : public TStationList {
 public:
  // Hook for the routing adapter once it has filled the list; the rows need no further work.
  void BuildRoutingResultData() {}

 protected:
  // Rows keep the value list they were added with.
  bool AcceptsObject(const TObject*) const override { return true; }

 public:
  QStringList FieldNames;
};
