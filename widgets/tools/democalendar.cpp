#include "widgets/tools/democalendar.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/planner.h"
#include "widgets/plannerwaitlist.h"

namespace {

const char* const Technicians[] = {"Bauer, Lukas (12)",  "Fischer, Anna (17)", "Hoffmann, Jan (21)",
                                   "Klein, Sophie (23)", "Krüger, Tim (25)",   "Lange, Mia (31)",
                                   "Neumann, Paul (34)", "Schulz, Lea (40)",   "Wagner, Max (42)",
                                   "Zimmer, Eva (47)"};
const char* const WeekDays[] = {
    "Montag 05.09.2016",  "Dienstag 06.09.2016", "Mittwoch 07.09.2016", "Donnerstag 08.09.2016",
    "Freitag 09.09.2016", "Samstag 10.09.2016",  "Sonntag 11.09.2016"};
const char* const Customers[] = {"Autohaus Seidel",     "Bäckerei Hofmann",  "Praxis Dr. Roth",
                                 "Stadtwerke Lindenau", "Hotel Zur Post",    "Getränke Maier",
                                 "Schreinerei Vogel",   "Kita Sonnenschein", "Familie Brandt",
                                 "Metzgerei Kühn"};
const char* const Streets[] = {"Hauptstraße 12", "Bahnhofstr. 3", "Am Markt 7",    "Lindenweg 24",
                               "Schulstraße 9",  "Eichenring 15", "Gartenstr. 41", "Mühlweg 2"};
const char* const Warnings[] = {"Zeitfenster nicht eingehalten!",
                                "Mehrere Aufträge am gleichen Ort!", "Terminfenster max. 1 Stunde!",
                                "Terminanschreiben ist erfolgt!",
                                "Terminabsprache ist erfolgt oder Rückruf erforderlich!"};

// A small linear congruential generator: the same calendar on every machine.
class TDemoRandom {
 public:
  int Next(int Limit) {
    FState = FState * 1103515245u + 12345u;
    return static_cast<int>((FState >> 16) % static_cast<unsigned>(Limit));
  }

 private:
  unsigned FState = 20160907u;
};

struct TKind {
  int Layer;
  QColor Color;
};

QPixmap Symbol(QColor Fill, const QString& Glyph) {
  QPixmap Picture(16, 16);
  Picture.fill(Qt::transparent);
  QPainter Painter(&Picture);
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setPen(QPen(Fill.darker(150), 1));
  Painter.setBrush(Fill);
  Painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QFont Font;
  Font.setPixelSize(11);
  Font.setBold(true);
  Painter.setFont(Font);
  Painter.setPen(Qt::white);
  Painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, Glyph);
  return Picture;
}

TPlannerImages WarningImages() {
  return {Symbol(QColor(215, 40, 40), "!"), Symbol(QColor(230, 130, 20), "2"),
          Symbol(QColor(180, 60, 170), "1"), Symbol(QColor(40, 120, 210), "@"),
          Symbol(QColor(40, 150, 80), "R")};
}

TPlannerImages RouteSymbols(int Count) {
  static const QColor Colors[] = {QColor(220, 60, 60),  QColor(60, 130, 220), QColor(60, 170, 90),
                                  QColor(230, 150, 30), QColor(150, 80, 200), QColor(30, 160, 170),
                                  QColor(200, 90, 140), QColor(120, 120, 40), QColor(90, 90, 90),
                                  QColor(200, 120, 60)};
  TPlannerImages Images;
  for (int I = 0; I < Count; ++I) Images.append(Symbol(Colors[(I + 9) % 10], QString::number(I)));
  return Images;
}

QString Clock(int Minutes) {
  return QString("%1:%2").arg(Minutes / 60, 2, 10, QChar('0')).arg(Minutes % 60, 2, 10, QChar('0'));
}

int AddOrder(TPlanner& Planner, TDemoRandom& Random, int Pos, int Start, int Id) {
  static const TKind Kinds[] = {
      {PlannedLayer, QColor(0xFF, 0x66, 0x99)},   {LoadedLayer, QColor(0xFF, 0x66, 0x00)},
      {LoadedLayer, QColor(0xFF, 0xFF, 0x99)},    {LoadedLayer, QColor(0xFF, 0xCC, 0x66)},
      {CompletedLayer, QColor(0x99, 0xFF, 0x99)}, {PlannedLayer, QColor(0xCC, 0xFF, 0xFF)}};
  const TKind& Kind = Kinds[Random.Next(6)];
  int Length = 30 + 15 * Random.Next(5);
  TPlannerItem* Item = Planner.Items().Add();
  Item->SetID(Id);
  Item->SetSpan(Start, Start + Length, Pos);
  Item->SetLayer(Kind.Layer);
  Item->SetColor(Kind.Color);
  Item->SetTrackColor(Kind.Color.darker(170));
  Item->SetReadOnly(true);
  Item->SetFixedSize(true);
  Item->SetCaptionText(QString("%1 - %2: ID %3").arg(Clock(Start), Clock(Start + Length)).arg(Id));
  QStringList Text = {Customers[Random.Next(10)], Streets[Random.Next(8)],
                      QString("954%1 Lindenau").arg(10 + Random.Next(80))};
  if (Random.Next(4) == 0 && Kind.Layer != CompletedLayer) {
    int Flags = 1 + Random.Next(31);
    QList<int> Images;
    Text << ""
         << "Weitere Informationen:";
    for (int Bit = 0; Bit < 5; ++Bit) {
      if (!(Flags & (1 << Bit))) continue;
      Images << Bit;
      Text << QString("- %1").arg(Warnings[Bit]);
    }
    Item->SetImageIndexList(Images);
    if (Flags & 3) Item->SetLayer(Item->Layer() | WarningLayer);
  }
  Item->SetText(Text);
  if (Random.Next(5) == 0) Item->SetURL("http://localhost/auftrag?id=" + QString::number(Id));
  if (Random.Next(9) == 0) Item->SetSelected(true);
  return Length;
}

void AddAbsence(TPlanner& Planner, int Pos, int Start, int End, bool Absence) {
  TPlannerItem* Item = Planner.Items().Add();
  Item->SetSpan(Start, End, Pos);
  Item->SetLayer(FixedLayer);
  Item->SetColor(Absence ? QColor(0x00, 0xCC, 0xFF) : QColor(0x99, 0xCC, 0xFF));
  Item->SetTrackVisible(false);
  Item->SetShadow(false);
  Item->SetShowSelection(false);
  Item->SetFixedPos(true);
  Item->SetFixedSize(true);
  Item->SetAllowOverlap(!Absence);
  Item->SetReadOnly(true);
  Item->SetCaptionText(Absence ? "Abwesenheits-Termin: Urlaub" : "Termin: Teambesprechung");
  Item->SetText({QString("07.09.2016 %1 - 07.09.2016 %2").arg(Clock(Start), Clock(End))});
}

void AddWaitingTime(TPlanner& Planner, int Pos, int Start, int End) {
  TPlannerItem* Item = Planner.Items().Add();
  Item->SetSpan(Start, End, Pos);
  Item->SetLayer(WaitTimeLayer);
  Item->SetColor(QColor(225, 225, 225));
  Item->SetTrackVisible(false);
  Item->SetShadow(false);
  Item->SetCaptionText("Wartezeit");
  Item->SetFixedPos(true);
}

void SetUpGrid(TPlanner& Planner, const TDemoCalendarOptions& Options, int Columns) {
  Planner.Items().ClearAll();
  Planner.Display().SetDisplayUnit(15);
  int Last = 1440 / 15;
  Planner.Display().SetDisplayStart(0);
  Planner.Display().SetDisplayEnd(Last);
  Planner.Display().SetActiveStart(int(Last * 0.3125));
  Planner.Display().SetActiveEnd(int(Last * 0.75));
  Planner.Sidebar().Position = Options.TimeOnTop ? spTop : spLeft;
  Planner.Sidebar().TimeIndicator = true;
  Planner.Sidebar().Width = 50;
  Planner.SetPositions(Columns);
  Planner.SetPositionWidth(Options.GapAxes ? 170 : 0);
  Planner.SetPositionGap(Options.GapAxes ? 48 : 0);
  Planner.Sidebar().ShowInPositionGap = Options.GapAxes;
  Planner.Sidebar().ShowOccupied = Options.GapAxes;
  Planner.Header().Font.setBold(true);
  // With axes in the gaps the images are counted from the first gap on.
  Planner.Header().Images = RouteSymbols(Columns + 1);
  if (!Options.GapAxes) Planner.Header().Images.removeFirst();
  Planner.Header().RotateOnLeft = false;
  Planner.PlannerImages() = WarningImages();
  Planner.IndicateNonVisibleItems = true;
  Planner.Footer().Visible = true;
  Planner.Footer().ShowCompletion = true;
  Planner.Footer().CustomCompletionValue = true;
  // Turned, the time runs across the screen: stretched cells keep short items readable.
  Planner.Display().SetDisplayScale(Options.TimeOnTop ? 36 : 24);
  Planner.Clock = [] { return QTime(10, 40); };
}

}  // namespace

void FillDemoCalendar(TPlanner& Planner, const TDemoCalendarOptions& Options) {
  const int Columns = Options.WeekMode ? 7 : 10;
  SetUpGrid(Planner, Options, Columns);
  QStringList Captions = {""};
  for (int Pos = 0; Pos < Columns; ++Pos)
    Captions << (Options.WeekMode ? WeekDays[Pos] : Technicians[Pos]);
  Planner.Header().Captions = Captions;
  Planner.PositionProps().Clear();
  for (int Pos = 0; Pos < Columns; ++Pos) {
    TPositionProp* Prop = Planner.PositionProps().Add();
    bool Weekend = Options.WeekMode && Pos >= 5;
    Prop->Use = Weekend || Pos == 2;
    if (Weekend) {
      Prop->SetActiveStart(-1);
      Prop->SetActiveEnd(-1);
    } else if (Pos == 2) {
      Prop->ColorActive = QColor(0xFF, 0xFF, 0xCC);
      Prop->ColorNonActive = QColor(0xFF, 0xFF, 0x99);
    }
  }
  Planner.Caption().Title =
      Options.WeekMode
          ? "<b>Personaleinsatzplanung 07.09.2016: Fischer, Anna (17) - Alle Projekte</b>"
          : "<b>Personaleinsatzplanung 07.09.2016: Alle Projekte</b>";
  Planner.NavigatorButtons().ShowHint = true;
  Planner.NavigatorButtons().NextHint =
      Options.WeekMode ? "Eine Woche vorwärts" : "Einen Tag vorwärts";
  Planner.NavigatorButtons().PrevHint = Options.WeekMode ? "Eine Woche zurück" : "Einen Tag zurück";

  TDemoRandom Random;
  Planner.Items().BeginUpdate();
  // Each column's day is filled from 07:30 on; the last column starts after its absence.
  const int AbsenceColumn = Options.WeekMode ? 4 : Columns - 1;
  std::vector<int> Next(Columns, 7 * 60 + 30);
  Next[AbsenceColumn] = 12 * 60 + 15;
  for (int N = 0; N < Options.Items; ++N) {
    int Pos = N % Columns;
    if (Options.WeekMode && Pos >= 5) Pos = Random.Next(5);
    if (Next[Pos] > 17 * 60) Next[Pos] = 7 * 60 + 30 + 15 * Random.Next(36);
    int Length = AddOrder(Planner, Random, Pos, Next[Pos], 4700 + N);
    // Now and then two appointments overlap, as dispatchers do plan them.
    bool Overlap = Random.Next(8) == 0;
    Next[Pos] += Overlap ? 15 : Length + 15 * Random.Next(3);
    if (!Overlap && Random.Next(6) == 0) {
      AddWaitingTime(Planner, Pos, Next[Pos], Next[Pos] + 15);
      Next[Pos] += 15;
    }
    if (Pos == 3 && Next[Pos] > 11 * 60 && Next[Pos] < 13 * 60) Next[Pos] = 13 * 60;
  }
  AddAbsence(Planner, AbsenceColumn, 7 * 60 + 30, 12 * 60, true);
  AddAbsence(Planner, 3, 12 * 60, 13 * 60, false);
  Planner.Items().EndUpdate();
  for (int Pos = 0; Pos < Columns; ++Pos)
    Planner.SetCompletionValue(Planner.FooterIndexOf(Pos),
                               Options.WeekMode && Pos >= 5 ? 0 : 45 + Random.Next(70));
  Planner.ScrollToTime(TDateTime(0.3));
}

void FillDemoWaitList(TPlannerWaitList& List) {
  List.Items().ClearAll();
  List.SetItemHeight(100);
  List.ShowSelection = true;
  List.MultiSelect = true;
  const char* const Orders[] = {"Wartung Heizung", "Zählerwechsel", "Störung Lüftung",
                                "Inbetriebnahme", "Reparatur Tor"};
  for (int I = 0; I < 5; ++I) {
    TPlannerItem* Item = List.Items().Add();
    Item->SetID(4800 + I);
    Item->SetCaptionText(QString("ID: %1").arg(4800 + I));
    Item->SetText({Orders[I], Customers[(I * 3) % 10], Streets[I]});
    Item->SetColor(QColor(0xFF, 0x66, 0x99).lighter(100 + 10 * I));
    Item->SetTrackColor(QColor(0x99, 0x33, 0x55));
    Item->SetLayer(PlannedLayer);
    Item->SetReadOnly(true);
    Item->SetFixedSize(true);
    Item->SetSpan(0, 30 + 15 * I, 0);
  }
  List.SetSelected(1, true);
}
