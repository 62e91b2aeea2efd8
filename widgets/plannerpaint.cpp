// Painting of the grid part: cells, axes, header, items and footer.
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "widgets/planner.h"
#include "widgets/plannergrid.h"
#include "widgets/planneritempaint.h"

namespace {

const QColor Background(246, 247, 249);
const QColor BandColor(234, 237, 242);
const QColor BandLine(190, 197, 207);
const QColor HourLine(184, 192, 204);
const QColor CellLine(228, 232, 237);
const QColor ColumnLine(160, 170, 184);
const QColor SelectedCell(198, 219, 247);
const QColor AxisText(60, 66, 76);
const QColor MinorText(140, 146, 156);
const QColor Indicator(220, 40, 40);
const QColor Occupied(120, 160, 215);
const QColor Warning(190, 0, 0);

QString HourLabel(int Minutes, THourType Type) {
  int Hour = (Minutes / 60) % 24;
  if (Type == ht24hrs) return QString("%1:00").arg(Hour, 2, 10, QChar('0'));
  int Twelve = Hour % 12 == 0 ? 12 : Hour % 12;
  return QString("%1 %2").arg(Twelve).arg(Hour < 12 ? "am" : "pm");
}

// First and last cell (absolute numbers) that the viewport shows.
std::pair<int, int> VisibleCells(const TPlannerGeometry& G) {
  const TPlannerMetrics& M = G.Metrics();
  int StartCell = M.StartMinutes / M.Unit;
  int First = StartCell + M.TimeScroll / M.Scale;
  int Last = StartCell + (M.TimeScroll + G.VisibleTimeLength()) / M.Scale;
  return {First, std::min(Last, StartCell + M.CellCount - 1)};
}

std::pair<int, int> VisiblePositions(const TPlannerGeometry& G) {
  const TPlannerMetrics& M = G.Metrics();
  int Stride = std::max(1, M.PositionGap + G.ColumnWidth());
  int First = M.PositionScroll / Stride;
  int Last = (M.PositionScroll + G.VisibleAcrossLength()) / Stride;
  return {First, std::min(Last, M.Positions - 1)};
}

// A caption that does not fit on one line wraps when the section has room for more lines.
void PaintCaption(QPainter& Painter, const QRect& Rect, const QString& Text, Qt::Alignment Align) {
  const QFontMetrics Metrics = Painter.fontMetrics();
  const int Flags = int(Align | Qt::AlignVCenter);
  if (Metrics.horizontalAdvance(Text) <= Rect.width() || Rect.height() < 2 * Metrics.height()) {
    Painter.drawText(Rect, Flags, Metrics.elidedText(Text, Qt::ElideRight, Rect.width()));
    return;
  }
  Painter.drawText(Rect, Flags | Qt::TextWordWrap, Text);
}

// A small arrow at the start or end edge of a column, pointing out of the shown time.
void PaintEdgeArrow(QPainter& Painter, const QRect& Column, bool TimeOnTop, bool AtEnd) {
  const int Sign = AtEnd ? -1 : 1;
  QPoint Mid = Column.center();
  QPoint Tip;
  QPoint Side;
  if (TimeOnTop) {
    Tip = QPoint(AtEnd ? Column.right() - 2 : Column.left() + 2, Mid.y());
    Side = QPoint(8 * Sign, 6);
  } else {
    Tip = QPoint(Mid.x(), AtEnd ? Column.bottom() - 2 : Column.top() + 2);
    Side = QPoint(6, 8 * Sign);
  }
  QPoint Mirror = TimeOnTop ? QPoint(Side.x(), -Side.y()) : QPoint(-Side.x(), Side.y());
  Painter.drawPolygon(QPolygon({Tip, Tip + Side, Tip + Mirror}));
}

QColor CellColor(const TPlanner& P, int Pos, int Minutes) {
  const TPositionProp* Prop = P.PositionProps().Items(Pos);
  if (Prop && Prop->Use) return Prop->IsActive(Minutes) ? Prop->ColorActive : Prop->ColorNonActive;
  const TPlannerDisplay& D = P.Display();
  return D.IsActive(Minutes) ? D.ColorActive : D.ColorNonActive;
}

}  // namespace

void TPlannerGrid::paintEvent(QPaintEvent*) {
  QPainter Painter(viewport());
  PaintAll(Painter);
}

void TPlannerGrid::PaintAll(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  Painter.fillRect(QRect(QPoint(0, 0), G.Metrics().Viewport), Background);
  Painter.save();
  Painter.setClipRect(G.GridRect());
  PaintCells(Painter);
  PaintGapAxes(Painter);
  PaintItems(Painter);
  PaintTimeIndicator(Painter);
  PaintHiddenItemMarks(Painter);
  Painter.restore();
  PaintSidebar(Painter);
  PaintHeader(Painter);
  PaintFooter(Painter);
}

void TPlannerGrid::PaintCells(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerMetrics& M = G.Metrics();
  if (M.Positions == 0) {
    Painter.setPen(Warning);
    Painter.drawText(G.GridRect(), Qt::AlignCenter, "Keine Spalten vorhanden");
    return;
  }
  auto [FirstCell, LastCell] = VisibleCells(G);
  auto [FirstPos, LastPos] = VisiblePositions(G);
  for (int Pos = FirstPos; Pos <= LastPos; ++Pos) {
    for (int Cell = FirstCell; Cell <= LastCell; ++Cell) {
      int Minutes = Cell * M.Unit;
      QRect Rect = G.CellRect(Pos, Cell);
      bool Selected = FView.ShowSelection && Pos == FView.SelPosition() &&
                      Cell >= FView.SelItemBegin() && Cell <= FView.SelItemEnd();
      Painter.fillRect(Rect, Selected ? SelectedCell : CellColor(FPlanner, Pos, Minutes));
      bool Hour = Minutes % 60 == 0;
      Painter.setPen(Hour ? HourLine : CellLine);
      if (M.TimeOnTop)
        Painter.drawLine(Rect.topLeft(), Rect.bottomLeft());
      else
        Painter.drawLine(Rect.topLeft(), Rect.topRight());
    }
    QRect Column = G.SpanRect(Pos, FirstCell * M.Unit, (LastCell + 1) * M.Unit);
    Painter.setPen(ColumnLine);
    if (M.TimeOnTop)
      Painter.drawLine(Column.bottomLeft(), Column.bottomRight());
    else
      Painter.drawLine(Column.topRight(), Column.bottomRight());
  }
}

void TPlannerGrid::PaintGapAxes(QPainter& Painter) const {
  const TPlannerSidebar& S = FView.Sidebar();
  const TPlannerGeometry G = FView.Geometry();
  if (!S.Visible || !S.ShowInPositionGap || G.Metrics().PositionGap <= 0) return;
  const TPlannerLayout& L = FView.Layout();
  auto [FirstPos, LastPos] = VisiblePositions(G);
  for (int Pos = FirstPos; Pos <= LastPos; ++Pos) {
    QRect Gap = G.GapRect(Pos);
    PaintAxis(Painter, Gap, true);
    if (!S.ShowOccupied) continue;
    for (const TPlannerItem* Item : L.Column(Pos)) {
      QRect Span = G.SpanRect(Pos, Item->StartMinutes(), Item->EndMinutes());
      QRect Mark = G.Metrics().TimeOnTop ? QRect(Span.left(), Gap.bottom() - 3, Span.width(), 4)
                                         : QRect(Gap.right() - 3, Span.top(), 4, Span.height());
      Painter.fillRect(Mark, Occupied);
    }
  }
}

void TPlannerGrid::PaintItems(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerLayout& L = FView.Layout();
  auto [FirstPos, LastPos] = VisiblePositions(G);
  const QRect Grid = G.GridRect();
  QFont Small = Painter.font();
  Small.setPointSizeF(Small.pointSizeF() * 0.9);
  TItemPaintOptions Options(Small);
  Options.Images = &FView.PlannerImages();
  bool AnyFlashing = false;
  for (int Pos = std::max(FirstPos, 0); Pos <= LastPos; ++Pos) {
    for (const TPlannerItem* Item : L.Column(Pos)) {
      TItemLane Lane = L.LaneOf(Item);
      QRect Rect = G.SpanRect(Pos, Item->StartMinutes(), Item->EndMinutes(), Lane.Lane, Lane.Lanes);
      if (!Rect.intersects(Grid)) continue;
      AnyFlashing = AnyFlashing || Item->Flashing();
      PaintPlannerItem(Painter, *Item, Rect, Options);
    }
  }
  FPlanner.KeepFlashing(AnyFlashing);
}

void TPlannerGrid::PaintTimeIndicator(QPainter& Painter) const {
  if (!FView.Sidebar().TimeIndicator || !FView.Clock) return;
  const TPlannerGeometry G = FView.Geometry();
  QTime Now = FView.Clock();
  int Along = G.MinutesToAlong(Now.msecsSinceStartOfDay() / 60000.0);
  QRect Grid = G.GridRect();
  Painter.setPen(QPen(Indicator, 2));
  if (G.Metrics().TimeOnTop)
    Painter.drawLine(Along, Grid.top(), Along, Grid.bottom());
  else
    Painter.drawLine(Grid.left(), Along, Grid.right(), Along);
}

// Items the shown time range cuts off are marked with a small arrow at the column's edge;
// items in columns the grid does not have are counted in a warning line.
void TPlannerGrid::PaintHiddenItemMarks(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerLayout& L = FView.Layout();
  const QRect Grid = G.GridRect();
  if (!L.OutsideColumns().empty()) {
    Painter.setPen(Warning);
    Painter.drawText(Grid.adjusted(6, 4, -6, -4), Qt::AlignRight | Qt::AlignTop,
                     QString("%1 Einträge außerhalb der Spalten").arg(L.OutsideColumns().size()));
  }
  if (!FView.IndicateNonVisibleItems) return;
  const int First = G.Metrics().StartMinutes;
  const int Last = First + G.Metrics().CellCount * G.Metrics().Unit;
  auto [FirstPos, LastPos] = VisiblePositions(G);
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(Warning);
  for (int Pos = std::max(FirstPos, 0); Pos <= LastPos; ++Pos) {
    bool Before = false;
    bool After = false;
    for (const TPlannerItem* Item : L.Column(Pos)) {
      Before = Before || Item->EndMinutes() <= First;
      After = After || Item->StartMinutes() >= Last;
    }
    QRect Column = G.SpanRect(Pos, First, Last);
    if (Before) PaintEdgeArrow(Painter, Column, G.Metrics().TimeOnTop, false);
    if (After) PaintEdgeArrow(Painter, Column, G.Metrics().TimeOnTop, true);
  }
  Painter.setBrush(Qt::NoBrush);
}

void TPlannerGrid::PaintSidebar(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  QRect Band = G.SidebarRect();
  if (Band.width() <= 0 || Band.height() <= 0) return;
  Painter.save();
  Painter.setClipRect(Band);
  Painter.fillRect(Band, BandColor);
  const TPlannerMetrics& M = G.Metrics();
  QRect Axis = G.MakeRect(M.HeaderSize - M.TimeScroll, 0, G.ContentTimeLength(), M.SidebarSize);
  PaintAxis(Painter, Axis, false);
  if (FView.Sidebar().TimeIndicator && FView.Clock) {
    int Along = G.MinutesToAlong(FView.Clock().msecsSinceStartOfDay() / 60000.0);
    Painter.setPen(QPen(Indicator, 2));
    if (M.TimeOnTop)
      Painter.drawLine(Along, Band.top(), Along, Band.bottom());
    else
      Painter.drawLine(Band.left(), Along, Band.right(), Along);
  }
  Painter.setPen(BandLine);
  if (M.TimeOnTop)
    Painter.drawLine(Band.bottomLeft(), Band.bottomRight());
  else
    Painter.drawLine(Band.topRight(), Band.bottomRight());
  Painter.restore();
}

// The time labels of one axis band: every hour labelled, the cells between ticked (and
// labelled with their minutes where there is room).
void TPlannerGrid::PaintAxis(QPainter& Painter, const QRect& Band, bool Compact) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerMetrics& M = G.Metrics();
  auto [FirstCell, LastCell] = VisibleCells(G);
  QFont Hour = Painter.font();
  Hour.setBold(true);
  if (Compact) Hour.setPointSizeF(Hour.pointSizeF() * 0.85);
  QFont Minor = Painter.font();
  Minor.setPointSizeF(Minor.pointSizeF() * 0.75);
  const int MinorHeight = QFontMetrics(Minor).height();
  Painter.save();
  for (int Cell = FirstCell; Cell <= LastCell; ++Cell) {
    int Minutes = Cell * M.Unit;
    int Along = G.MinutesToAlong(Minutes);
    QRect CellBand = M.TimeOnTop ? QRect(Along, Band.top(), M.Scale, Band.height())
                                 : QRect(Band.left(), Along, Band.width(), M.Scale);
    bool FullHour = Minutes % 60 == 0;
    bool NewHour = FullHour || (Minutes / 60 != (Minutes - M.Unit) / 60 && M.Unit > 60);
    Painter.setPen(FullHour ? HourLine : CellLine);
    if (M.TimeOnTop)
      Painter.drawLine(Along, Band.bottom() - (FullHour ? Band.height() : 6), Along, Band.bottom());
    else
      Painter.drawLine(Band.right() - (FullHour ? Band.width() : 6), Along, Band.right(), Along);
    if (NewHour) {
      Painter.setFont(Hour);
      Painter.setPen(AxisText);
      QRect Label = M.TimeOnTop ? QRect(Along + 3, Band.top() + 2, 60, Band.height() - 4)
                                : CellBand.adjusted(2, 1, -4, 0);
      int Flags = M.TimeOnTop ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignRight | Qt::AlignTop;
      Painter.drawText(Label, Flags, HourLabel(Minutes, FView.HourType));
    } else if (!Compact && M.Scale >= MinorHeight && M.Unit < 60) {
      Painter.setFont(Minor);
      Painter.setPen(MinorText);
      QString Text = QString("%1").arg(Minutes % 60, 2, 10, QChar('0'));
      QRect Label = M.TimeOnTop
                        ? QRect(Along + 2, Band.bottom() - MinorHeight - 6, M.Scale, MinorHeight)
                        : CellBand.adjusted(2, 0, -6, 0);
      Painter.drawText(Label, Qt::AlignRight | Qt::AlignVCenter, Text);
    }
  }
  Painter.restore();
}

void TPlannerGrid::PaintHeader(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerHeader& H = FView.Header();
  const TPlannerMetrics& M = G.Metrics();
  if (M.HeaderSize <= 0) return;
  Painter.save();
  QRect Band = G.HeaderBandRect();
  Painter.fillRect(Band.united(G.HeaderSectionRect(0)), BandColor);
  Painter.setFont(H.Font);
  auto Caption = [&](int Section) {
    return Section < H.Captions.size() ? H.Captions[Section] : QString();
  };
  Painter.setPen(AxisText);
  Painter.drawText(G.HeaderSectionRect(0).adjusted(2, 0, -2, 0), Qt::AlignCenter, Caption(0));
  Painter.setClipRect(Band);
  const bool Rotated = M.TimeOnTop && H.RotateOnLeft;
  auto [FirstPos, LastPos] = VisiblePositions(G);
  for (int Pos = std::max(FirstPos, 0); Pos <= LastPos; ++Pos) {
    QRect Section = G.HeaderSectionRect(Pos + 1);
    QRect Text = Section.adjusted(4, 2, -4, -2);
    int ImageIndex = FView.HeaderImageIndexOf(Pos);
    if (ImageIndex >= 0 && ImageIndex < H.Images.size()) {
      const QPixmap& Image = H.Images[ImageIndex];
      QSize Size = Image.size().scaled(16, 16, Qt::KeepAspectRatio);
      int Y = Section.center().y() - Size.height() / 2;
      int X = H.ImagePosition == ipRight ? Text.right() - Size.width() : Text.left();
      if (Rotated) {
        X = Section.center().x() - Size.width() / 2;
        Y = Text.top();
        Text.setTop(Text.top() + Size.height() + 2);
      } else if (H.ImagePosition == ipRight) {
        Text.setRight(X - 2);
      } else {
        Text.setLeft(X + Size.width() + 2);
      }
      Painter.drawPixmap(QRect(QPoint(X, Y), Size), Image);
    }
    Painter.setPen(AxisText);
    if (Rotated) {
      Painter.save();
      Painter.translate(Text.bottomLeft());
      Painter.rotate(-90);
      QRect Turned(0, 0, Text.height(), Text.width());
      Painter.drawText(
          Turned, Qt::AlignCenter,
          Painter.fontMetrics().elidedText(Caption(Pos + 1), Qt::ElideRight, Turned.width()));
      Painter.restore();
    } else {
      PaintCaption(Painter, Text, Caption(Pos + 1), H.Alignment);
    }
    Painter.setPen(BandLine);
    if (M.TimeOnTop)
      Painter.drawLine(Section.bottomLeft(), Section.bottomRight());
    else
      Painter.drawLine(Section.topRight(), Section.bottomRight());
  }
  Painter.setClipping(false);
  Painter.setPen(BandLine);
  if (M.TimeOnTop)
    Painter.drawLine(Band.topRight(), Band.bottomRight());
  else
    Painter.drawLine(Band.bottomLeft() - QPoint(M.SidebarSize, 0), Band.bottomRight());
  Painter.restore();
}

void TPlannerGrid::PaintFooter(QPainter& Painter) const {
  const TPlannerGeometry G = FView.Geometry();
  const TPlannerFooter& F = FView.Footer();
  if (!F.Visible) return;
  QRect Band = G.FooterBandRect();
  Painter.save();
  Painter.fillRect(Band, BandColor);
  Painter.setClipRect(Band);
  auto [FirstPos, LastPos] = VisiblePositions(G);
  for (int Pos = std::max(FirstPos, 0); Pos <= LastPos; ++Pos) {
    QRect Section = G.FooterRect(Pos).adjusted(3, 3, -3, -3);
    if (F.ShowCompletion) {
      int Value = FView.CompletionValue(FView.FooterIndexOf(Pos));
      Painter.fillRect(Section, Qt::white);
      int Filled = Section.width() * std::clamp(Value, 0, 100) / 100;
      QColor Bar = Value > 100   ? QColor(226, 80, 80)
                   : Value >= 85 ? QColor(240, 180, 60)
                                 : QColor(110, 190, 110);
      Painter.fillRect(QRect(Section.left(), Section.top(), Filled, Section.height()), Bar);
      Painter.setPen(BandLine);
      Painter.drawRect(Section);
      Painter.setPen(AxisText);
      Painter.drawText(Section, Qt::AlignCenter, QString::asprintf("%d%%", Value));
    }
  }
  Painter.restore();
}
