// Windows Sockets 2 as declared in WinSockApi.h, over the host's sockets.
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/PlatformTest.h"
#include "platform/WinApi.h"
#include "platform/WinSockApi.h"
#include "platform/ws2_32/HostSockets.h"
#include "platform/user32/TestResets.h"
#include "platform/ws2_32/SocketTable.h"

namespace {

constexpr WORD kHighestVersion = MAKEWORD(2, 2);

// Sets the thread's error and answers SOCKET_ERROR, as every call that fails does.
int Fail(int error) {
  WSASetLastError(error);
  return SOCKET_ERROR;
}

// The socket behind the handle, or null with the error set: WSANOTINITIALISED
// before WSAStartup, WSAENOTSOCK for a handle that is no socket.
SocketEntry* Entry(SOCKET s) {
  SocketTable& table = SocketTable::Get();
  if (!table.Started()) {
    WSASetLastError(WSANOTINITIALISED);
    return nullptr;
  }
  SocketEntry* entry = table.Find(s);
  if (!entry) WSASetLastError(WSAENOTSOCK);
  return entry;
}

// The port PlatformTest::NoRouteToPort names (in host order), or 0.
uint16_t& PortWithoutRoute() {
  static uint16_t port = 0;
  return port;
}

void ForgetPortWithoutRoute() { PortWithoutRoute() = 0; }

uint16_t PortOf(const sockaddr* name) {
  if (name->sa_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(name)->sin_port);
  if (name->sa_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(name)->sin6_port);
  return 0;
}

// A connect that was left to go on by itself has its outcome looked at.
void Settle(SocketEntry& entry) {
  if (entry.state != SocketEntry::State::Connecting) return;
  std::vector<HostSockets::PollEntry> poll(1);
  poll[0].fd = entry.fd;
  poll[0].wantWrite = true;
  if (HostSockets::Poll(poll, 0) == 0) return;
  int error = 0;
  HostSockets::GetOption(entry.fd, HostSockets::Option::Error, &error);
  if (error == 0 && !poll[0].writable) error = ECONNREFUSED;
  entry.state = error == 0 ? SocketEntry::State::Connected : SocketEntry::State::Failed;
  entry.connectedByConnect = error == 0;
}

int AddressLength(int family) {
  return family == AF_INET6 ? static_cast<int>(sizeof(sockaddr_in6)) : static_cast<int>(sizeof(sockaddr_in));
}

}  // namespace

int WSAStartup(WORD versionRequested, LPWSADATA data) {
  if (!data) return WSAEFAULT;
  const BYTE major = LOBYTE(versionRequested);
  const BYTE minor = HIBYTE(versionRequested);
  std::memset(data, 0, sizeof *data);
  data->wHighVersion = kHighestVersion;
  std::strcpy(data->szDescription, "WinSock 2.0");
  std::strcpy(data->szSystemStatus, "Running");
  if (major == 0) {
    data->wVersion = kHighestVersion;
    return WSAVERNOTSUPPORTED;
  }
  data->wVersion = major > 2 || (major == 2 && minor > 2) ? kHighestVersion : versionRequested;
  SocketTable::Get().Start();
  return 0;
}

int WSACleanup() {
  if (!SocketTable::Get().Clean()) return Fail(WSANOTINITIALISED);
  return 0;
}

int WSAGetLastError() {
  return static_cast<int>(GetLastError());
}

void WSASetLastError(int error) {
  SetLastError(static_cast<DWORD>(error));
}

SOCKET socket(int family, int type, int protocol) {
  SocketTable& table = SocketTable::Get();
  if (!table.Started()) {
    WSASetLastError(WSANOTINITIALISED);
    return INVALID_SOCKET;
  }
  if (family != AF_INET && family != AF_INET6) {
    WSASetLastError(WSAEAFNOSUPPORT);
    return INVALID_SOCKET;
  }
  if (type != SOCK_STREAM) {
    WSASetLastError(WSAESOCKTNOSUPPORT);
    return INVALID_SOCKET;
  }
  if (protocol != 0 && protocol != IPPROTO_TCP) {
    WSASetLastError(WSAEPROTONOSUPPORT);
    return INVALID_SOCKET;
  }
  const int fd = HostSockets::OpenStream(family == AF_INET ? HostSockets::kInet : HostSockets::kInet6);
  if (fd < 0) {
    WSASetLastError(WsaErrorOf(errno));
    return INVALID_SOCKET;
  }
  SocketEntry* entry = table.Add(fd, family);
  if (!entry) {
    HostSockets::Close(fd);
    WSASetLastError(WSAEMFILE);
    return INVALID_SOCKET;
  }
  return entry->handle;
}

int closesocket(SOCKET s) {
  if (!Entry(s)) return SOCKET_ERROR;
  SocketTable::Get().Remove(s);
  return 0;
}

int bind(SOCKET s, const sockaddr* name, int nameLength) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (!name || nameLength < AddressLength(entry->family)) return Fail(WSAEFAULT);
  if (name->sa_family != entry->family) return Fail(WSAEAFNOSUPPORT);
  if (const int error = HostSockets::Bind(entry->fd, name, nameLength)) return Fail(WsaErrorOf(error));
  return 0;
}

int listen(SOCKET s, int backlog) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (entry->state == SocketEntry::State::Connected || entry->state == SocketEntry::State::Connecting)
    return Fail(WSAEISCONN);
  backlog = std::clamp(backlog, 1, 4096);
  if (const int error = HostSockets::Listen(entry->fd, backlog)) return Fail(WsaErrorOf(error));
  entry->state = SocketEntry::State::Listening;
  return 0;
}

SOCKET accept(SOCKET s, sockaddr* address, int* addressLength) {
  SocketEntry* entry = Entry(s);
  if (!entry) return INVALID_SOCKET;
  if (entry->state != SocketEntry::State::Listening) {
    WSASetLastError(WSAEINVAL);
    return INVALID_SOCKET;
  }
  if (address && (!addressLength || *addressLength < AddressLength(entry->family))) {
    WSASetLastError(WSAEFAULT);
    return INVALID_SOCKET;
  }
  // Taking a connection up lets the next one be reported.
  entry->acceptPosted = false;
  int fd = -1;
  if (const int error = HostSockets::Accept(entry->fd, &fd, address, addressLength)) {
    WSASetLastError(WsaErrorOf(error));
    return INVALID_SOCKET;
  }
  SocketEntry* accepted = SocketTable::Get().Add(fd, entry->family);
  if (!accepted) {
    HostSockets::Close(fd);
    WSASetLastError(WSAEMFILE);
    return INVALID_SOCKET;
  }
  accepted->state = SocketEntry::State::Connected;
  SocketTable::Get().Inherit(*entry, *accepted);
  return accepted->handle;
}

int connect(SOCKET s, const sockaddr* name, int nameLength) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  Settle(*entry);
  switch (entry->state) {
    case SocketEntry::State::Connecting: return Fail(WSAEALREADY);
    case SocketEntry::State::Connected: return Fail(WSAEISCONN);
    case SocketEntry::State::Listening: return Fail(WSAEINVAL);
    case SocketEntry::State::Fresh:
    case SocketEntry::State::Failed: break;
  }
  if (!name || nameLength < AddressLength(entry->family)) return Fail(WSAEFAULT);
  if (name->sa_family != entry->family) return Fail(WSAEAFNOSUPPORT);
  const bool noRoute = PortWithoutRoute() != 0 && PortOf(name) == PortWithoutRoute();
  const int error = noRoute ? ENETUNREACH : HostSockets::Connect(entry->fd, name, nameLength);
  if (error == 0) {
    entry->state = SocketEntry::State::Connected;
    entry->connectedByConnect = true;
    // A connection made at once is still reported, as Windows reports it.
    if (entry->window && (entry->events & FD_CONNECT)) entry->connectWanted = true;
    if (entry->window && (entry->events & FD_WRITE)) entry->writeWanted = true;
    return 0;
  }
  if (error == EINPROGRESS || error == EAGAIN) {
    entry->state = SocketEntry::State::Connecting;
    return Fail(WSAEWOULDBLOCK);
  }
  entry->state = SocketEntry::State::Failed;
  if (entry->nonBlocking && entry->window && (entry->events & FD_CONNECT)) {
    // Refused at once: Windows still answers "would block" and reports the
    // outcome with FD_CONNECT.
    PostMessageA(entry->window, entry->message, static_cast<WPARAM>(entry->handle),
                 static_cast<LPARAM>(WSAMAKESELECTREPLY(FD_CONNECT, WsaErrorOf(error))));
    return Fail(WSAEWOULDBLOCK);
  }
  return Fail(WsaErrorOf(error));
}

int send(SOCKET s, const char* buffer, int length, int flags) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (flags != 0) return Fail(WSAEOPNOTSUPP);
  if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
  Settle(*entry);
  if (entry->state == SocketEntry::State::Connecting) {
    entry->writeWanted = true;
    return Fail(WSAEWOULDBLOCK);
  }
  if (entry->state != SocketEntry::State::Connected) return Fail(WSAENOTCONN);
  if (entry->broken) return Fail(entry->broken);
  int sent = 0;
  const int error = HostSockets::Send(entry->fd, buffer, length, &sent);
  if (error == EAGAIN || error == EWOULDBLOCK) {
    // FD_WRITE comes again once there is room.
    entry->writeWanted = true;
    return Fail(WSAEWOULDBLOCK);
  }
  if (error == ECONNRESET || error == EPIPE || error == ECONNABORTED || error == ETIMEDOUT)
    entry->broken = WsaErrorOf(error);
  if (error) return Fail(WsaErrorOf(error));
  return sent;
}

int recv(SOCKET s, char* buffer, int length, int flags) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if ((flags & ~MSG_PEEK) != 0) return Fail(WSAEOPNOTSUPP);
  if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
  Settle(*entry);
  if (entry->state == SocketEntry::State::Connecting) return Fail(WSAEWOULDBLOCK);
  if (entry->state != SocketEntry::State::Connected) return Fail(WSAENOTCONN);
  // Reading takes FD_READ up: whatever is left is reported again.
  entry->readPosted = false;
  entry->unreportedData = false;
  if (entry->broken) return Fail(entry->broken);
  int received = 0;
  const int error = HostSockets::Receive(entry->fd, buffer, length, (flags & MSG_PEEK) != 0, &received);
  if (error == ECONNRESET || error == ECONNABORTED || error == ETIMEDOUT) entry->broken = WsaErrorOf(error);
  if (error) return Fail(WsaErrorOf(error));
  return received;
}

int shutdown(SOCKET s, int how) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (how < SD_RECEIVE || how > SD_BOTH) return Fail(WSAEINVAL);
  Settle(*entry);
  if (entry->state != SocketEntry::State::Connected) return Fail(WSAENOTCONN);
  if (const int error = HostSockets::Shutdown(entry->fd, how)) return Fail(WsaErrorOf(error));
  return 0;
}

int getsockname(SOCKET s, sockaddr* name, int* nameLength) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (!name || !nameLength) return Fail(WSAEFAULT);
  if (entry->state == SocketEntry::State::Fresh) {
    // Windows knows no name for a socket that was never bound.
    sockaddr_storage probe{};
    int probeLength = sizeof probe;
    HostSockets::LocalAddress(entry->fd, &probe, &probeLength);
    const USHORT port = probe.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(probe).sin_port
                                                   : reinterpret_cast<sockaddr_in6&>(probe).sin6_port;
    if (port == 0) return Fail(WSAEINVAL);
  }
  if (const int error = HostSockets::LocalAddress(entry->fd, name, nameLength)) return Fail(WsaErrorOf(error));
  return 0;
}

int getpeername(SOCKET s, sockaddr* name, int* nameLength) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (!name || !nameLength) return Fail(WSAEFAULT);
  Settle(*entry);
  if (entry->state != SocketEntry::State::Connected) return Fail(WSAENOTCONN);
  if (const int error = HostSockets::PeerAddress(entry->fd, name, nameLength)) return Fail(WsaErrorOf(error));
  return 0;
}

namespace {

bool OptionOf(int level, int name, HostSockets::Option* option) {
  if (level == SOL_SOCKET) {
    switch (name) {
      case SO_REUSEADDR: *option = HostSockets::Option::ReuseAddress; return true;
      case SO_KEEPALIVE: *option = HostSockets::Option::KeepAlive; return true;
      case SO_SNDBUF: *option = HostSockets::Option::SendBuffer; return true;
      case SO_RCVBUF: *option = HostSockets::Option::ReceiveBuffer; return true;
      case SO_ERROR: *option = HostSockets::Option::Error; return true;
      default: return false;
    }
  }
  if (level == IPPROTO_TCP && name == TCP_NODELAY) {
    *option = HostSockets::Option::NoDelay;
    return true;
  }
  if (level == IPPROTO_IPV6 && name == IPV6_V6ONLY) {
    *option = HostSockets::Option::V6Only;
    return true;
  }
  return false;
}

}  // namespace

int setsockopt(SOCKET s, int level, int name, const char* value, int length) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (level == SOL_SOCKET && name == SO_LINGER) {
    if (!value || length < static_cast<int>(sizeof(linger))) return Fail(WSAEFAULT);
    linger setting;
    std::memcpy(&setting, value, sizeof setting);
    if (const int error = HostSockets::SetLinger(entry->fd, setting.l_onoff != 0, setting.l_linger))
      return Fail(WsaErrorOf(error));
    return 0;
  }
  HostSockets::Option option;
  if (!OptionOf(level, name, &option) || option == HostSockets::Option::Error) return Fail(WSAENOPROTOOPT);
  if (option == HostSockets::Option::V6Only && entry->family != AF_INET6) return Fail(WSAEINVAL);
  if (!value || length < 1) return Fail(WSAEFAULT);
  // Windows takes a BOOL, a DWORD, or for the flags one byte.
  int number = 0;
  if (length >= static_cast<int>(sizeof(int))) {
    std::memcpy(&number, value, sizeof number);
  } else {
    number = static_cast<unsigned char>(value[0]);
  }
  // The port reuse Windows gives every socket is kept; the option itself is remembered.
  if (option == HostSockets::Option::ReuseAddress) number = 1;
  if (const int error = HostSockets::SetOption(entry->fd, option, number)) return Fail(WsaErrorOf(error));
  return 0;
}

int getsockopt(SOCKET s, int level, int name, char* value, int* length) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (level == SOL_SOCKET && name == SO_LINGER) {
    if (!value || !length || *length < static_cast<int>(sizeof(linger))) return Fail(WSAEFAULT);
    bool on = false;
    int seconds = 0;
    if (const int error = HostSockets::GetLinger(entry->fd, &on, &seconds)) return Fail(WsaErrorOf(error));
    const linger setting{static_cast<USHORT>(on ? 1 : 0), static_cast<USHORT>(seconds)};
    std::memcpy(value, &setting, sizeof setting);
    *length = sizeof setting;
    return 0;
  }
  HostSockets::Option option;
  if (!OptionOf(level, name, &option)) return Fail(WSAENOPROTOOPT);
  if (!value || !length || *length < static_cast<int>(sizeof(int))) return Fail(WSAEFAULT);
  int number = 0;
  if (const int error = HostSockets::GetOption(entry->fd, option, &number)) return Fail(WsaErrorOf(error));
  if (option == HostSockets::Option::Error) number = WsaErrorOf(number);
  if (option == HostSockets::Option::KeepAlive || option == HostSockets::Option::NoDelay ||
      option == HostSockets::Option::V6Only || option == HostSockets::Option::ReuseAddress)
    number = number ? 1 : 0;
  std::memcpy(value, &number, sizeof number);
  *length = sizeof number;
  return 0;
}

int ioctlsocket(SOCKET s, long command, u_long* argument) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (!argument) return Fail(WSAEFAULT);
  if (command == FIONBIO) {
    const bool nonBlocking = *argument != 0;
    // A socket that reports to a window stays non-blocking.
    if (!nonBlocking && entry->window) return Fail(WSAEINVAL);
    entry->nonBlocking = nonBlocking;
    HostSockets::SetNonBlocking(entry->fd, nonBlocking);
    return 0;
  }
  if (command == FIONREAD) {
    int count = 0;
    if (const int error = HostSockets::BytesReadable(entry->fd, &count)) return Fail(WsaErrorOf(error));
    *argument = static_cast<u_long>(std::max(count, 0));
    return 0;
  }
  return Fail(WSAEINVAL);
}

int WSAAsyncSelect(SOCKET s, HWND hwnd, UINT message, long eventMask) {
  SocketEntry* entry = Entry(s);
  if (!entry) return SOCKET_ERROR;
  if (eventMask != 0 && !IsWindow(hwnd)) return Fail(WSAEINVAL);
  if (eventMask & ~static_cast<long>(FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE))
    return Fail(WSAEINVAL);
  Settle(*entry);
  SocketTable::Get().Select(*entry, hwnd, message, eventMask);
  return 0;
}

// Network order is the most significant byte first, whatever the host's order.
USHORT htons(USHORT value) {
  const BYTE bytes[2] = {static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
  USHORT result;
  std::memcpy(&result, bytes, sizeof result);
  return result;
}

USHORT ntohs(USHORT value) {
  BYTE bytes[2];
  std::memcpy(bytes, &value, sizeof bytes);
  return static_cast<USHORT>((bytes[0] << 8) | bytes[1]);
}

ULONG htonl(ULONG value) {
  const BYTE bytes[4] = {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16),
                         static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
  ULONG result;
  std::memcpy(&result, bytes, sizeof result);
  return result;
}

ULONG ntohl(ULONG value) {
  BYTE bytes[4];
  std::memcpy(bytes, &value, sizeof bytes);
  return (ULONG{bytes[0]} << 24) | (ULONG{bytes[1]} << 16) | (ULONG{bytes[2]} << 8) | ULONG{bytes[3]};
}

namespace PlatformTest {

void NoRouteToPort(uint16_t port) {
  TestResets::Add(&ForgetPortWithoutRoute);
  PortWithoutRoute() = port;
}

}  // namespace PlatformTest
