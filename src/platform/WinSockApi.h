#pragma once
// The subset of Windows Sockets 2 (ws2_32) that the game calls, declared for
// hosts without Windows: TCP over IPv4 and IPv6, name lookup, and
// WSAAsyncSelect, which reports a socket's events as window messages so that
// the one GUI thread never blocks. Names, values, structure layouts and
// semantics follow Windows (AF_INET6 is 23, errors are WSAE* codes read with
// WSAGetLastError). Include "platform/Win32.h" rather than this file.
//
// Left out because the host's C library already owns their names in every
// translation unit: select with fd_set and timeval, socklen_t (use int, as
// Windows defines it) and gethostname. u_char, u_short, u_int and u_long are
// the C library's own; u_long is wider than on Windows, which a caller never
// sees as long as it keeps to the values Windows allows.

#include <cstddef>
#include <sys/types.h>

#include "platform/WinApi.h"

typedef UINT_PTR SOCKET;
#define INVALID_SOCKET (SOCKET)(~0)
#define SOCKET_ERROR (-1)

#define MAKEWORD(low, high) ((WORD)(((BYTE)(low)) | ((WORD)((BYTE)(high))) << 8))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[WSADESCRIPTION_LEN + 1];
  char szSystemStatus[WSASYS_STATUS_LEN + 1];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};
typedef WSADATA* LPWSADATA;

// Address families, socket types and protocols.
#define AF_UNSPEC 0
#define AF_INET 2
#define AF_INET6 23
#define PF_UNSPEC AF_UNSPEC
#define PF_INET AF_INET
#define PF_INET6 AF_INET6
#define SOCK_STREAM 1
#define SOCK_DGRAM 2
#define IPPROTO_IP 0
#define IPPROTO_TCP 6
#define IPPROTO_UDP 17
#define IPPROTO_IPV6 41

#define INADDR_ANY (ULONG)0x00000000
#define INADDR_LOOPBACK 0x7f000001
#define INADDR_NONE 0xffffffff

struct in_addr {
  ULONG s_addr;
};

struct in6_addr {
  union {
    BYTE Byte[16];
    USHORT Word[8];
  } u;
};
#define s6_addr u.Byte

struct sockaddr {
  USHORT sa_family;
  char sa_data[14];
};

struct sockaddr_in {
  short sin_family;
  USHORT sin_port;
  in_addr sin_addr;
  char sin_zero[8];
};

struct sockaddr_in6 {
  short sin6_family;
  USHORT sin6_port;
  ULONG sin6_flowinfo;
  in6_addr sin6_addr;
  ULONG sin6_scope_id;
};

struct sockaddr_storage {
  short ss_family;
  char ss_pad1[6];
  int64_t ss_align;
  char ss_pad2[112];
};

typedef sockaddr SOCKADDR;
typedef sockaddr_in SOCKADDR_IN;
typedef sockaddr_in6 SOCKADDR_IN6;
typedef sockaddr_storage SOCKADDR_STORAGE;

// Name lookup.
struct addrinfo {
  int ai_flags;
  int ai_family;
  int ai_socktype;
  int ai_protocol;
  size_t ai_addrlen;
  char* ai_canonname;
  sockaddr* ai_addr;
  addrinfo* ai_next;
};
typedef addrinfo ADDRINFOA;
typedef addrinfo* PADDRINFOA;

#define AI_PASSIVE 0x00000001
#define AI_CANONNAME 0x00000002
#define AI_NUMERICHOST 0x00000004
#define AI_NUMERICSERV 0x00000008
#define AI_ALL 0x00000100
#define AI_ADDRCONFIG 0x00000400
#define AI_V4MAPPED 0x00000800

#define NI_MAXHOST 1025
#define NI_MAXSERV 32
#define NI_NOFQDN 0x01
#define NI_NUMERICHOST 0x02
#define NI_NAMEREQD 0x04
#define NI_NUMERICSERV 0x08
#define NI_DGRAM 0x10

// Socket options, ioctlsocket commands and shutdown directions.
#define SOL_SOCKET 0xffff
#define SO_REUSEADDR 0x0004
#define SO_KEEPALIVE 0x0008
#define SO_LINGER 0x0080
#define SO_SNDBUF 0x1001
#define SO_RCVBUF 0x1002
#define SO_ERROR 0x1007
#define SO_TYPE 0x1008
#define TCP_NODELAY 0x0001
#define IPV6_V6ONLY 27
#define SOMAXCONN 0x7fffffff

// SO_LINGER: on with a time of 0 makes closesocket reset the connection.
struct linger {
  USHORT l_onoff;
  USHORT l_linger;
};

// The Windows values, also where a system header of the host defined its own first.
#undef FIONREAD
#undef FIONBIO
#define FIONREAD 0x4004667FL
#define FIONBIO ((long)0x8004667EL)

#define SD_RECEIVE 0x00
#define SD_SEND 0x01
#define SD_BOTH 0x02

#define MSG_PEEK 0x2

// Events of WSAAsyncSelect: lParam of its message holds the event in its low
// word and the error (0 or a WSAE* code) in its high word; wParam is the socket.
#define FD_READ 0x01
#define FD_WRITE 0x02
#define FD_OOB 0x04
#define FD_ACCEPT 0x08
#define FD_CONNECT 0x10
#define FD_CLOSE 0x20
#define WSAMAKESELECTREPLY(event, error) MAKELONG(event, error)
#define WSAGETSELECTEVENT(lParam) LOWORD(lParam)
#define WSAGETSELECTERROR(lParam) HIWORD(lParam)

// Errors.
#define WSABASEERR 10000
#define WSAEINTR 10004
#define WSAEBADF 10009
#define WSAEACCES 10013
#define WSAEFAULT 10014
#define WSAEINVAL 10022
#define WSAEMFILE 10024
#define WSAEWOULDBLOCK 10035
#define WSAEINPROGRESS 10036
#define WSAEALREADY 10037
#define WSAENOTSOCK 10038
#define WSAEDESTADDRREQ 10039
#define WSAEMSGSIZE 10040
#define WSAEPROTOTYPE 10041
#define WSAENOPROTOOPT 10042
#define WSAEPROTONOSUPPORT 10043
#define WSAESOCKTNOSUPPORT 10044
#define WSAEOPNOTSUPP 10045
#define WSAEPFNOSUPPORT 10046
#define WSAEAFNOSUPPORT 10047
#define WSAEADDRINUSE 10048
#define WSAEADDRNOTAVAIL 10049
#define WSAENETDOWN 10050
#define WSAENETUNREACH 10051
#define WSAENETRESET 10052
#define WSAECONNABORTED 10053
#define WSAECONNRESET 10054
#define WSAENOBUFS 10055
#define WSAEISCONN 10056
#define WSAENOTCONN 10057
#define WSAESHUTDOWN 10058
#define WSAETIMEDOUT 10060
#define WSAECONNREFUSED 10061
#define WSAEHOSTDOWN 10064
#define WSAEHOSTUNREACH 10065
#define WSASYSNOTREADY 10091
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093
#define WSATYPE_NOT_FOUND 10109
#define WSAHOST_NOT_FOUND 11001
#define WSATRY_AGAIN 11002
#define WSANO_RECOVERY 11003
#define WSANO_DATA 11004
#define WSA_NOT_ENOUGH_MEMORY 8

#define EAI_AGAIN WSATRY_AGAIN
#define EAI_BADFLAGS WSAEINVAL
#define EAI_FAIL WSANO_RECOVERY
#define EAI_FAMILY WSAEAFNOSUPPORT
#define EAI_MEMORY WSA_NOT_ENOUGH_MEMORY
#define EAI_NONAME WSAHOST_NOT_FOUND
#define EAI_SERVICE WSATYPE_NOT_FOUND
#define EAI_SOCKTYPE WSAESOCKTNOSUPPORT
#define EAI_NODATA WSANO_DATA

// Start-up and errors. WSAStartup accepts versions 1.0 to 2.2 and answers with
// the lower of the one asked and 2.2; every other call fails with
// WSANOTINITIALISED until it has succeeded, and after as many WSACleanup calls.
int WSAStartup(WORD versionRequested, LPWSADATA data);
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

// Sockets: TCP only (SOCK_STREAM over AF_INET and AF_INET6). An AF_INET6
// socket takes IPv6 only (IPV6_V6ONLY is on) until told otherwise, and a
// listening port whose earlier connections linger may be bound again, both as
// on Windows.
SOCKET socket(int family, int type, int protocol);
int closesocket(SOCKET s);
int bind(SOCKET s, const sockaddr* name, int nameLength);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* address, int* addressLength);
int connect(SOCKET s, const sockaddr* name, int nameLength);
int send(SOCKET s, const char* buffer, int length, int flags);
int recv(SOCKET s, char* buffer, int length, int flags);
int shutdown(SOCKET s, int how);
int getsockname(SOCKET s, sockaddr* name, int* nameLength);
int getpeername(SOCKET s, sockaddr* name, int* nameLength);
int setsockopt(SOCKET s, int level, int name, const char* value, int length);
int getsockopt(SOCKET s, int level, int name, char* value, int* length);
int ioctlsocket(SOCKET s, long command, u_long* argument);

// Asks for the events in eventMask (FD_*) on s to be posted to hwnd as
// message, and makes s non-blocking; a mask of 0 stops them. Each event is
// posted once and then not again until the call that takes it up (recv for
// FD_READ, accept for FD_ACCEPT, a send that would block for FD_WRITE);
// FD_CONNECT and FD_CLOSE come once. A socket that accept returns has the
// listening socket's mask and message. Messages already posted stay in the
// queue after closesocket.
int WSAAsyncSelect(SOCKET s, HWND hwnd, UINT message, long eventMask);

// Looks a node (a name or a numeric IPv4 or IPv6 address; an empty name is
// this machine's own addresses) and a service (a port number) up. Answers 0
// or an EAI_* code; the list is freed with freeaddrinfo.
int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result);
void freeaddrinfo(addrinfo* info);
int getnameinfo(const sockaddr* address, int addressLength, char* host, DWORD hostLength, char* service,
                DWORD serviceLength, int flags);

// Byte order.
USHORT htons(USHORT value);
USHORT ntohs(USHORT value);
ULONG htonl(ULONG value);
ULONG ntohl(ULONG value);
