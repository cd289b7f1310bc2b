#pragma once
// Internal to the sockets' library: the process's sockets (a SOCKET handle
// stands for a host descriptor) and WSAAsyncSelect over them. The table is the
// message source GetMessageA waits on while any socket reports events to a
// window: it looks at those sockets with poll and posts their events as
// Windows does, each once until the call that takes it up.

#include <cstdint>
#include <map>
#include <memory>

#include "platform/WinApi.h"
#include "platform/WinSockApi.h"
#include "platform/user32/MessageSource.h"

struct SocketEntry {
  enum class State { Fresh, Listening, Connecting, Connected, Failed };

  SOCKET handle = INVALID_SOCKET;
  int fd = -1;
  int family = AF_INET;
  State state = State::Fresh;
  bool nonBlocking = false;
  // Set by connect, so that an FD_CONNECT can still be reported to a
  // WSAAsyncSelect that comes after the connection was made.
  bool connectedByConnect = false;
  // The WSAE* code the connection broke with, once known: the host tells it
  // once, Windows at every later recv and send.
  int broken = 0;

  // WSAAsyncSelect: where events go and which; what has been posted and waits
  // for the call that takes it up.
  HWND window = nullptr;
  UINT message = 0;
  long events = 0;
  bool readPosted = false;
  bool acceptPosted = false;
  bool writeWanted = false;
  bool connectWanted = false;
  bool closePosted = false;
  // Data waits that nobody asked to hear of (no FD_READ): the socket is not
  // looked at again until recv, so that poll does not spin on it.
  bool unreportedData = false;
};

class SocketTable final : public MessageSource {
 public:
  static SocketTable& Get();

  SocketTable() = default;
  SocketTable(const SocketTable&) = delete;
  SocketTable& operator=(const SocketTable&) = delete;

  // WSAStartup and WSACleanup: a count; at 0 every socket is closed.
  void Start();
  bool Started() const { return starts_ > 0; }
  // Answers false when there was no start to end.
  bool Clean();

  // A new entry for the descriptor; null when the handles ran out.
  SocketEntry* Add(int fd, int family);
  SocketEntry* Find(SOCKET handle);
  void Remove(SOCKET handle);

  // WSAAsyncSelect on the entry (which it makes non-blocking).
  void Select(SocketEntry& entry, HWND window, UINT message, long events);
  // A connection accepted on listener: the new entry takes its events.
  void Inherit(const SocketEntry& listener, SocketEntry& accepted);

  // MessageSource.
  bool Watching() override;
  bool Deliver(int timeoutMs) override;

  // Closes every socket, forgets the starts: a fresh process.
  void Reset();

 private:
  void Post(const SocketEntry& entry, int event, int error);
  // What the entry's descriptor shows when it is readable: data, the end of
  // the stream or a failure, reported as FD_READ or FD_CLOSE.
  bool ReportReadable(SocketEntry& entry);

  std::map<SOCKET, std::unique_ptr<SocketEntry>> sockets_;
  SOCKET next_ = 0x1000;
  int starts_ = 0;
};

// The WSAE* code of a host errno value.
int WsaErrorOf(int hostError);
