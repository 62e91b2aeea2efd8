// zep-mapshot MAPDIR OUT.png [--section L,R,T,B] [--size WxH] [--stations FILE]
//             [--title TEXT] [--select ID,ID…] [--rotation DEG] [--repeat N]
// Renders a map view offscreen through the real TMapView. Stations come from a text file,
// one per line: order number; x; y; label; pin (map coordinates; order -1 start, -2 finish).
// With --repeat N it also times N full redraws and N pan steps of the window and prints JSON.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "map/component/imapview.h"
#include "map/mapeditor.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

namespace {

struct Options {
  QString mapDir, out, stationsFile, title;
  QStringList section, select;
  int width = 1200, height = 800, repeat = 0;
  double rotation = 0;
};

[[noreturn]] void fail(const QString& message) {
  std::fprintf(stderr, "zep-mapshot: %s\n", qPrintable(message));
  std::exit(1);
}

Options readArguments(const QStringList& args) {
  Options o;
  QStringList positional;
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const auto value = [&]() -> QString {
      if (i + 1 >= args.size()) fail(QStringLiteral("%1 braucht einen Wert").arg(a));
      return args[++i];
    };
    if (a == QLatin1String("--section")) {
      o.section = value().split(QLatin1Char(','));
    } else if (a == QLatin1String("--size")) {
      const QStringList wh = value().split(QLatin1Char('x'));
      if (wh.size() != 2) fail(QStringLiteral("--size erwartet BREITExHÖHE"));
      o.width = wh[0].toInt(), o.height = wh[1].toInt();
    } else if (a == QLatin1String("--stations")) {
      o.stationsFile = value();
    } else if (a == QLatin1String("--title")) {
      o.title = value();
    } else if (a == QLatin1String("--select")) {
      o.select = value().split(QLatin1Char(','));
    } else if (a == QLatin1String("--rotation")) {
      o.rotation = value().toDouble();
    } else if (a == QLatin1String("--repeat")) {
      o.repeat = value().toInt();
    } else {
      positional.append(a);
    }
  }
  if (positional.size() != 2) {
    fail(
        QStringLiteral("Aufruf: zep-mapshot MAPDIR OUT.png [--section L,R,T,B] [--size WxH] "
                       "[--stations FILE] [--title TEXT] [--select ID,…] [--rotation GRAD] "
                       "[--repeat N]"));
  }
  if (o.width < 1 || o.height < 1 || o.width > 20000 || o.height > 20000) {
    fail(QStringLiteral("Unzulässige Bildgröße"));
  }
  o.mapDir = positional[0];
  o.out = positional[1];
  return o;
}

void readStations(const QString& file, TMapServerData& hub) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
    fail(QStringLiteral("Die Stationsdatei %1 kann nicht gelesen werden").arg(file));
  }
  QTextStream in(&f);
  while (!in.atEnd()) {
    const QStringList v = in.readLine().split(QLatin1Char(';'));
    if (v.size() < 3 || v[0].trimmed().startsWith(QLatin1Char('#'))) continue;
    auto station = std::make_unique<TStation>();
    station->SetField(0, v[0].trimmed());
    station->SetField(4, v[1].trimmed());
    station->SetField(5, v[2].trimmed());
    station->SetField(1, v.value(3).trimmed());
    station->SetField(29, v.value(4).trimmed());
    TStationList& list = *hub.StationList;
    if (v[0].trimmed() == QLatin1String("-1")) {
      list.Start = std::move(station);
    } else if (v[0].trimmed() == QLatin1String("-2")) {
      list.Finish = std::move(station);
    } else {
      list.AddObject(v[0].trimmed(), station.release());
    }
  }
}

template <class Draw>
double millisecondsPer(int repeat, Draw&& draw) {
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < repeat; ++i) draw(i);
  return static_cast<double>(timer.nsecsElapsed()) / 1e6 / repeat;
}

void benchmark(TMapView& view, QWidget& host, int repeat) {
  QImage frame(host.size(), QImage::Format_RGB32);
  QWidget* canvas = view.GetIMapView()->Canvas();
  const auto& mapView = *view.GetIMapView();
  const double full = millisecondsPer(repeat, [&](int) {
    QPainter p(&frame);
    view.GetIMapView()->DrawInto(&p, frame.rect());
  });
  canvas->render(&frame);  // fills the window's cache once
  const double pan = millisecondsPer(repeat, [&](int i) {
    view.GetIMapView()->Pan(i % 2 ? -15 : 15, 0);
    canvas->render(&frame);
  });
  const TRect s = mapView.Section();
  std::printf(
      "{\"width\": %d, \"height\": %d, \"section\": [%d, %d, %d, %d], \"repeat\": %d, "
      "\"full_redraw_ms\": %.2f, \"pan_step_ms\": %.2f}\n",
      host.width(), host.height(), s.Left, s.Right, s.Top, s.Bottom, repeat, full, pan);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const Options o = readArguments(app.arguments());

  TMapServer server;
  QWidget host;
  host.resize(o.width, o.height);
  std::unique_ptr<TMapView> view(server.CreateMapView(&host, o.mapDir));
  if (server.ErrorNr != 0) {
    fail(QStringLiteral("Fehler-Nr. %1: Zuordnung der Karte (%2)")
             .arg(server.ErrorNr)
             .arg(ComErrorText()));
  }
  TMapServerData hub;
  view->SetMapServerData(&hub);
  view->MapTitle = o.title;
  view->CreateMapEditor(QStringLiteral("Stationen"));
  if (!o.stationsFile.isEmpty()) {
    readStations(o.stationsFile, hub);
    view->SetStationsInMap(15, -1, QString());
  }
  if (!o.section.isEmpty() && !view->SetMapRect(o.section)) {
    fail(QStringLiteral("--section erwartet LINKS,RECHTS,OBEN,UNTEN"));
  }
  for (const QString& id : o.select) view->SelectStation(id.toInt(), 0);
  if (o.rotation != 0) view->SetMapRotation(o.rotation);
  if (o.repeat > 0) benchmark(*view, host, o.repeat);
  if (!o.out.isEmpty()) {
    QImage image(o.width, o.height, QImage::Format_RGB32);
    QPainter painter(&image);
    view->GetIMapView()->DrawInto(&painter, image.rect());
    painter.end();
    if (!image.save(o.out)) fail(QStringLiteral("%1 kann nicht geschrieben werden").arg(o.out));
  }
  return 0;
}
