// The libcurl HTTP client.
#include "online/CurlHttpClient.h"

#include <algorithm>

#include <curl/curl.h>

#include <mutex>

namespace online {
namespace {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t CollectBody(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  // Returning less than offered makes curl fail the transfer with a write error.
  if (body->size() + bytes > CurlHttpClient::kMaxReplyBytes) return 0;
  body->append(data, bytes);
  return bytes;
}

}  // namespace

struct CurlHttpClient::Handle {
  CURL* curl = nullptr;
  ~Handle() {
    if (curl != nullptr) curl_easy_cleanup(curl);
  }
};

void CurlHttpClient::LimitTime(long totalMs) {
  timeouts_.totalMs = std::max(totalMs, 1L);
  timeouts_.connectMs = std::min(timeouts_.connectMs, timeouts_.totalMs);
}

CurlHttpClient::CurlHttpClient(HttpTimeouts timeouts)
    : handle_(std::make_unique<Handle>()), timeouts_(timeouts) {
  InitCurlOnce();
  handle_->curl = curl_easy_init();
  if (handle_->curl != nullptr) {
    // An empty cookie file switches on the in-memory cookie store without reading any file.
    curl_easy_setopt(handle_->curl, CURLOPT_COOKIEFILE, "");
  }
}

CurlHttpClient::~CurlHttpClient() = default;

HttpResult CurlHttpClient::Get(const std::string& url, const std::vector<HttpHeader>& headers) {
  return Perform(url, nullptr, headers);
}

HttpResult CurlHttpClient::Post(const std::string& url, const std::string& body,
                                const std::vector<HttpHeader>& headers) {
  return Perform(url, &body, headers);
}

HttpResult CurlHttpClient::Perform(const std::string& url, const std::string* body,
                                   const std::vector<HttpHeader>& headers) {
  HttpResult result;
  CURL* curl = handle_->curl;
  if (curl == nullptr) {
    result.error = "libcurl could not be initialised";
    return result;
  }

  curl_slist* headerList = nullptr;
  std::vector<HttpHeader> all = headers;
  // The body goes at once: waiting for "100 Continue" only costs a round trip.
  if (body != nullptr) all.emplace_back("Expect", "");
  for (const auto& [name, value] : all) {
    const std::string line = value.empty() ? name + ":" : name + ": " + value;
    curl_slist* grown = curl_slist_append(headerList, line.c_str());
    if (grown == nullptr) {
      curl_slist_free_all(headerList);
      result.error = "out of memory";
      return result;
    }
    headerList = grown;
  }

  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  if (body != nullptr) {
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
  } else {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  // Signals would be unsafe in a multi-threaded program; time-outs then rely on curl's own timer.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeouts_.totalMs);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

  const CURLcode code = curl_easy_perform(curl);
  if (code == CURLE_OK) {
    result.completed = true;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  } else {
    result.error = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
    result.body.clear();
  }

  // The handle outlives this call; it must not keep pointers into this frame.
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
  curl_slist_free_all(headerList);
  return result;
}

}  // namespace online
