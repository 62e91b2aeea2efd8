// zep-webapp: the reference web application of the dispatcher.
//   zep-webapp --port N [--db FILE] [--demo [MAPDIR]]
// --port 0 picks a free port; the port is always printed on the first line of stdout.

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "geo/map/defaultmap.h"
#include "webapp/request.h"
#include "webapp/server.h"

namespace {
struct Options {
  int port = 8080;
  std::string database = "zep-webapp.db";
  std::string demoMap;
};

int usage(const char* message) {
  std::cerr << "zep-webapp: " << message << "\n"
            << "Aufruf: zep-webapp --port N [--db DATEI] [--demo [KARTENORDNER]]\n";
  return 2;
}

bool readOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
    if (argument == "--port" && hasValue) {
      options.port = static_cast<int>(webapp::parseNumberInRange(argv[++i], "Der Port", 0, 65535));
    } else if (argument == "--db" && hasValue) {
      options.database = argv[++i];
    } else if (argument == "--demo") {
      options.demoMap = hasValue ? argv[++i] : geo::defaultMapRoot();
    } else {
      return false;
    }
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    if (!readOptions(argc, argv, options)) return usage("unbekannte oder unvollständige Option");
  } catch (const webapp::BadRequest& error) {
    return usage(error.what());
  }
  // The server's threads inherit the blocked signals; one thread waits for them and stops
  // the server, so shutdown never runs inside a signal handler.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  try {
    webapp::WebApp app(options.database, options.demoMap);
    const int port = app.bind(options.port);
    if (port < 0) {
      std::cerr << "zep-webapp: Port " << options.port << " auf 127.0.0.1 ist nicht verfügbar\n";
      return 1;
    }
    std::cout << port << std::endl;
    std::atomic<bool> finished = false;
    std::thread waiter([&app, &signals, &finished] {
      int signal = 0;
      sigwait(&signals, &signal);
      // A signal may come before the server runs; stop it until it has ended.
      while (!finished) {
        app.stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
    const bool served = app.serve();
    finished = true;
    // serve() also ends when the listening socket fails; the waiter may still be waiting.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    return served ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "zep-webapp: " << error.what() << "\n";
    return 1;
  }
}
