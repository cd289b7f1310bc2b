#pragma once
// Internal to the sockets' library: the host's BSD sockets behind the Windows
// calls, with neutral types only, because the host's headers and ours use the
// same names (sockaddr, AF_INET6, EAI_*) with other values. Addresses cross
// this line in the Windows layout (sockaddr_in, sockaddr_in6 with family 2 or
// 23); failures come back as the host's errno values, which the caller maps.

#include <cstdint>
#include <string>
#include <vector>

namespace HostSockets {

// Family values of the Windows layout.
constexpr int kInet = 2;
constexpr int kInet6 = 23;

// The options the Windows side knows, whatever their numbers are here.
enum class Option { ReuseAddress, KeepAlive, SendBuffer, ReceiveBuffer, Error, NoDelay, V6Only };

// A new TCP socket of the family (kInet or kInet6), blocking, closed on exec,
// with SIGPIPE kept away from sends. Answers the descriptor, or -1 with errno set.
int OpenStream(int family);
void Close(int fd);
void SetNonBlocking(int fd, bool nonBlocking);

// Each answers 0 or an errno value.
int Bind(int fd, const void* address, int length);
int Listen(int fd, int backlog);
// The new descriptor in *accepted; the peer's address, Windows layout, in
// address when there is room (*length tells how much there is, then what was written).
int Accept(int fd, int* accepted, void* address, int* length);
int Connect(int fd, const void* address, int length);
int Send(int fd, const void* data, int length, int* sent);
int Receive(int fd, void* data, int length, bool peek, int* received);
int Shutdown(int fd, int how);
int LocalAddress(int fd, void* address, int* length);
int PeerAddress(int fd, void* address, int* length);
int SetOption(int fd, Option option, int value);
// SO_LINGER: on with a time in seconds (0: closing resets the connection).
int SetLinger(int fd, bool on, int seconds);
int GetLinger(int fd, bool* on, int* seconds);
int GetOption(int fd, Option option, int* value);
int BytesReadable(int fd, int* count);

// What a descriptor waits for and, after Poll, what it is ready for.
struct PollEntry {
  int fd = -1;
  bool wantRead = false;
  bool wantWrite = false;
  bool readable = false;
  bool writable = false;
  bool failed = false;  // an error or a hang-up
};
// Waits up to timeoutMs (-1: for ever) until one of the entries is ready;
// answers how many are.
int Poll(std::vector<PollEntry>& entries, int timeoutMs);

// Why a lookup failed, in the host's terms mapped onto the ones Windows names.
enum class LookupFailure { None, NoName, TryAgain, Fail, Family, Memory, Service, SocketType, BadFlags, NoData };

struct FoundAddress {
  int family = 0;  // kInet or kInet6
  int socketType = 0;
  int protocol = 0;
  std::vector<uint8_t> address;  // Windows layout
};

// getaddrinfo with Windows flag values (AI_*) and family (0, kInet, kInet6),
// stream sockets only.
LookupFailure Lookup(const char* node, const char* service, int windowsFlags, int family, int protocol,
                     std::vector<FoundAddress>* found, std::string* canonicalName);
// The addresses of this machine's interfaces that are up, loopback included,
// with the port given (network byte order), of the family asked (0: both).
LookupFailure LocalAddresses(int family, uint16_t portNetworkOrder, std::vector<FoundAddress>* found);
// getnameinfo with Windows flag values (NI_*).
LookupFailure NameOf(const void* address, int length, char* host, uint32_t hostLength, char* service,
                     uint32_t serviceLength, int windowsFlags);

}  // namespace HostSockets
