// A web application page as the hub reads it: the data block, every query's rows and the
// row readers (stations by address and GPS, GPS points, route options, blocked periods) on
// a hub with a store of its own.

#include <QTemporaryDir>

#include "fuzz/fuzztext.h"
#include "planning/mapserverdata.h"

namespace {

// The store keeps its database in the temporary folder, so it gets a fresh one first.
struct Store {
  Store() : folder(), environment(qputenv("TMPDIR", QFile::encodeName(folder.path()))) {}
  QTemporaryDir folder;
  bool environment;
  TMapServerDB store;
};

TMapServerDB& TheStore() {
  static Store store;
  return store.store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fresh hub per input, so that no input depends on the ones before it.
  TMapServerData hub;
  hub.MapServerDB = &TheStore();
  hub.SetRouteTable(QStringLiteral("R1"));
  hub.FSeparator = QStringLiteral("|");
  hub.ReadMapServerData(zepfuzz::Text(data, size));
  for (int query = 1; query <= 5; ++query) {
    hub.SetQueryData(query);
    for (int row = -1; row <= hub.QueryData.size(); ++row) hub.GetQueryData(row);
  }
  hub.SetQueryData(1);
  hub.QueryDataToStationList(0);
  hub.SetQueryData(2);
  hub.QueryDataToStationList(1);
  hub.SetQueryData(3);
  hub.QueryGPSDataToStationList();
  hub.SetQueryData(4);
  hub.QueryDataToRouteOptions(4);
  hub.SetQueryData(5);
  hub.QueryDataToRouteOptions(5);
  return 0;
}
