// zep-programshot: the program against a running web application, one page shown in the first
// workspace, saved as a picture of the main window (README screenshots). It prints the time
// from start-up to the processed start page and from the visited page's completion to the end
// of its processing, as JSON.
//
//   zep-programshot --home-url http://127.0.0.1:PORT/ [--layout 1|2] [--visit PATH]
//                   [--map-page] [--size 1600x1000] [--out FILE.png]
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>

#include "geo/map/defaultmap.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"
#include "shell/mainform.h"
#include "store/mapserverdb.h"
#include "workspace/mapviewbridge.h"
#include "workspace/zeproutingform.h"

namespace {

bool WaitFor(const std::function<bool()>& Done, int TimeoutMs) {
  QEventLoop Loop;
  QTimer Poll;
  QObject::connect(&Poll, &QTimer::timeout, &Loop, [&] {
    if (Done()) Loop.quit();
  });
  QTimer::singleShot(TimeoutMs, &Loop, &QEventLoop::quit);
  Poll.start(20);
  if (!Done()) Loop.exec();
  return Done();
}

void Settle(int Ms) {
  QEventLoop Loop;
  QTimer::singleShot(Ms, &Loop, &QEventLoop::quit);
  Loop.exec();
}

int Fail(const char* Text) {
  std::fprintf(stderr, "zep-programshot: %s\n", Text);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  QApplication::setApplicationVersion(ZEP_VERSION);
  QCommandLineParser Parser;
  const QCommandLineOption Home("home-url", "base address", "URL");
  const QCommandLineOption Layout("layout", "1 tab pages, 2 split screen", "N", "1");
  const QCommandLineOption Visit("visit", "path below the base address", "PATH");
  const QCommandLineOption MapPage("map-page", "show the map page of the tab layout");
  const QCommandLineOption FitStations("fit-stations",
                                       "zoom the map onto the page's stations, as the user would");
  const QCommandLineOption Size("size", "window size", "WxH", "1600x1000");
  const QCommandLineOption Out("out", "picture file", "FILE");
  Parser.addOptions({Home, Layout, Visit, MapPage, FitStations, Size, Out});
  Parser.process(Application);
  if (!Parser.isSet(Home)) return Fail("--home-url is needed");
  QElapsedTimer StartUp;
  StartUp.start();

  // The layout of the first workspace comes from the settings, as at every start.
  TMapServerDB().SetROData(1001, 1, Parser.value(Layout));
  TMainForm::TServices Services;
  Services.CreateMapServer = [](const QString& MapPath) { return CreateMapAdapterServer(MapPath); };
  Services.MapPathDefault = QString::fromStdString(geo::defaultMapRoot());
  TMainForm Main(Parser.value(Home), std::move(Services));
  const QStringList Extent = Parser.value(Size).split('x');
  Main.resize(Extent.value(0).toInt(), Extent.value(1).toInt());
  Main.show();
  Main.FormActivate();
  const QList<QMdiSubWindow*> Windows = Main.MdiArea->subWindowList();
  if (Windows.isEmpty()) return Fail("no workspace opened");
  auto* Form = dynamic_cast<TZEPRoutingForm*>(Windows.first()->widget());
  Windows.first()->showMaximized();

  int Pages = 0;
  Form->AfterPageHandled = [&](int Browser) { Pages += Browser == 1; };
  if (!WaitFor([&] { return Pages > 0 && !Form->WebAppURL.isEmpty(); }, 30000))
    return Fail("the start page did not arrive");
  const qint64 StartUpMs = StartUp.elapsed();
  double PageMs = -1;
  if (Parser.isSet(Visit)) {
    Pages = 0;
    QElapsedTimer Completed;
    QObject::connect(Form->WebBrowser1, &QWebEngineView::loadFinished, Form,
                     [&Completed] { Completed.start(); });
    Form->WebBrowser1->setUrl(QUrl(Parser.value(Home) + Parser.value(Visit)));
    if (!WaitFor([&] { return Pages > 0; }, 60000)) return Fail("the page did not arrive");
    PageMs = Completed.nsecsElapsed() / 1e6;
  }
  std::printf(
      "{\"startup_to_start_page_ms\": %lld, \"page_complete_to_processed_ms\": %.1f, "
      "\"stations\": %d}\n",
      static_cast<long long>(StartUpMs), PageMs, Form->MapServerData->StationList->Count());
  if (!Parser.isSet(Out)) return 0;
  if (Parser.isSet(MapPage)) Form->SetActivePage(1);
  if (auto* Bridge = dynamic_cast<TMapViewBridge*>(Form->MapView.get());
      Bridge && Parser.isSet(FitStations))
    Bridge->View().SetMapRect(*Form->MapServerData->StationList);
  Settle(1500);  // the browser paints asynchronously
  if (!Main.grab().save(Parser.value(Out))) return Fail("the picture could not be written");
  return 0;
}
