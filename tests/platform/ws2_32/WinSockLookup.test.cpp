// Name lookup: numeric addresses of both families, "localhost", the
// passive wildcard, and addresses back to text. No query leaves the machine.
#include <cstring>
#include <string>

#include "support/SocketTestSupport.h"
#include "support/KnownWineDifference.h"

using WinSockLookup = SocketTest;

namespace {

addrinfo Hints(int family, int flags) {
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  hints.ai_flags = flags;
  return hints;
}

std::string Numeric(const sockaddr* address, size_t length, std::string* port = nullptr) {
  char host[NI_MAXHOST] = {};
  char service[NI_MAXSERV] = {};
  if (getnameinfo(address, static_cast<int>(length), host, sizeof host, service, sizeof service,
                  NI_NUMERICHOST | NI_NUMERICSERV) != 0)
    return "(failed)";
  if (port) *port = service;
  return host;
}

}  // namespace

TEST_F(WinSockLookup, NumericAddressesOfBothFamilies) {
  addrinfo hints = Hints(AF_UNSPEC, AI_NUMERICHOST);
  addrinfo* found = nullptr;
  ASSERT_EQ(getaddrinfo("127.0.0.1", "5000", &hints, &found), 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->ai_family, AF_INET);
  EXPECT_EQ(found->ai_socktype, SOCK_STREAM);
  EXPECT_EQ(found->ai_protocol, IPPROTO_TCP);
  ASSERT_EQ(found->ai_addrlen, sizeof(sockaddr_in));
  const auto* four = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  EXPECT_EQ(four->sin_family, AF_INET);
  EXPECT_EQ(ntohs(four->sin_port), 5000);
  EXPECT_EQ(ntohl(four->sin_addr.s_addr), 0x7F000001u);
  EXPECT_EQ(found->ai_next, nullptr);
  std::string port;
  EXPECT_EQ(Numeric(found->ai_addr, found->ai_addrlen, &port), "127.0.0.1");
  EXPECT_EQ(port, "5000");
  freeaddrinfo(found);

  ASSERT_EQ(getaddrinfo("::1", "65535", &hints, &found), 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->ai_family, AF_INET6);
  ASSERT_EQ(found->ai_addrlen, sizeof(sockaddr_in6));
  const auto* six = reinterpret_cast<const sockaddr_in6*>(found->ai_addr);
  EXPECT_EQ(six->sin6_family, AF_INET6);
  EXPECT_EQ(ntohs(six->sin6_port), 65535);
  EXPECT_EQ(six->sin6_addr.s6_addr[15], 1);
  EXPECT_EQ(Numeric(found->ai_addr, found->ai_addrlen), "::1");
  freeaddrinfo(found);

  // An address of the other family is not one of this family.
  hints = Hints(AF_INET, AI_NUMERICHOST);
  EXPECT_NE(getaddrinfo("::1", "1", &hints, &found), 0);
}

TEST_F(WinSockLookup, WhatIsNoAddressIsRefused) {
  addrinfo hints = Hints(AF_UNSPEC, AI_NUMERICHOST);
  addrinfo* found = nullptr;
  // Not numeric, and not to be looked up.
  EXPECT_EQ(getaddrinfo("krambol-peer", "5000", &hints, &found), WSAHOST_NOT_FOUND);
  EXPECT_EQ(getaddrinfo("300.1.1.1", "5000", &hints, &found), WSAHOST_NOT_FOUND);
  EXPECT_EQ(found, nullptr);
  // Neither a node nor a service.
  EXPECT_EQ(getaddrinfo(nullptr, nullptr, &hints, &found), WSAHOST_NOT_FOUND);
  // Hints may set nothing beyond flags, family, type and protocol.
  addrinfo bad = Hints(AF_INET, AI_NUMERICHOST);
  bad.ai_addrlen = 16;
  TODO_WINE("Wine takes hints with an address length") {
    EXPECT_EQ(getaddrinfo("127.0.0.1", "1", &bad, &found), WSANO_RECOVERY);
  }
  if (found) freeaddrinfo(found);
  found = nullptr;
  // A family there is no such thing as.
  hints = Hints(12345, AI_NUMERICHOST);
  EXPECT_EQ(getaddrinfo("127.0.0.1", "1", &hints, &found), WSAEAFNOSUPPORT);
}

TEST_F(WinSockLookup, LocalhostAndThePassiveWildcard) {
  addrinfo hints = Hints(AF_INET, 0);
  addrinfo* found = nullptr;
  ASSERT_EQ(getaddrinfo("localhost", "80", &hints, &found), 0);
  ASSERT_NE(found, nullptr);
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    ASSERT_EQ(entry->ai_family, AF_INET);
    EXPECT_EQ(Numeric(entry->ai_addr, entry->ai_addrlen), "127.0.0.1");
  }
  freeaddrinfo(found);

  // No node: the wildcard to listen on, or the loopback to connect to.
  hints = Hints(AF_INET, AI_PASSIVE);
  ASSERT_EQ(getaddrinfo(nullptr, "4000", &hints, &found), 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr, htonl(INADDR_ANY));
  EXPECT_EQ(ntohs(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_port), 4000);
  freeaddrinfo(found);
  hints = Hints(AF_INET6, 0);
  ASSERT_EQ(getaddrinfo(nullptr, "4000", &hints, &found), 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Numeric(found->ai_addr, found->ai_addrlen), "::1");
  freeaddrinfo(found);
}

TEST_F(WinSockLookup, AFoundAddressIsOneToConnectTo) {
  const SOCKET listener = Listen(AF_INET6);
  ASSERT_NE(listener, INVALID_SOCKET);
  const std::string port = std::to_string(PortOf(listener));
  addrinfo hints = Hints(AF_UNSPEC, AI_NUMERICHOST);
  addrinfo* found = nullptr;
  ASSERT_EQ(getaddrinfo("::1", port.c_str(), &hints, &found), 0);
  const SOCKET client = Open(found->ai_family);
  ASSERT_NE(client, INVALID_SOCKET);
  ASSERT_EQ(WSAAsyncSelect(client, window_, kSocketMessage, FD_CONNECT), 0);
  const int result = connect(client, found->ai_addr, static_cast<int>(found->ai_addrlen));
  EXPECT_TRUE(result == 0 || WSAGetLastError() == WSAEWOULDBLOCK);
  freeaddrinfo(found);
  ASSERT_TRUE(PumpUntil([&] { return Saw(client, FD_CONNECT) && Saw(listener, FD_ACCEPT); }));
  EXPECT_EQ(ErrorOf(client, FD_CONNECT), 0);
}

#ifndef _WIN32
TEST_F(WinSockLookup, TestsCanKeepEveryLookupOnTheMachine) {
  PlatformTest::LookUpLocalNamesOnly(true);
  addrinfo hints = Hints(AF_UNSPEC, 0);
  addrinfo* found = nullptr;
  EXPECT_EQ(getaddrinfo("peer.krambol.invalid", "5000", &hints, &found), WSAHOST_NOT_FOUND);
  EXPECT_EQ(found, nullptr);
  // Numbers and the machine's own names still answer.
  ASSERT_EQ(getaddrinfo("127.0.0.1", "5000", &hints, &found), 0);
  freeaddrinfo(found);
  ASSERT_EQ(getaddrinfo("LOCALHOST", "5000", &hints, &found), 0);
  int families = 0;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) families |= 1 << (entry->ai_family & 31);
  EXPECT_EQ(families, (1 << AF_INET) | (1 << AF_INET6)) << "localhost is both loopbacks";
  freeaddrinfo(found);
  ASSERT_EQ(getaddrinfo("", "5000", &hints, &found), 0);
  bool loopback = false;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    const std::string text = Numeric(entry->ai_addr, entry->ai_addrlen);
    loopback = loopback || text == "127.0.0.1" || text == "::1";
  }
  EXPECT_TRUE(loopback) << "the machine's own addresses include its loopback";
  freeaddrinfo(found);
}
#endif
