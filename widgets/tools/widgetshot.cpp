// Renders the calendar offscreen into PNG pictures: zep-widgetshot OUTDIR
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPixmap>
#include <cstdio>

#include "widgets/planner.h"
#include "widgets/plannerwaitlist.h"
#include "widgets/tools/democalendar.h"

namespace {

bool Shoot(const QString& Path, const TDemoCalendarOptions& Options) {
  QWidget Window;
  Window.resize(1400, 860);
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
            Shoot(Out.filePath("planner-week.png"), {true, true, 60});
  if (!Ok) std::fprintf(stderr, "Bild kann nicht gespeichert werden\n");
  return Ok ? 0 : 1;
}
