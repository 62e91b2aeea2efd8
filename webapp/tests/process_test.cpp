// The program itself: --port 0 names the chosen port on its first line, serves the demo and
// ends cleanly on SIGTERM.

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

TEST(WebAppProcess, PrintsItsPortServesAndStopsOnSigterm) {
  const auto directory =
      std::filesystem::temp_directory_path() / ("zep-webapp-process-" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  const std::string database = (directory / "demo.db").string();
  int output[2];
  ASSERT_EQ(pipe(output), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(output[1], STDOUT_FILENO);
    close(output[0]);
    execl(ZEP_WEBAPP_BINARY, ZEP_WEBAPP_BINARY, "--port", "0", "--db", database.c_str(), "--demo",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(output[1]);
  FILE* lines = fdopen(output[0], "r");
  char first[32] = {};
  ASSERT_NE(fgets(first, sizeof first, lines), nullptr);
  const int port = std::atoi(first);
  ASSERT_GT(port, 0) << first;

  httplib::Client client("127.0.0.1", port);
  auto answer = client.Get("/");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_NE(answer->body.find("[ZEPRouting]"), std::string::npos);

  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  fclose(lines);
  std::filesystem::remove_all(directory);
}

}  // namespace
