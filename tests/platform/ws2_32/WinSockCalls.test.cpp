// Start-up, bad arguments, options and the blocking mode.
#include <cstring>

#include "support/SocketTestSupport.h"
#include "support/KnownWineDifference.h"

using WinSockCalls = SocketTest;

// Runs before any fixture has started the sockets: its own start-up, checked
// from a process with none.
TEST(WinSockStartup, CallsFailUntilStartedAndStartupsAreCounted) {
#ifndef _WIN32
  PlatformTest::Reset();
#endif
  EXPECT_EQ(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

  WSADATA data{};
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
  EXPECT_EQ(data.wHighVersion, MAKEWORD(2, 2));
  // An older version is given as asked; a newer one as the newest there is.
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
  EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
  ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);
  EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));

  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  EXPECT_NE(s, INVALID_SOCKET);
  // Three starts need three cleanups; the last one closes what is left open.
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  EXPECT_EQ(closesocket(s), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  EXPECT_EQ(WSACleanup(), 0);
}

TEST_F(WinSockCalls, BadArgumentsFailWithTheirErrors) {
  EXPECT_EQ(closesocket(INVALID_SOCKET), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  EXPECT_EQ(socket(AF_INET, SOCK_STREAM, IPPROTO_UDP), INVALID_SOCKET);
  EXPECT_NE(WSAGetLastError(), 0);

  const SOCKET s = Open(AF_INET);
  ASSERT_NE(s, INVALID_SOCKET);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  // A name shorter than its family's.
  EXPECT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&address), 4), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
  // Nothing to tell before bind, nobody to talk to before connect.
  sockaddr_storage name{};
  int nameLength = sizeof name;
  EXPECT_EQ(getsockname(s, reinterpret_cast<sockaddr*>(&name), &nameLength), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
  char byte = 0;
  EXPECT_EQ(send(s, &byte, 1, 0), SOCKET_ERROR);
  TODO_WINE("Wine answers a send on a socket never connected with WSAECONNRESET") {
    EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
  }
  EXPECT_EQ(recv(s, &byte, 1, 0), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
  EXPECT_EQ(getpeername(s, reinterpret_cast<sockaddr*>(&name), &nameLength), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
  // An IPv6 address for an IPv4 socket.
  const sockaddr_storage six = Loopback(AF_INET6, 0);
  EXPECT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&six), LengthOf(AF_INET6)), SOCKET_ERROR);
  EXPECT_NE(WSAGetLastError(), 0);

  // Closed once, a socket is gone.
  const SOCKET t = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ASSERT_NE(t, INVALID_SOCKET);
  EXPECT_EQ(closesocket(t), 0);
  EXPECT_EQ(closesocket(t), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

TEST_F(WinSockCalls, APortInUseIsRefusedAndALingeringOneIsNot) {
  const SOCKET first = Listen(AF_INET);
  ASSERT_NE(first, INVALID_SOCKET);
  const USHORT port = PortOf(first);
  const SOCKET second = Open(AF_INET);
  ASSERT_NE(second, INVALID_SOCKET);
  const sockaddr_storage address = Loopback(AF_INET, port);
  EXPECT_EQ(bind(second, reinterpret_cast<const sockaddr*>(&address), LengthOf(AF_INET)), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);

  // A connection through the port, closed by the side that accepted it
  // first, leaves it lingering; a new listener still takes the port, as a
  // host that plays again on its port needs.
  const SOCKET client = ConnectTo(AF_INET, port);
  ASSERT_NE(client, INVALID_SOCKET);
  ASSERT_TRUE(PumpUntil([&] { return Saw(first, FD_ACCEPT) && Saw(client, FD_CONNECT); }));
  const SOCKET server = accept(first, nullptr, nullptr);
  ASSERT_NE(server, INVALID_SOCKET);
  ASSERT_EQ(closesocket(server), 0);
  ASSERT_TRUE(PumpUntil([&] { return Saw(client, FD_CLOSE); }));
  ASSERT_EQ(closesocket(client), 0);
  Forget(client);
  PumpFor(50);
  ASSERT_EQ(closesocket(first), 0);
  Forget(first);
  const SOCKET again = Open(AF_INET);
  ASSERT_NE(again, INVALID_SOCKET);
  EXPECT_EQ(bind(again, reinterpret_cast<const sockaddr*>(&address), LengthOf(AF_INET)), 0) << WSAGetLastError();
  EXPECT_EQ(listen(again, 1), 0);
}

TEST_F(WinSockCalls, IPv6SocketsTakeIPv6OnlyUnlessTold) {
  const SOCKET s = Open(AF_INET6);
  ASSERT_NE(s, INVALID_SOCKET);
  DWORD only = 0;
  int length = sizeof only;
  ASSERT_EQ(getsockopt(s, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<char*>(&only), &length), 0);
  EXPECT_EQ(only, 1u);
  only = 0;
  ASSERT_EQ(setsockopt(s, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&only), sizeof only), 0);
  only = 1;
  length = sizeof only;
  ASSERT_EQ(getsockopt(s, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<char*>(&only), &length), 0);
  EXPECT_EQ(only, 0u);

  const SOCKET four = Open(AF_INET);
  ASSERT_NE(four, INVALID_SOCKET);
  BOOL on = TRUE;
  EXPECT_EQ(setsockopt(four, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on), 0);
  on = FALSE;
  length = sizeof on;
  ASSERT_EQ(getsockopt(four, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&on), &length), 0);
  EXPECT_NE(on, FALSE);
}

TEST_F(WinSockCalls, BlockingModeIsTheSocketsUntilAWindowTakesItsEvents) {
  const SOCKET listener = Listen(AF_INET);
  ASSERT_NE(listener, INVALID_SOCKET);
  const SOCKET client = ConnectTo(AF_INET, PortOf(listener));
  ASSERT_NE(client, INVALID_SOCKET);
  ASSERT_TRUE(PumpUntil([&] { return Saw(listener, FD_ACCEPT) && Saw(client, FD_CONNECT); }));
  const SOCKET server = accept(listener, nullptr, nullptr);
  ASSERT_NE(server, INVALID_SOCKET);
  sockets_.push_back(server);

  // A socket that reports to a window cannot be made blocking.
  u_long mode = 0;
  EXPECT_EQ(ioctlsocket(client, FIONBIO, &mode), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
  // Once it stops reporting, it can; and FIONREAD counts what waits.
  ASSERT_EQ(WSAAsyncSelect(client, window_, 0, 0), 0);
  ASSERT_EQ(ioctlsocket(client, FIONBIO, &mode), 0);
  ASSERT_EQ(send(server, "12345", 5, 0), 5);
  char buffer[8] = {};
  // Blocking: waits for the bytes.
  ASSERT_EQ(recv(client, buffer, 2, 0), 2);
  u_long waiting = 0;
  ASSERT_TRUE(PumpUntil([&] { return ioctlsocket(client, FIONREAD, &waiting) == 0 && waiting == 3; }));
  ASSERT_EQ(recv(client, buffer, static_cast<int>(sizeof buffer), MSG_PEEK), 3);
  EXPECT_EQ(std::string(buffer, 3), "345");
  ASSERT_EQ(recv(client, buffer, static_cast<int>(sizeof buffer), 0), 3);
  mode = 1;
  ASSERT_EQ(ioctlsocket(client, FIONBIO, &mode), 0);
  EXPECT_EQ(recv(client, buffer, 1, 0), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
}

TEST_F(WinSockCalls, ByteOrderIsMostSignificantFirst) {
  const USHORT port = htons(0x1234);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&port);
  EXPECT_EQ(bytes[0], 0x12);
  EXPECT_EQ(bytes[1], 0x34);
  EXPECT_EQ(ntohs(port), 0x1234);
  const ULONG address = htonl(0x7F000001);
  const BYTE* four = reinterpret_cast<const BYTE*>(&address);
  EXPECT_EQ(four[0], 0x7F);
  EXPECT_EQ(four[3], 0x01);
  EXPECT_EQ(ntohl(address), 0x7F000001u);
}
