// Fuzz target: one HTTP request's bytes through cpp-httplib's request parser into the score
// server's /cgi/version.pl answer, with no socket (an in-memory stream and database).
#include <httplib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <unistd.h>

#include "server/ScoreDb.h"
#include "server/ScoreServer.h"

namespace {

// The request comes from a buffer; the reply is counted and dropped.
class MemoryStream final : public httplib::Stream {
 public:
  MemoryStream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool is_readable() const override { return true; }
  bool is_writable() const override { return true; }
  ssize_t read(char* ptr, size_t size) override {
    const size_t n = std::min(size, size_ - offset_);
    if (n > 0) std::memcpy(ptr, data_ + offset_, n);
    offset_ += n;
    return static_cast<ssize_t>(n);
  }
  ssize_t write(const char*, size_t size) override {
    written_ += size;
    return static_cast<ssize_t>(size);
  }
  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 40000;
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 8642;
  }
  socket_t socket() const override { return INVALID_SOCKET; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  size_t written_ = 0;
};

// The score server's route as it serves it, on a server fed from memory.
class FedServer final : public httplib::Server {
 public:
  explicit FedServer(scored::ScoreServer& scores) {
    set_payload_max_length(1024);
    Get("/cgi/version.pl", [&scores](const httplib::Request& req, httplib::Response& res) {
      const size_t mark = req.target.find('?');
      const std::string_view query = mark == std::string::npos
                                         ? std::string_view()
                                         : std::string_view(req.target).substr(mark + 1);
      scored::Reply reply = scores.Handle(query, req.get_header_value("X-Real-IP"));
      res.status = reply.status;
      res.set_content(std::move(reply.body), reply.contentType.c_str());
    });
  }
  void Feed(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    bool closed = false;
    process_request(stream, true, closed, nullptr);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<scored::ScoreDb> db = [] {
    // A fresh database file per run, gone once it is open.
    const std::string path = "/tmp/vornakel-fuzz-scores-" + std::to_string(getpid()) + ".db";
    std::string error;
    auto opened = scored::ScoreDb::Open(path, error);
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    if (!opened) {
      std::fprintf(stderr, "fuzz_request: %s\n", error.c_str());
      std::abort();
    }
    return opened;
  }();
  static scored::ScoreServer scores(*db, scored::ServerOptions{});
  static FedServer server(scores);
  server.Feed(data, size);
  return 0;
}
