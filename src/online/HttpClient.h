// The HTTP client the score client talks through; the game uses libcurl, tests use fakes.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace online {

using HttpHeader = std::pair<std::string, std::string>;

struct HttpResult {
  // True when a complete reply arrived (whatever its status); false on any transport failure.
  bool completed = false;
  long status = 0;
  std::string body;
  // Why the request failed, for logs and tests.
  std::string error;

  bool Succeeded() const { return completed && status >= 200 && status < 300; }
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // A GET of the full URL with these request headers. Must return within the client's time-outs.
  virtual HttpResult Get(const std::string& url, const std::vector<HttpHeader>& headers) = 0;
  // A POST of body (binary) to the full URL. A client that cannot post fails the request.
  virtual HttpResult Post(const std::string& url, const std::string& body,
                          const std::vector<HttpHeader>& headers) {
    (void)url;
    (void)body;
    (void)headers;
    HttpResult result;
    result.error = "this client cannot post";
    return result;
  }
  // Requests from now on end within this many milliseconds, connection included.
  virtual void LimitTime(long totalMs) { (void)totalMs; }
};

}  // namespace online
