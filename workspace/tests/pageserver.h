#pragma once

// A small web server on a free loopback port for tests of the web exchange: it serves fixed
// pages by query text and records every request with its form fields.
#include <httplib.h>

#include <QMap>
#include <QString>
#include <mutex>
#include <thread>

struct TRecordedRequest {
  QString Method;
  QString Target;
  QMap<QString, QString> Fields;
};

class TPageServer {
 public:
  TPageServer() {
    FServer.Get("/app", [this](const httplib::Request& Request, httplib::Response& Response) {
      Answer(Request, Response);
    });
    FServer.Post("/app", [this](const httplib::Request& Request, httplib::Response& Response) {
      Answer(Request, Response);
    });
    FPort = FServer.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { FServer.listen_after_bind(); });
  }
  ~TPageServer() {
    FServer.stop();
    FThread.join();
  }
  QString AppUrl() const { return QStringLiteral("http://127.0.0.1:%1/app").arg(FPort); }

  // The page answered for a query text (the part after "?"); POSTs answer Pages["post"].
  void SetPage(const QString& Query, const QString& Html) {
    std::lock_guard Lock(FMutex);
    FPages[Query] = Html;
  }
  // The HTTP status answered for a query text (200 unless set).
  void SetStatus(const QString& Query, int Status) {
    std::lock_guard Lock(FMutex);
    FStatus[Query] = Status;
  }
  QList<TRecordedRequest> Requests() const {
    std::lock_guard Lock(FMutex);
    return FRequests;
  }
  int Count(const QString& Method, const QString& TargetPart) const {
    int Found = 0;
    for (const TRecordedRequest& Request : Requests())
      if (Request.Method == Method && Request.Target.contains(TargetPart)) ++Found;
    return Found;
  }

 private:
  void Answer(const httplib::Request& Request, httplib::Response& Response) {
    TRecordedRequest Record{
        QString::fromStdString(Request.method), QString::fromStdString(Request.target), {}};
    for (const auto& [Key, Value] : Request.params)
      Record.Fields[QString::fromStdString(Key)] = QString::fromStdString(Value);
    std::lock_guard Lock(FMutex);
    FRequests << Record;
    const QString Query =
        Request.method == "POST" ? QStringLiteral("post") : Record.Target.section('?', 1);
    Response.status = FStatus.value(Query, 200);
    Response.set_content(FPages.value(Query, "<html><body>leer</body></html>").toStdString(),
                         "text/html; charset=utf-8");
  }

  httplib::Server FServer;
  int FPort = 0;
  std::thread FThread;
  mutable std::mutex FMutex;
  QMap<QString, QString> FPages;
  QMap<QString, int> FStatus;
  QList<TRecordedRequest> FRequests;
};
