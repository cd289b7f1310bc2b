// Name lookup as Windows does it (getaddrinfo, freeaddrinfo, getnameinfo),
// over the host's resolver, and the test hook that keeps lookups on the machine.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/PlatformTest.h"
#include "platform/WinApi.h"
#include "platform/WinSockApi.h"
#include "platform/user32/TestResets.h"
#include "platform/ws2_32/HostSockets.h"
#include "platform/ws2_32/SocketTable.h"

namespace {

bool& LocalNamesOnly() {
  static bool only = false;
  return only;
}

void ForgetLocalNamesOnly() {
  LocalNamesOnly() = false;
}

int CodeOf(HostSockets::LookupFailure failure) {
  switch (failure) {
    case HostSockets::LookupFailure::None: return 0;
    case HostSockets::LookupFailure::NoName: return WSAHOST_NOT_FOUND;
    case HostSockets::LookupFailure::TryAgain: return WSATRY_AGAIN;
    case HostSockets::LookupFailure::Fail: return WSANO_RECOVERY;
    case HostSockets::LookupFailure::Family: return WSAEAFNOSUPPORT;
    case HostSockets::LookupFailure::Memory: return WSA_NOT_ENOUGH_MEMORY;
    case HostSockets::LookupFailure::Service: return WSATYPE_NOT_FOUND;
    case HostSockets::LookupFailure::SocketType: return WSAESOCKTNOSUPPORT;
    case HostSockets::LookupFailure::BadFlags: return WSAEINVAL;
    case HostSockets::LookupFailure::NoData: return WSANO_DATA;
  }
  return WSANO_RECOVERY;
}

int Answer(int code) {
  WSASetLastError(code);
  return code;
}

// One entry of a list getaddrinfo hands out, with its address and name beside it.
struct AddressBlock {
  addrinfo info{};
  sockaddr_storage address{};
  std::string canonicalName;
};

// The port of a numeric service, in network order; false when it is not one.
bool NumericPort(const char* service, USHORT* port) {
  if (!service || !*service) {
    *port = 0;
    return true;
  }
  unsigned long value = 0;
  for (const char* c = service; *c; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(*c - '0');
    if (value > 65535) return false;
  }
  *port = htons(static_cast<USHORT>(value));
  return true;
}

// "localhost" is this machine's loopback in both families, IPv6 first, as
// Windows answers it without asking any resolver.
void LoopbackAddresses(int family, USHORT port, std::vector<HostSockets::FoundAddress>* found) {
  if (family == AF_UNSPEC || family == AF_INET6) {
    sockaddr_in6 six{};
    six.sin6_family = AF_INET6;
    six.sin6_port = port;
    six.sin6_addr.s6_addr[15] = 1;
    HostSockets::FoundAddress address;
    address.family = HostSockets::kInet6;
    address.address.assign(reinterpret_cast<BYTE*>(&six), reinterpret_cast<BYTE*>(&six) + sizeof six);
    found->push_back(address);
  }
  if (family == AF_UNSPEC || family == AF_INET) {
    sockaddr_in four{};
    four.sin_family = AF_INET;
    four.sin_port = port;
    four.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    HostSockets::FoundAddress address;
    address.family = HostSockets::kInet;
    address.address.assign(reinterpret_cast<BYTE*>(&four), reinterpret_cast<BYTE*>(&four) + sizeof four);
    found->push_back(address);
  }
}

bool SameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    const char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
    if (x != *b) return false;
  }
  return *a == *b;
}

}  // namespace

namespace PlatformTest {

void LookUpLocalNamesOnly(bool only) {
  TestResets::Add(&ForgetLocalNamesOnly);
  LocalNamesOnly() = only;
}

}  // namespace PlatformTest

int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result) {
  if (!SocketTable::Get().Started()) return Answer(WSANOTINITIALISED);
  if (!result) return Answer(WSAEINVAL);
  *result = nullptr;
  if (!node && !service) return Answer(WSAHOST_NOT_FOUND);
  int flags = 0;
  int family = AF_UNSPEC;
  int socketType = 0;
  int protocol = 0;
  if (hints) {
    if (hints->ai_addrlen || hints->ai_canonname || hints->ai_addr || hints->ai_next) return Answer(WSANO_RECOVERY);
    flags = hints->ai_flags;
    family = hints->ai_family;
    socketType = hints->ai_socktype;
    protocol = hints->ai_protocol;
  }
  if (family != AF_UNSPEC && family != AF_INET && family != AF_INET6) return Answer(WSAEAFNOSUPPORT);
  if (socketType != 0 && socketType != SOCK_STREAM) return Answer(WSAESOCKTNOSUPPORT);
  const int hostFamily = family == AF_INET ? HostSockets::kInet : family == AF_INET6 ? HostSockets::kInet6 : 0;

  std::vector<HostSockets::FoundAddress> found;
  std::string canonicalName;
  USHORT port = 0;
  const bool numericService = NumericPort(service, &port);
  HostSockets::LookupFailure failure = HostSockets::LookupFailure::None;
  if (node && (!*node || SameName(node, "localhost"))) {
    if (!numericService) {
      // A service name still goes to the host, which knows its ports from a file.
      std::vector<HostSockets::FoundAddress> probe;
      failure = HostSockets::Lookup(nullptr, service, flags & AI_PASSIVE, HostSockets::kInet, protocol, &probe,
                                    nullptr);
      if (failure != HostSockets::LookupFailure::None) return Answer(CodeOf(failure));
      std::memcpy(&port, probe.front().address.data() + 2, sizeof port);
    }
    if (*node) {
      LoopbackAddresses(family, port, &found);
      canonicalName = "localhost";
    } else {
      failure = HostSockets::LocalAddresses(hostFamily, port, &found);
    }
  } else {
    if (node && LocalNamesOnly()) {
      // Only numeric addresses are looked up; no query leaves the machine.
      failure = HostSockets::Lookup(node, service, flags | AI_NUMERICHOST, hostFamily, protocol, &found,
                                    &canonicalName);
      if (failure == HostSockets::LookupFailure::NoName || failure == HostSockets::LookupFailure::Fail)
        failure = HostSockets::LookupFailure::NoName;
    } else {
      failure = HostSockets::Lookup(node, service, flags, hostFamily, protocol, &found, &canonicalName);
    }
  }
  if (failure != HostSockets::LookupFailure::None) return Answer(CodeOf(failure));

  addrinfo* first = nullptr;
  addrinfo** tail = &first;
  for (const HostSockets::FoundAddress& address : found) {
    auto* block = new AddressBlock;
    std::memcpy(&block->address, address.address.data(), std::min(address.address.size(), sizeof block->address));
    block->info.ai_family = address.family == HostSockets::kInet ? AF_INET : AF_INET6;
    block->info.ai_socktype = socketType;
    block->info.ai_protocol = socketType == SOCK_STREAM ? (protocol ? protocol : IPPROTO_TCP) : protocol;
    block->info.ai_addrlen = address.address.size();
    block->info.ai_addr = reinterpret_cast<sockaddr*>(&block->address);
    if ((flags & AI_CANONNAME) && !first) {
      block->canonicalName = canonicalName.empty() && node ? node : canonicalName;
      block->info.ai_canonname = block->canonicalName.data();
    }
    *tail = &block->info;
    tail = &block->info.ai_next;
  }
  *result = first;
  return Answer(0);
}

void freeaddrinfo(addrinfo* info) {
  while (info) {
    addrinfo* next = info->ai_next;
    // Every entry is the first member of its block.
    delete reinterpret_cast<AddressBlock*>(info);
    info = next;
  }
}

int getnameinfo(const sockaddr* address, int addressLength, char* host, DWORD hostLength, char* service,
                DWORD serviceLength, int flags) {
  if (!SocketTable::Get().Started()) return Answer(WSANOTINITIALISED);
  if (!address || addressLength < static_cast<int>(sizeof(sockaddr_in))) return Answer(WSAEFAULT);
  if (address->sa_family != AF_INET && address->sa_family != AF_INET6) return Answer(WSAEAFNOSUPPORT);
  if (address->sa_family == AF_INET6 && addressLength < static_cast<int>(sizeof(sockaddr_in6)))
    return Answer(WSAEFAULT);
  if (!host && !service) return Answer(WSANO_RECOVERY);
  if (LocalNamesOnly() && host) {
    // A name would need a reverse query off the machine.
    if (flags & NI_NAMEREQD) return Answer(WSAHOST_NOT_FOUND);
    flags |= NI_NUMERICHOST;
  }
  const HostSockets::LookupFailure failure =
      HostSockets::NameOf(address, addressLength, host, hostLength, service, serviceLength, flags);
  if (failure == HostSockets::LookupFailure::Memory) return Answer(WSAEFAULT);
  return Answer(CodeOf(failure));
}
