// Test helper: a throw-away PostgreSQL cluster in a temporary folder, on a free loopback port.
#pragma once

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "server/ServerFixture.h"

namespace scored::testing {

class PgCluster {
 public:
  // Starts the cluster; when it cannot, Problem() says why in one line and the test skips.
  PgCluster() {
    const std::string bin = FindBin();
    if (bin.empty()) {
      problem_ = "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb)";
      return;
    }
    // PostgreSQL refuses to run as root, so under root (the CI) the cluster belongs to nobody.
    std::string as;
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (nobody == nullptr || chown(dir_.Path().c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
        problem_ = "cannot hand the cluster's folder to the user nobody";
        return;
      }
      as = "runuser -u nobody -- ";
    }
    port_ = FreePort();
    const std::string data = dir_.File("data");
    const std::string log = dir_.File("initdb.log");
    const std::string serverLog = dir_.File("server.log");  // written by the cluster's owner
    if (!Sh("cd " + dir_.Path() + " && " + as + bin + "/initdb -D " + data +
            " -U vornakel -A trust -E UTF8 --locale=C --no-sync >" + log + " 2>&1")) {
      problem_ = "initdb failed: " + LastLine(log);
      return;
    }
    // No fsync: the cluster lives for one test.
    stop_ = "cd " + dir_.Path() + " && " + as + bin + "/pg_ctl -D " + data +
            " -m immediate -w stop >/dev/null 2>&1";
    if (!Sh("cd " + dir_.Path() + " && " + as + bin + "/pg_ctl -D " + data + " -l " + serverLog +
            " -w -t 20 -o \"-p " + std::to_string(port_) + " -k " + dir_.Path() +
            " -c listen_addresses=127.0.0.1 -F\" start >/dev/null 2>&1")) {
      problem_ =
          "the server did not start on port " + std::to_string(port_) + ": " + LastLine(serverLog);
      return;
    }
    ready_ = true;
  }
  ~PgCluster() {
    if (!stop_.empty()) Sh(stop_);
  }
  PgCluster(const PgCluster&) = delete;
  PgCluster& operator=(const PgCluster&) = delete;

  bool Ready() const { return ready_; }
  const std::string& Problem() const { return problem_; }
  int Port() const { return port_; }
  std::string Conninfo() const {
    return "host=127.0.0.1 port=" + std::to_string(port_) + " user=vornakel dbname=postgres";
  }
  std::string Uri() const {
    return "postgresql://vornakel@127.0.0.1:" + std::to_string(port_) + "/postgres";
  }

 private:
  static bool Sh(const std::string& command) { return std::system(command.c_str()) == 0; }
  static std::string LastLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::string last;
    while (std::getline(file, line)) {
      if (!line.empty()) last = line;
    }
    return last;
  }

  // The newest installed version's programs.
  static std::string FindBin() {
    std::string best;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ignored)) {
      const std::string bin = (entry.path() / "bin").string();
      if (std::filesystem::exists(bin + "/initdb") && bin > best) best = bin;
    }
    return best;
  }

  static int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
      port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
  }

  TempDir dir_;
  std::string problem_;
  std::string stop_;
  int port_ = 0;
  bool ready_ = false;
};

}  // namespace scored::testing
