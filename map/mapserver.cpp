#include "map/mapserver.h"

#include <QDir>
#include <QFile>

#include "map/mapsymbols.h"
#include "map/mapview.h"

TMapServer::TMapServer() : BmpFileFmt(QStringLiteral("%1.bmp")) {
  for (int n = 0; n < mapsymbols::kCount; ++n) MapSymbols.append(mapsymbols::Picture(n));
  for (int n = 0; n < MapSymbols.size(); ++n) {
    if (!MapSymbols[n].isNull()) MapSymbols[n].save(SymbolFile(n), "BMP");
  }
}

TMapServer::~TMapServer() {
  for (int n = 0; n < MapSymbols.size(); ++n) QFile::remove(SymbolFile(n));
}

QString TMapServer::SymbolFile(int Index) const {
  return QDir(QDir::tempPath()).filePath(BmpFileFmt.arg(mapsymbols::SymbolNumber(Index)));
}

TMapView* TMapServer::CreateMapView(QWidget* WinControl, const QString& MapRootPath) {
  auto* view = new TMapView(nullptr);
  ErrorNr = view->CreateMapView(WinControl, MapRootPath);
  return view;
}
