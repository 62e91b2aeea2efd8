#pragma once

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace webapp {

class Database;
struct PageContext;

// The web application: pages and postings over HTTP on 127.0.0.1 only.
class WebApp {
 public:
  // Opens (or creates) the database; with a map root, seeds the demo data once.
  WebApp(const std::string& databasePath, const std::string& demoMapRoot = {});
  ~WebApp();
  WebApp(const WebApp&) = delete;
  WebApp& operator=(const WebApp&) = delete;

  // Binds 127.0.0.1:port (0 picks a free one) and answers the bound port, or -1.
  int bind(int port);
  // Serves until stop(); call after bind().
  bool serve();
  void stop();

 private:
  void routes();

  std::unique_ptr<Database> db_;
  std::unique_ptr<httplib::Server> server_;
  std::unique_ptr<PageContext> context_;
};

}  // namespace webapp
