// Test helpers: a temporary folder, and a score server on an ephemeral loopback port.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "server/ScoreDb.h"
#include "server/ScoreServer.h"

namespace scored::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vornakel-scored-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
  }

 private:
  std::string path_;
};

// A store and a server serving it from a thread, stopped when the object goes.
class LiveServer {
 public:
  explicit LiveServer(const std::string& dbPath, ServerOptions options = {}) {
    std::string error;
    db_ = ScoreDb::Open(dbPath, error);
    EXPECT_TRUE(db_) << error;
    if (!db_) return;
    options.port = 0;
    server_ = std::make_unique<ScoreServer>(*db_, options);
    port_ = server_->Bind();
    EXPECT_GT(port_, 0);
    thread_ = std::thread([this] { server_->Run(); });
  }
  ~LiveServer() {
    if (server_) server_->Stop();
    if (thread_.joinable()) thread_.join();
  }
  int Port() const { return port_; }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string Url(const std::string& query) const { return Address() + "/cgi/version.pl?" + query; }
  ScoreDb& Db() { return *db_; }
  ScoreServer& Server() { return *server_; }

 private:
  std::unique_ptr<ScoreDb> db_;
  std::unique_ptr<ScoreServer> server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace scored::testing
