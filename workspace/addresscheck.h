#pragma once

#include <QList>

#include "workspace/dom.h"

class TStationList;

// The address check page lists the delivered addresses, one DIV named "D<order number>" per
// order, beside a check box per order in the first form; the workspace writes the geocoded
// address of each order back into the page and a hidden pair of fields into the second form.
TDomBatch AddressCheck(const QList<TDomElement>& AllElements, const TStationList& Stations);

// "postal code town district, street" of a geocoded station, trimmed.
QString GeocodedAddressText(const QStringList& Fields);
