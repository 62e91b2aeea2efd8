#pragma once

// A main window stand-in for workspace tests: a real local store in the test's temporary
// directory, the workspace list and a recording map server.
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

#include "store/mapserverdb.h"
#include "workspace/tests/fakemap.h"
#include "workspace/workspacehost.h"

class TTestHost : public TWorkspaceHost {
 public:
  TTestHost() : Store(std::make_unique<TMapServerDB>()), Server(Calls) {}
  int ChildCounter() const override { return Counter; }
  QString HomeURL() const override { return Home; }
  QString MapPath() const override { return {}; }
  TMapServerDB* MapServerDB() const override { return Store.get(); }
  TWorkspaceMapServer* MapServer() const override { return const_cast<TFakeMapServer*>(&Server); }
  QComboBox* WorkspaceList() const override { return const_cast<QComboBox*>(&List); }
  QSize ClientSize() const override { return {1200, 800}; }
  void ShowErrorMsg(int ENr, const QString& EMsg) override {
    Errors << QStringLiteral("%1:%2").arg(ENr).arg(EMsg);
  }

  int Counter = 1;
  QString Home;
  QStringList Errors;
  TMapCalls Calls;
  std::unique_ptr<TMapServerDB> Store;
  TFakeMapServer Server;
  QComboBox List;
};

// Runs the event loop until Done answers true or TimeoutMs passed; answers Done().
inline bool WaitFor(const std::function<bool()>& Done, int TimeoutMs = 15000) {
  QEventLoop Loop;
  QTimer Poll;
  QTimer Timeout;
  QObject::connect(&Poll, &QTimer::timeout, &Loop, [&] {
    if (Done()) Loop.quit();
  });
  QObject::connect(&Timeout, &QTimer::timeout, &Loop, &QEventLoop::quit);
  Poll.start(10);
  Timeout.setSingleShot(true);
  Timeout.start(TimeoutMs);
  if (!Done()) Loop.exec();
  return Done();
}

// What Script answers in the page of View, as text; empty when it does not answer in time.
inline QString Evaluate(QWebEngineView* View, const QString& Script) {
  QString Result;
  bool Done = false;
  View->page()->runJavaScript(Script, [&](const QVariant& Value) {
    Result = Value.toString();
    Done = true;
  });
  WaitFor([&] { return Done; });
  return Result;
}
