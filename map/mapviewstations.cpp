#include <QPainter>

#include "base/datetimetext.h"
#include "base/delphistr.h"
#include "map/mapeditor.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

namespace {
constexpr int kOrderNumber = 0;
constexpr int kLabel = 1;
constexpr int kX = 4;
constexpr int kY = 5;
constexpr int kMEId = 27;
constexpr int kPin = 29;
constexpr int kStationShape = 15;
// Marker kinds on the layer: station markers and the other objects.
constexpr int kStationRTyp = 2;
constexpr int kObjectRTyp = 0;

TPoint StationPoint(const TStation& S) {
  return {StrToIntDef(S.Field(kX), 0), StrToIntDef(S.Field(kY), 0)};
}

int OrderNumber(const TStation& S) { return StrToIntDef(S.Field(kOrderNumber), 0); }
}  // namespace

bool TMapView::SetMapRect(const TStationList& AStationList) {
  bool any = false;
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  const auto take = [&](const TStation* S) {
    if (!S) return;
    const TPoint p = StationPoint(*S);
    if (p.X == 0 || p.Y == 0) return;  // no coordinates: never pulls the section to 0,0
    if (!any) {
      minX = maxX = p.X;
      minY = maxY = p.Y;
      any = true;
      return;
    }
    minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  };
  for (int i = 0; i < AStationList.Count(); ++i) take(AStationList.GetStation(i));
  take(AStationList.Start.get());
  take(AStationList.Finish.get());
  if (!any) return true;
  const int dx = (maxX - minX) / 20;
  const int dy = (maxY - minY) / 20;
  return SetMapRect(minX - dx, maxX + dx, maxY + dy, minY - dy);
}

int TMapView::SetStationInMap(TStation* AStation, int Shape, int Color,
                              const QString& StationTitle) {
  if (!MapEditor || !AStation) return -1;
  // A station without coordinates would stand at 0,0, far out in the sea: it gets no marker.
  const TPoint point = StationPoint(*AStation);
  if (point.X == 0 || point.Y == 0) return -1;
  QString title = StationTitle;
  if (title.isEmpty() && OrderNumber(*AStation) > 0) {
    title = QStringLiteral("Auftrag-ID: %1").arg(AStation->Field(kOrderNumber));
  }
  int colour = Color;
  if (Color < 0) colour = StrToIntDef(AStation->Field(kPin), NoSymbolColor - 2) + 2;
  return MapEditor->InsertObject(point, Shape, AStation->Field(kLabel), title, colour,
                                 kStationRTyp);
}

void TMapView::SetStationsInMap(int Shape, int Color, const QString& StationTitles) {
  if (!StationList) return;
  for (int i = 0; i < StationList->Count(); ++i) {
    TStation* s = StationList->GetStation(i);
    if (s) s->SetField(kMEId, QString::number(SetStationInMap(s, Shape, Color, StationTitles)));
  }
  if (TStation* start = StationList->Start.get()) {
    start->SetField(kMEId,
                    QString::number(SetStationInMap(start, Shape, 0, QStringLiteral("Start"))));
  }
  if (TStation* finish = StationList->Finish.get()) {
    finish->SetField(kMEId,
                     QString::number(SetStationInMap(finish, Shape, 1, QStringLiteral("Ziel"))));
  }
  SetMapRect(*StationList);
}

void TMapView::RemoveMarker(TStation* AStation) {
  if (AStation && MapEditor)
    MapEditor->DeleteObject(StrToIntDef(AStation->Field(kMEId), 0), kObjectRTyp);
}

void TMapView::SetStationFromMap(int x, int y, int Mode) {
  if (!StationList) return;
  auto station = std::make_unique<TStation>();
  TStation* s = station.get();
  int number = 0;
  QString title;
  int colour = NoSymbolColor;
  if (Mode == 1 || Mode == 2) {
    const bool start = Mode == 1;
    RemoveMarker(start ? StationList->Start.get() : StationList->Finish.get());
    start ? StationList->ClearStart() : StationList->ClearFinish();
    number = start ? -1 : -2;
    title = start ? QStringLiteral("Start") : QStringLiteral("Ziel");
    colour = start ? 0 : 1;
    (start ? StationList->Start : StationList->Finish) = std::move(station);
  } else {
    number = -3 - StationList->Count();
    StationList->AddObject(QString::number(number), station.release());
    title = QStringLiteral("Station %1").arg(StationList->Count());
  }
  s->SetField(kOrderNumber, QString::number(number));
  s->SetField(kX, QString::number(x));
  s->SetField(kY, QString::number(y));
  if (Geocoding) Geocoding->GeocodingStation(s, 2);
  if (MapEditor) {
    s->SetField(kMEId, QString::number(MapEditor->InsertObject(
                           {x, y}, kStationShape, s->Field(kLabel), title, colour, kObjectRTyp)));
  }
}

void TMapView::DeleteStation(int SNr) {
  if (!StationList || SNr < 1 || SNr > StationList->Count()) return;
  RemoveMarker(StationList->GetStation(SNr - 1));
  StationList->Delete(SNr - 1);
}

void TMapView::DeleteAllStations() {
  if (MapEditor) {
    MapEditor->SelectObject(0, 9, true);
    MapEditor->DeleteAllObjects(kObjectRTyp);
  }
  if (StationList) StationList->Clear();
}

void TMapView::DeleteStationsFromMapView(bool VisibleStations, bool MarkOnly, bool OptAssistMode) {
  if (!StationList) return;
  if (Routing) Routing->DeleteRoute();
  int removed = 0;
  for (int n = StationList->Count(); n >= 1; --n) {
    TStation* s = StationList->GetStation(n - 1);
    if (!s) continue;
    if (MarkOnly) s->SetField(kMEId, QStringLiteral("X"));
    const bool taken = StationVisibleInMap(n) == VisibleStations ||
                       (OptAssistMode && s->Field(kPin) == QLatin1String("22"));
    if (!taken) continue;
    ++removed;
    if (MarkOnly) {
      s->SetField(kMEId, QString());
    } else if (!OptAssistMode || (OrderNumber(*s) > 0 && s->Field(kPin) != QLatin1String("26"))) {
      DeleteStation(n);
    }
  }
  if (MarkOnly) return;
  ShowStationCount = false;
  ShowStatus(QStringLiteral("%1 Stationen aus Route entfernt; Weiterbearbeitung erfolgt für %2 "
                            "Stationen.")
                 .arg(removed)
                 .arg(StationList->Count()),
             1);
}

bool TMapView::StationVisibleInMap(int SNr) const {
  if (!StationList || SNr < 1 || SNr > StationList->Count()) return false;
  const TStation* s = StationList->GetStation(SNr - 1);
  if (!s) return false;
  if (SelectionMode && SelectedStationList->Count() > 0) {
    return SelectedStationList->IndexOfName(s->Field(kOrderNumber)) >= 0;
  }
  if (OrderNumber(*s) < 0) return false;
  const TPoint p = StationPoint(*s);
  const TRect& r = m_LogicalMapRect;
  return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Bottom && p.Y <= r.Top;
}

int TMapView::StationCountInMap() const {
  int count = 0;
  for (int n = 1; StationList && n <= StationList->Count(); ++n) count += StationVisibleInMap(n);
  return count;
}

void TMapView::SetStationInfo() {
  if (!ShowStationCount || !m_MapServerData || !m_MapServerData->SetStatusText) return;
  if (SelectionMode && SelectedStationList->Count() > 0) {
    QString text = QStringLiteral("%1 Stationen ausgewählt").arg(SelectedStationList->Count());
    if (SelectedStationsStayTime > TDateTime(0)) {
      text = QStringLiteral("%1 %2").arg(
          text,
          QStringLiteral("(Zeitbedarf: %1)")
              .arg(FormatDateTime(QStringLiteral("hh:nn \"Std.\""), SelectedStationsStayTime)));
    }
    ShowStatus(text, 1);
    return;
  }
  ShowStatus(QStringLiteral("Anzahl der Stationen: %1").arg(StationCountInMap()), 1);
}

bool TMapView::SetMEObject(int X, int Y, const QString& AText, const QString& ATitle, int Shape,
                           int Color) {
  return MapEditor && MapEditor->InsertObject({X, Y}, Shape, AText, ATitle, Color, kObjectRTyp) > 0;
}

bool TMapView::UpdateMEObject(int ID, int X, int Y, const QString& AText, const QString& ATitle,
                              int Shape, int Color) {
  return MapEditor && MapEditor->UpdateObject(ID, {X, Y}, Shape, AText, ATitle, Color, kObjectRTyp);
}

bool TMapView::DeleteMEObject(int ID) {
  return MapEditor && MapEditor->DeleteObject(ID, kObjectRTyp);
}

bool TMapView::SelectMEObject(int ID, int SelectMode, bool RefreshMap) {
  return MapEditor && MapEditor->SelectObject(ID, SelectMode, RefreshMap);
}

int TMapView::GetMEId(int AId) const {
  const QString wanted = QString::number(AId);
  for (int i = 0; StationList && i < StationList->Count(); ++i) {
    const TStation* s = StationList->GetStation(i);
    if (s && s->Field(kOrderNumber) == wanted) return StrToIntDef(s->Field(kMEId), 0);
  }
  return 0;
}

bool TMapView::SelectStation(int AId, int SelectMode) {
  bool result = false;
  try {
    const int m = GetMEId(AId);
    if (m > 0) {
      result = SelectMEObject(m, SelectMode, true);
      const QString name = QString::number(AId);
      const int entry = SelectedStationList->IndexOfName(name);
      if (SelectMode == 0 && entry < 0) {
        SelectedStationList->Add(QStringLiteral("%1=%2").arg(AId).arg(m));
      } else if (SelectMode == 1 && entry >= 0) {
        SelectedStationList->Delete(entry);
      }
    }
  } catch (...) {
    result = false;
  }
  SelectionMode = SelectedStationList->Count() > 0;
  return result;
}

void TMapView::OnMapSelectionChanged(const QString& MEIdList) {
  SelectedStationList->SetText(MEIdList);
  for (int line = SelectedStationList->Count() - 1; line >= 0; --line) {
    const QString id = SelectedStationList->Strings(line);
    if (id.trimmed().isEmpty()) {
      SelectedStationList->Delete(line);
      continue;
    }
    for (int i = 0; StationList && i < StationList->Count(); ++i) {
      const TStation* s = StationList->GetStation(i);
      if (s && s->Field(kMEId) == id) {
        SelectedStationList->SetString(line, s->Field(kOrderNumber) + QLatin1Char('=') + id);
        break;
      }
    }
  }
  if (AfterSelectionChangedProc) AfterSelectionChangedProc();
}

bool TMapView::CalculateRoute(int OptMode) {
  ShowStationCount = false;
  if (MapEditor) MapEditor->DeleteAllObjects(kObjectRTyp);
  return Routing && Routing->CalculateRoute(OptMode, true, 0, 75);
}

bool TMapView::OptimizeStationList(bool MapUpdate, quint8 FProfilMode, quint8 TimeFactor) {
  if (MapUpdate && MapEditor) MapEditor->DeleteAllObjects(kObjectRTyp);
  if (StationList && StationList->Count() == 2 && !StationList->RStart) {
    StationList->SetRStart(StationList->GetStation(0));
  }
  return Routing && Routing->OptimizeStationSequenceExt(1, 0, 0, false, FProfilMode, TimeFactor);
}
