// Client addresses and their keys.
#include "server/ClientAddress.h"

#include <arpa/inet.h>

#include <algorithm>
#include <array>

namespace scored {

std::string ClientKey(std::string_view address) {
  const std::string text(address);
  std::array<unsigned char, 16> bytes{};
  if (inet_pton(AF_INET, text.c_str(), bytes.data()) == 1) return text;
  if (inet_pton(AF_INET6, text.c_str(), bytes.data()) != 1) return text;
  char out[INET6_ADDRSTRLEN] = {};
  constexpr std::array<unsigned char, 12> kMapped = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
  if (std::equal(kMapped.begin(), kMapped.end(), bytes.begin())) {
    inet_ntop(AF_INET, bytes.data() + 12, out, sizeof out);
    return out;
  }
  std::fill(bytes.begin() + 8, bytes.end(), 0);
  inet_ntop(AF_INET6, bytes.data(), out, sizeof out);
  return std::string(out) + "/64";
}

bool IsTrustedProxy(std::string_view peer, const std::vector<std::string>& trustedProxies) {
  const auto trusted = [&](const std::string& address) {
    return std::find(trustedProxies.begin(), trustedProxies.end(), address) != trustedProxies.end();
  };
  return trusted(std::string(peer)) || trusted(ClientKey(peer));
}

std::string RequestClient(std::string_view peer, std::string_view realIp,
                          const std::vector<std::string>& trustedProxies) {
  const bool viaProxy = IsTrustedProxy(peer, trustedProxies);
  return ClientKey(viaProxy && !realIp.empty() ? realIp : peer);
}

}  // namespace scored
