// Renders the calendar offscreen into PNG pictures: zep-widgetshot OUTDIR
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "widgets/monthcalendar.h"
#include "widgets/planner.h"
#include "widgets/plannerdatepicker.h"
#include "widgets/plannerwaitlist.h"
#include "widgets/splashscreen.h"
#include "widgets/tools/democalendar.h"

namespace {

bool Shoot(const QString& Path, const TDemoCalendarOptions& Options) {
  QWidget Window;
  Window.resize(1680, 940);
  auto* Layout = new QHBoxLayout(&Window);
  Layout->setContentsMargins(4, 4, 4, 4);
  auto* Planner = new TPlanner(&Window);
  Planner->setObjectName("Planner1");
  auto* List = new TPlannerWaitList(&Window);
  List->setObjectName("PlannerWaitList1");
  List->setFixedWidth(250);
  Layout->addWidget(Planner, 1);
  Layout->addWidget(List);
  Window.show();
  FillDemoCalendar(*Planner, Options);
  FillDemoWaitList(*List);
  QApplication::processEvents();
  Planner->ScrollToTime(TDateTime(Options.TimeOnTop ? 0.29 : 0.3));
  QApplication::processEvents();
  return Window.grab().save(Path);
}

bool ShootDatePicker(const QString& Path) {
  TPlannerDatePicker Picker;
  Picker.resize(290, 24);
  Picker.SetDate(EncodeDate(2016, 9, 7));
  Picker.Calendar()->Today = [] { return QDate(2016, 9, 5); };
  Picker.show();
  Picker.DropDown();
  QApplication::processEvents();
  QPixmap Field = Picker.grab();
  QPixmap Page = Picker.Calendar()->grab();
  QPixmap Picture(std::max(Field.width(), Page.width()) + 8, Field.height() + Page.height() + 10);
  Picture.fill(QColor(240, 240, 240));
  QPainter Painter(&Picture);
  Painter.drawPixmap(4, 4, Field);
  Painter.drawPixmap(4, Field.height() + 6, Page);
  return Picture.save(Path);
}

bool ShootSplash(const QString& Path) {
  QCoreApplication::setApplicationVersion("4.2.1");
  TSplashScreen Splash;
  Splash.SetProgramName("ZEPRouting");
  Splash.SetVersionLine(QString("Version %1%2").arg(Splash.VersionLine(), " vom 06.09.2016"));
  Splash.Show();
  Splash.AddProgressLine("Initialisierung");
  Splash.AddProgressLine("Zuordnung der Karte");
  return Splash.grab().save(Path);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: zep-widgetshot AUSGABEORDNER\n");
    return 2;
  }
  QDir Out(QString::fromLocal8Bit(argv[1]));
  if (!Out.mkpath(".")) {
    std::fprintf(stderr, "Ordner %s kann nicht angelegt werden\n", argv[1]);
    return 1;
  }
  bool Ok = Shoot(Out.filePath("planner-day.png"), {false, false, 60}) &&
            Shoot(Out.filePath("planner-week.png"), {true, true, 35}) &&
            Shoot(Out.filePath("planner-day-gaps.png"), {false, false, 60, true}) &&
            ShootDatePicker(Out.filePath("datepicker.png")) &&
            ShootSplash(Out.filePath("splash.png"));
  if (!Ok) std::fprintf(stderr, "Bild kann nicht gespeichert werden\n");
  return Ok ? 0 : 1;
}
