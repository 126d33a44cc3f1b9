// The libcurl HTTP client: bounded time-outs, cookies kept for the client's lifetime.
#pragma once

#include <memory>

#include "online/HttpClient.h"

namespace online {

struct HttpTimeouts {
  long connectMs = 3000;
  // The whole request, connection included.
  long totalMs = 5000;
};

// One client serves one thread; it reuses its connection and keeps the server's cookies.
class CurlHttpClient final : public HttpClient {
 public:
  explicit CurlHttpClient(HttpTimeouts timeouts = {});
  ~CurlHttpClient() override;
  CurlHttpClient(const CurlHttpClient&) = delete;
  CurlHttpClient& operator=(const CurlHttpClient&) = delete;

  HttpResult Get(const std::string& url, const std::vector<HttpHeader>& headers) override;
  HttpResult Post(const std::string& url, const std::string& body,
                  const std::vector<HttpHeader>& headers) override;
  void LimitTime(long totalMs) override;

  // Replies larger than this are treated as broken.
  static constexpr size_t kMaxReplyBytes = 1 << 20;

 private:
  // A GET, or a POST of *body when it is given.
  HttpResult Perform(const std::string& url, const std::string* body,
                     const std::vector<HttpHeader>& headers);
  struct Handle;
  std::unique_ptr<Handle> handle_;
  HttpTimeouts timeouts_;
};

}  // namespace online
