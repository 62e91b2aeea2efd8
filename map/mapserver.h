#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QWidget;
class TMapView;

// One per program: writes the map symbol pictures into the temporary directory (deleted
// again at the end) and makes map views.
class TMapServer {
 public:
  TMapServer();
  ~TMapServer();
  TMapServer(const TMapServer&) = delete;
  TMapServer& operator=(const TMapServer&) = delete;

  // A new map view, without owner, drawn into WinControl; ErrorNr gets its creation code
  // (0, or 11 to 13). The view is returned in every case.
  TMapView* CreateMapView(QWidget* WinControl, const QString& MapRootPath);

  // The file a symbol picture is written to.
  QString SymbolFile(int Index) const;

  QList<QImage> MapSymbols;
  int ErrorNr = 0;

 private:
  QString BmpFileFmt;
};
