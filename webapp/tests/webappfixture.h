#pragma once

#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "geo/map/defaultmap.h"
#include "webapp/server.h"

namespace webapp::testing {

// The real server in-process on a free loopback port, over a fresh database seeded from the
// demo map, and a client talking HTTP to it.
class WebAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("zep-webapp-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    databasePath_ = (directory_ / "webapp.db").string();
    app_ = std::make_unique<WebApp>(databasePath_, geo::defaultMapRoot());
    port_ = app_->bind(0);
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { app_->serve(); });
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client_->set_connection_timeout(5);
    // Addresses go out as written, as a browser sends them ("+" stays a blank).
    client_->set_url_encode(false);
  }

  void TearDown() override {
    app_->stop();
    thread_.join();
    client_.reset();
    app_.reset();
    std::filesystem::remove_all(directory_);
  }

  httplib::Result get(const std::string& target) { return client_->Get(target); }
  httplib::Result post(const std::string& path, const httplib::Params& fields) {
    return client_->Post(path, fields);
  }
  // The body of a GET that must succeed.
  std::string page(const std::string& target) {
    auto result = get(target);
    EXPECT_TRUE(result) << target;
    if (!result) return {};
    EXPECT_EQ(result->status, 200) << target << "\n" << result->body;
    return result->body;
  }

  // Every row of every table as text: equal before and after means nothing changed.
  std::string databaseFingerprint() {
    sqlite3* db = nullptr;
    sqlite3_open_v2(databasePath_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::string text;
    std::vector<std::string> tables;
    auto collect = [](void* out, int columns, char** values, char**) {
      auto& s = *static_cast<std::string*>(out);
      for (int i = 0; i < columns; ++i) s += (values[i] ? values[i] : "NULL") + std::string("|");
      s += "\n";
      return 0;
    };
    std::string names;
    sqlite3_exec(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", collect,
                 &names, nullptr);
    for (std::size_t start = 0, end; (end = names.find("|\n", start)) != std::string::npos;
         start = end + 2) {
      const std::string table = names.substr(start, end - start);
      text += "#" + table + "\n";
      sqlite3_exec(db, ("SELECT * FROM " + table + " ORDER BY 1, 2").c_str(), collect, &text,
                   nullptr);
    }
    sqlite3_close(db);
    return text;
  }

  int port_ = 0;

 private:
  std::filesystem::path directory_;
  std::string databasePath_;
  std::unique_ptr<WebApp> app_;
  std::thread thread_;
  std::unique_ptr<httplib::Client> client_;
};

// The names of a form's elements in document order (inputs, selects, text areas, buttons),
// for the form with the given name, or the form at index when name is empty.
inline std::vector<std::string> formElementNames(const std::string& html, const std::string& name,
                                                 int index = 0) {
  static const std::regex form(R"(<form\b([^>]*)>([\s\S]*?)</form>)");
  static const std::regex element(R"(<(input|select|textarea|button)\b([^>]*)>)");
  static const std::regex nameAttribute(R"re(\bname="([^"]*)")re");
  int position = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), form); it != std::sregex_iterator();
       ++it, ++position) {
    std::smatch formName;
    const std::string attributes = (*it)[1];
    const bool named = std::regex_search(attributes, formName, nameAttribute);
    if (name.empty() ? position != index : !(named && formName[1] == name)) continue;
    std::vector<std::string> names;
    const std::string inner = (*it)[2];
    for (auto e = std::sregex_iterator(inner.begin(), inner.end(), element);
         e != std::sregex_iterator(); ++e) {
      std::smatch elementName;
      const std::string elementAttributes = (*e)[2];
      names.push_back(std::regex_search(elementAttributes, elementName, nameAttribute)
                          ? elementName[1].str()
                          : std::string());
    }
    return names;
  }
  return {};
}

inline int formCount(const std::string& html) {
  static const std::regex form(R"(<form\b)");
  return static_cast<int>(
      std::distance(std::sregex_iterator(html.begin(), html.end(), form), std::sregex_iterator()));
}

}  // namespace webapp::testing
