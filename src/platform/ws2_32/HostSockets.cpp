// The host's BSD sockets behind the Windows calls. This file alone includes the
// host's socket headers; see HostSockets.h.
#include "platform/ws2_32/HostSockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {

// Windows lays sockaddr_in and sockaddr_in6 out as the host does; only the
// value of the IPv6 family differs.
constexpr socklen_t kInetLength = sizeof(sockaddr_in);
constexpr socklen_t kInet6Length = sizeof(sockaddr_in6);
static_assert(sizeof(sockaddr_in) == 16 && sizeof(sockaddr_in6) == 28, "the Windows layout");

uint16_t FamilyField(const void* address) {
  uint16_t family = 0;
  std::memcpy(&family, address, sizeof family);
  return family;
}

// An address in the Windows layout as the host's; 0 or an errno value.
int ToHost(const void* address, int length, sockaddr_storage* out, socklen_t* outLength) {
  if (!address || length < static_cast<int>(sizeof(uint16_t))) return EFAULT;
  std::memset(out, 0, sizeof *out);
  const uint16_t family = FamilyField(address);
  if (family == HostSockets::kInet) {
    if (length < static_cast<int>(kInetLength)) return EFAULT;
    std::memcpy(out, address, kInetLength);
    reinterpret_cast<sockaddr_in*>(out)->sin_family = AF_INET;
    *outLength = kInetLength;
    return 0;
  }
  if (family == HostSockets::kInet6) {
    if (length < static_cast<int>(kInet6Length)) return EFAULT;
    std::memcpy(out, address, kInet6Length);
    reinterpret_cast<sockaddr_in6*>(out)->sin6_family = AF_INET6;
    *outLength = kInet6Length;
    return 0;
  }
  return EAFNOSUPPORT;
}

// The host's address in the Windows layout, cut to *length bytes as Windows
// does; *length becomes the whole size. 0, or EFAULT when there is no room.
int FromHost(const sockaddr_storage& host, void* address, int* length) {
  std::vector<uint8_t> bytes;
  if (host.ss_family == AF_INET) {
    bytes.resize(kInetLength);
    std::memcpy(bytes.data(), &host, kInetLength);
    const uint16_t family = HostSockets::kInet;
    std::memcpy(bytes.data(), &family, sizeof family);
  } else if (host.ss_family == AF_INET6) {
    bytes.resize(kInet6Length);
    std::memcpy(bytes.data(), &host, kInet6Length);
    const uint16_t family = HostSockets::kInet6;
    std::memcpy(bytes.data(), &family, sizeof family);
  } else {
    return EAFNOSUPPORT;
  }
  if (!address || !length) return 0;
  if (*length < static_cast<int>(bytes.size())) return EFAULT;
  std::memcpy(address, bytes.data(), bytes.size());
  *length = static_cast<int>(bytes.size());
  return 0;
}

std::vector<uint8_t> WindowsLayout(const sockaddr* host) {
  sockaddr_storage storage{};
  const socklen_t length = host->sa_family == AF_INET6 ? kInet6Length : kInetLength;
  std::memcpy(&storage, host, length);
  std::vector<uint8_t> bytes(length);
  int size = static_cast<int>(length);
  if (FromHost(storage, bytes.data(), &size) != 0) return {};
  return bytes;
}

int Result(int status) {
  return status < 0 ? errno : 0;
}

bool OptionPlace(HostSockets::Option option, int* level, int* name) {
  switch (option) {
    case HostSockets::Option::ReuseAddress: *level = SOL_SOCKET; *name = SO_REUSEADDR; return true;
    case HostSockets::Option::KeepAlive: *level = SOL_SOCKET; *name = SO_KEEPALIVE; return true;
    case HostSockets::Option::SendBuffer: *level = SOL_SOCKET; *name = SO_SNDBUF; return true;
    case HostSockets::Option::ReceiveBuffer: *level = SOL_SOCKET; *name = SO_RCVBUF; return true;
    case HostSockets::Option::Error: *level = SOL_SOCKET; *name = SO_ERROR; return true;
    case HostSockets::Option::NoDelay: *level = IPPROTO_TCP; *name = TCP_NODELAY; return true;
    case HostSockets::Option::V6Only: *level = IPPROTO_IPV6; *name = IPV6_V6ONLY; return true;
  }
  return false;
}

// Windows' AI_* values and the host's.
constexpr struct {
  int windows;
  int host;
} kAddressFlags[] = {{0x1, AI_PASSIVE},   {0x2, AI_CANONNAME},    {0x4, AI_NUMERICHOST}, {0x8, AI_NUMERICSERV},
                     {0x100, AI_ALL},     {0x400, AI_ADDRCONFIG}, {0x800, AI_V4MAPPED}};
constexpr struct {
  int windows;
  int host;
} kNameFlags[] = {{0x1, NI_NOFQDN}, {0x2, NI_NUMERICHOST}, {0x4, NI_NAMEREQD}, {0x8, NI_NUMERICSERV}, {0x10, NI_DGRAM}};

HostSockets::LookupFailure FailureOf(int code) {
  using HostSockets::LookupFailure;
  switch (code) {
    case 0: return LookupFailure::None;
    case EAI_NONAME: return LookupFailure::NoName;
#ifdef EAI_NODATA
    case EAI_NODATA: return LookupFailure::NoData;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return LookupFailure::NoData;
#endif
    case EAI_AGAIN: return LookupFailure::TryAgain;
    case EAI_FAMILY: return LookupFailure::Family;
    case EAI_MEMORY: return LookupFailure::Memory;
    case EAI_SERVICE: return LookupFailure::Service;
    case EAI_SOCKTYPE: return LookupFailure::SocketType;
    case EAI_BADFLAGS: return LookupFailure::BadFlags;
    default: return LookupFailure::Fail;
  }
}

int HostFamily(int family) {
  return family == HostSockets::kInet ? AF_INET : family == HostSockets::kInet6 ? AF_INET6 : AF_UNSPEC;
}

uint64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

}  // namespace

namespace HostSockets {

int OpenStream(int family) {
  const int hostFamily = HostFamily(family);
  if (hostFamily == AF_UNSPEC) {
    errno = EAFNOSUPPORT;
    return -1;
  }
  const int fd = ::socket(hostFamily, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
  if (fd < 0) return -1;
  const int on = 1;
  // Windows binds a listening port again while its old connections linger,
  // and gives IPv6 sockets IPv6 only unless told otherwise.
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (hostFamily == AF_INET6) ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  return fd;
}

void Close(int fd) {
  if (fd >= 0) ::close(fd);
}

void SetNonBlocking(int fd, bool nonBlocking) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  if (flags < 0) return;
  ::fcntl(fd, F_SETFL, nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

int Bind(int fd, const void* address, int length) {
  sockaddr_storage host{};
  socklen_t hostLength = 0;
  if (const int error = ToHost(address, length, &host, &hostLength)) return error;
  return Result(::bind(fd, reinterpret_cast<const sockaddr*>(&host), hostLength));
}

int Listen(int fd, int backlog) {
  return Result(::listen(fd, backlog));
}

int Accept(int fd, int* accepted, void* address, int* length) {
  sockaddr_storage host{};
  socklen_t hostLength = sizeof host;
  int result;
  do {
    result = ::accept4(fd, reinterpret_cast<sockaddr*>(&host), &hostLength, SOCK_CLOEXEC);
  } while (result < 0 && errno == EINTR);
  if (result < 0) return errno;
  *accepted = result;
  if (address && length) FromHost(host, address, length);
  return 0;
}

int Connect(int fd, const void* address, int length) {
  sockaddr_storage host{};
  socklen_t hostLength = 0;
  if (const int error = ToHost(address, length, &host, &hostLength)) return error;
  const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&host), hostLength);
  // An interrupted connect goes on by itself, as one that would block does.
  if (result < 0 && errno == EINTR) return EINPROGRESS;
  return Result(result);
}

int Send(int fd, const void* data, int length, int* sent) {
  ssize_t result;
  do {
    result = ::send(fd, data, static_cast<size_t>(length), MSG_NOSIGNAL);
  } while (result < 0 && errno == EINTR);
  if (result < 0) return errno;
  *sent = static_cast<int>(result);
  return 0;
}

int Receive(int fd, void* data, int length, bool peek, int* received) {
  ssize_t result;
  do {
    result = ::recv(fd, data, static_cast<size_t>(length), peek ? MSG_PEEK : 0);
  } while (result < 0 && errno == EINTR);
  if (result < 0) return errno;
  *received = static_cast<int>(result);
  return 0;
}

int Shutdown(int fd, int how) {
  const int hostHow = how == 0 ? SHUT_RD : how == 1 ? SHUT_WR : SHUT_RDWR;
  return Result(::shutdown(fd, hostHow));
}

int LocalAddress(int fd, void* address, int* length) {
  sockaddr_storage host{};
  socklen_t hostLength = sizeof host;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&host), &hostLength) < 0) return errno;
  return FromHost(host, address, length);
}

int PeerAddress(int fd, void* address, int* length) {
  sockaddr_storage host{};
  socklen_t hostLength = sizeof host;
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&host), &hostLength) < 0) return errno;
  return FromHost(host, address, length);
}

int SetOption(int fd, Option option, int value) {
  int level = 0;
  int name = 0;
  if (!OptionPlace(option, &level, &name)) return ENOPROTOOPT;
  return Result(::setsockopt(fd, level, name, &value, sizeof value));
}

int SetLinger(int fd, bool on, int seconds) {
  const linger value{on ? 1 : 0, seconds};
  return Result(::setsockopt(fd, SOL_SOCKET, SO_LINGER, &value, sizeof value));
}

int GetLinger(int fd, bool* on, int* seconds) {
  linger value{};
  socklen_t length = sizeof value;
  if (::getsockopt(fd, SOL_SOCKET, SO_LINGER, &value, &length) < 0) return errno;
  *on = value.l_onoff != 0;
  *seconds = value.l_linger;
  return 0;
}

int GetOption(int fd, Option option, int* value) {
  int level = 0;
  int name = 0;
  if (!OptionPlace(option, &level, &name)) return ENOPROTOOPT;
  socklen_t length = sizeof *value;
  return Result(::getsockopt(fd, level, name, value, &length));
}

int BytesReadable(int fd, int* count) {
  return Result(::ioctl(fd, FIONREAD, count));
}

int Poll(std::vector<PollEntry>& entries, int timeoutMs) {
  std::vector<pollfd> fds(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    fds[i].fd = entries[i].fd;
    fds[i].events = static_cast<short>((entries[i].wantRead ? POLLIN : 0) | (entries[i].wantWrite ? POLLOUT : 0));
  }
  const uint64_t deadline = timeoutMs < 0 ? 0 : NowMs() + static_cast<uint64_t>(timeoutMs);
  int result;
  for (;;) {
    int wait = timeoutMs;
    if (timeoutMs > 0) {
      const uint64_t now = NowMs();
      wait = now >= deadline ? 0 : static_cast<int>(deadline - now);
    }
    result = ::poll(fds.data(), fds.size(), wait);
    if (result >= 0 || errno != EINTR) break;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    const short got = result > 0 ? fds[i].revents : 0;
    entries[i].readable = (got & POLLIN) != 0;
    entries[i].writable = (got & POLLOUT) != 0;
    entries[i].failed = (got & (POLLERR | POLLHUP | POLLNVAL)) != 0;
  }
  return result < 0 ? 0 : result;
}

LookupFailure Lookup(const char* node, const char* service, int windowsFlags, int family, int protocol,
                     std::vector<FoundAddress>* found, std::string* canonicalName) {
  addrinfo hints{};
  for (const auto& flag : kAddressFlags)
    if (windowsFlags & flag.windows) hints.ai_flags |= flag.host;
  hints.ai_family = HostFamily(family);
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  const int code = ::getaddrinfo(node, service, &hints, &list);
  if (code != 0) return FailureOf(code);
  for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
    if (canonicalName && entry->ai_canonname && canonicalName->empty()) *canonicalName = entry->ai_canonname;
    FoundAddress address;
    address.family = entry->ai_family == AF_INET ? kInet : kInet6;
    address.socketType = 1;
    address.protocol = protocol;
    address.address = WindowsLayout(entry->ai_addr);
    if (!address.address.empty()) found->push_back(std::move(address));
  }
  ::freeaddrinfo(list);
  return found->empty() ? LookupFailure::NoData : LookupFailure::None;
}

LookupFailure LocalAddresses(int family, uint16_t portNetworkOrder, std::vector<FoundAddress>* found) {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return LookupFailure::Fail;
  const int wanted = HostFamily(family);
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP)) continue;
    const int entryFamily = entry->ifa_addr->sa_family;
    if (entryFamily != AF_INET && entryFamily != AF_INET6) continue;
    if (wanted != AF_UNSPEC && wanted != entryFamily) continue;
    sockaddr_storage copy{};
    std::memcpy(&copy, entry->ifa_addr, entryFamily == AF_INET ? kInetLength : kInet6Length);
    if (entryFamily == AF_INET) {
      reinterpret_cast<sockaddr_in*>(&copy)->sin_port = portNetworkOrder;
    } else {
      reinterpret_cast<sockaddr_in6*>(&copy)->sin6_port = portNetworkOrder;
    }
    FoundAddress address;
    address.family = entryFamily == AF_INET ? kInet : kInet6;
    address.socketType = 1;
    address.address = WindowsLayout(reinterpret_cast<const sockaddr*>(&copy));
    if (!address.address.empty()) found->push_back(std::move(address));
  }
  ::freeifaddrs(list);
  return found->empty() ? LookupFailure::NoData : LookupFailure::None;
}

LookupFailure NameOf(const void* address, int length, char* host, uint32_t hostLength, char* service,
                     uint32_t serviceLength, int windowsFlags) {
  sockaddr_storage hostAddress{};
  socklen_t hostAddressLength = 0;
  if (ToHost(address, length, &hostAddress, &hostAddressLength) != 0) return LookupFailure::Family;
  int flags = 0;
  for (const auto& flag : kNameFlags)
    if (windowsFlags & flag.windows) flags |= flag.host;
  const int code = ::getnameinfo(reinterpret_cast<const sockaddr*>(&hostAddress), hostAddressLength, host,
                                 host ? hostLength : 0, service, service ? serviceLength : 0, flags);
  if (code == EAI_OVERFLOW) return LookupFailure::Memory;
  return FailureOf(code);
}

}  // namespace HostSockets
