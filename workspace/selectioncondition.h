#pragma once

#include <QString>

class TStationList;

// The condition a map selection sends back to the web application's list page: the stations
// left in the list, by postal code and town (workflow 12) or by order number (14, 16, 42),
// and the index of the list form's element that takes it.
struct TSelectionCondition {
  QString Condition;  // empty in the workflows without a selection round trip
  int TargetIndex = -1;
};

TSelectionCondition SelectionCondition(int WorkflowId, const TStationList& Stations);

// A station label without its trailing bracketed part: "95444 Bayreuth (3)" → "95444 Bayreuth".
QString LabelWithoutCount(const QString& Label);
// Whether the workflow lists orders whose selection goes back to the web application.
bool HasSelectionRoundTrip(int WorkflowId);
