// zep-webapp-bench [--requests N]: request rates of the web application on loopback.
// Starts the server in-process over a fresh demo database, then runs a bounded client loop:
// N calendar answers (all technicians, one day, with waiting list), N order lists of all 80
// orders, and the calendar answers of 6 technicians × 14 days. Prints JSON.

#include <httplib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "geo/map/defaultmap.h"
#include "webapp/dates.h"
#include "webapp/request.h"
#include "webapp/server.h"

namespace {
using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Runs the requests one after the other; answers requests/s.
double rate(httplib::Client& client, const std::string& target, int requests, std::size_t& bytes) {
  const auto start = Clock::now();
  for (int i = 0; i < requests; ++i) {
    auto result = client.Get(target);
    if (!result || result->status != 200) {
      std::fprintf(stderr, "zep-webapp-bench: %s failed\n", target.c_str());
      std::exit(1);
    }
    bytes = result->body.size();
  }
  return requests / seconds(Clock::now() - start);
}
}  // namespace

int main(int argc, char** argv) {
  int requests = 2000;
  if (argc == 3 && std::string(argv[1]) == "--requests")
    requests = static_cast<int>(webapp::parseNumberInRange(argv[2], "requests", 1, 100000));
  const auto directory =
      std::filesystem::temp_directory_path() / ("zep-webapp-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  {
    webapp::WebApp app((directory / "bench.db").string(), geo::defaultMapRoot());
    const int port = app.bind(0);
    std::thread server([&app] { app.serve(); });
    httplib::Client client("127.0.0.1", port);

    const std::string monday = webapp::germanDate(webapp::mondayOf(webapp::today()));
    const std::string calendar = "/zep?routinglist26050&a&&&&&0&0&" + monday + "&0&0&1";
    std::size_t calendarBytes = 0, listBytes = 0;
    const double calendarRate = rate(client, calendar, requests, calendarBytes);
    const double listRate = rate(client, "/zep/auftraege/30?projekt=0", requests, listBytes);

    // 6 technicians × 14 days: the week view of each technician with 7 more days.
    constexpr int kRounds = 50;
    std::size_t weekBytes = 0;
    const auto start = Clock::now();
    for (int round = 0; round < kRounds; ++round)
      for (int technician = 11; technician <= 16; ++technician)
        rate(
            client,
            "/zep?routinglist26050&a&&&&&0&" + std::to_string(technician) + "&" + monday + "&0&7&1",
            1, weekBytes);
    const double allSix = seconds(Clock::now() - start) / kRounds;

    std::printf(
        "{\"requests\": %d, \"calendar_day_per_s\": %.0f, \"calendar_day_bytes\": %zu, "
        "\"order_list_80_per_s\": %.0f, \"order_list_bytes\": %zu, "
        "\"calendar_6_technicians_x_14_days_ms\": %.2f, "
        "\"calendar_one_technician_14_days_ms\": %.3f}\n",
        requests, calendarRate, calendarBytes, listRate, listBytes, allSix * 1000,
        allSix * 1000 / 6);
    app.stop();
    server.join();
  }
  std::filesystem::remove_all(directory);
  return 0;
}
