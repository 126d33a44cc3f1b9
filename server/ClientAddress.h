// Who a request comes from: the peer's address, or the client a trusted proxy names for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scored {

// The key under which a client's tokens and connections are counted: an IPv4 address as it is
// (also when written as ::ffff:a.b.c.d), an IPv6 address by its /64 network, since one host may
// hold a whole /64. Anything else is kept as given.
std::string ClientKey(std::string_view address);

// True when the peer is one of the trusted proxies (their addresses as written, e.g. 127.0.0.1).
bool IsTrustedProxy(std::string_view peer, const std::vector<std::string>& trustedProxies);

// The client's key: the proxy's X-Real-IP value when the peer is one of the trusted proxies and
// sent one, otherwise the peer's own address.
std::string RequestClient(std::string_view peer, std::string_view realIp,
                          const std::vector<std::string>& trustedProxies);

}  // namespace scored
