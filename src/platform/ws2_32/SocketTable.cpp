// The process's sockets and WSAAsyncSelect over poll; see SocketTable.h.
#include "platform/ws2_32/SocketTable.h"

#include <cerrno>
#include <vector>

#include "platform/user32/TestResets.h"
#include "platform/ws2_32/HostSockets.h"

namespace {

// Handles are multiples of four, as the system's are, and never INVALID_SOCKET.
constexpr SOCKET kHandleStep = 4;

void ResetTable() {
  SocketTable::Get().Reset();
}

}  // namespace

int WsaErrorOf(int hostError) {
  switch (hostError) {
    case 0: return 0;
    case EINTR: return WSAEINTR;
    case EBADF: return WSAENOTSOCK;
    case EACCES:
    case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE:
    case ENFILE: return WSAEMFILE;
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EAGAIN:
    case EINPROGRESS: return WSAEWOULDBLOCK;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET:
    case EPIPE: return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return WSAEINVAL;
  }
}

SocketTable& SocketTable::Get() {
  static SocketTable table;
  return table;
}

void SocketTable::Start() {
  if (starts_++ == 0) {
    TestResets::Add(&ResetTable);
    MessageSources::Set(this);
  }
}

bool SocketTable::Clean() {
  if (starts_ == 0) return false;
  if (--starts_ == 0) {
    for (auto& [handle, entry] : sockets_) HostSockets::Close(entry->fd);
    sockets_.clear();
  }
  return true;
}

SocketEntry* SocketTable::Add(int fd, int family) {
  for (size_t tries = 0; tries < sockets_.size() + 1; ++tries) {
    const SOCKET handle = next_;
    next_ += kHandleStep;
    if (next_ == INVALID_SOCKET || next_ < 0x1000) next_ = 0x1000;
    if (sockets_.count(handle)) continue;
    auto entry = std::make_unique<SocketEntry>();
    entry->handle = handle;
    entry->fd = fd;
    entry->family = family;
    SocketEntry* added = entry.get();
    sockets_.emplace(handle, std::move(entry));
    return added;
  }
  return nullptr;
}

SocketEntry* SocketTable::Find(SOCKET handle) {
  auto it = sockets_.find(handle);
  return it == sockets_.end() ? nullptr : it->second.get();
}

void SocketTable::Remove(SOCKET handle) {
  auto it = sockets_.find(handle);
  if (it == sockets_.end()) return;
  HostSockets::Close(it->second->fd);
  sockets_.erase(it);
}

void SocketTable::Select(SocketEntry& entry, HWND window, UINT message, long events) {
  entry.window = events ? window : nullptr;
  entry.message = message;
  entry.events = events;
  entry.readPosted = false;
  entry.acceptPosted = false;
  entry.unreportedData = false;
  entry.closePosted = false;
  // Events that have already happened are reported now: a connected socket
  // can be written to, and a connection made earlier is reported as made.
  entry.writeWanted = entry.state == SocketEntry::State::Connected && (events & FD_WRITE);
  entry.connectWanted = entry.state == SocketEntry::State::Connected && entry.connectedByConnect &&
                        (events & FD_CONNECT);
  entry.nonBlocking = true;
  HostSockets::SetNonBlocking(entry.fd, true);
}

void SocketTable::Inherit(const SocketEntry& listener, SocketEntry& accepted) {
  accepted.nonBlocking = listener.nonBlocking;
  HostSockets::SetNonBlocking(accepted.fd, accepted.nonBlocking);
  if (!listener.window) return;
  accepted.window = listener.window;
  accepted.message = listener.message;
  accepted.events = listener.events;
  accepted.writeWanted = (listener.events & FD_WRITE) != 0;
}

bool SocketTable::Watching() {
  for (const auto& [handle, entry] : sockets_)
    if (entry->window && entry->events) return true;
  return false;
}

void SocketTable::Post(const SocketEntry& entry, int event, int error) {
  PostMessageA(entry.window, entry.message, static_cast<WPARAM>(entry.handle),
               static_cast<LPARAM>(WSAMAKESELECTREPLY(event, error)));
}

bool SocketTable::ReportReadable(SocketEntry& entry) {
  char byte = 0;
  int received = 0;
  const int error = HostSockets::Receive(entry.fd, &byte, 1, true, &received);
  if (error == EAGAIN || error == EWOULDBLOCK) return false;
  if (error == 0 && received > 0) {
    if (entry.events & FD_READ) {
      entry.readPosted = true;
      Post(entry, FD_READ, 0);
      return true;
    }
    entry.unreportedData = true;
    return false;
  }
  // The end of the stream, or the connection is broken: reported once, and
  // only once every byte that came before it has been read.
  entry.closePosted = true;
  if (error != 0) entry.broken = WsaErrorOf(error);
  if (!(entry.events & FD_CLOSE)) return false;
  Post(entry, FD_CLOSE, error == 0 ? 0 : WsaErrorOf(error));
  return true;
}

bool SocketTable::Deliver(int timeoutMs) {
  bool posted = false;
  // What is known without looking comes first.
  for (auto& [handle, entry] : sockets_) {
    if (!entry->window) continue;
    if (entry->connectWanted) {
      entry->connectWanted = false;
      Post(*entry, FD_CONNECT, 0);
      posted = true;
    }
  }

  std::vector<HostSockets::PollEntry> polled;
  std::vector<SocketEntry*> owners;
  for (auto& [handle, entry] : sockets_) {
    if (!entry->window || !entry->events) continue;
    HostSockets::PollEntry poll;
    poll.fd = entry->fd;
    switch (entry->state) {
      case SocketEntry::State::Listening:
        poll.wantRead = (entry->events & FD_ACCEPT) && !entry->acceptPosted;
        break;
      case SocketEntry::State::Connecting:
        // Watched whatever the mask, so that the socket learns its state.
        poll.wantWrite = true;
        break;
      case SocketEntry::State::Connected:
        poll.wantRead = !entry->readPosted && !entry->unreportedData && !entry->closePosted &&
                        (entry->events & (FD_READ | FD_CLOSE));
        poll.wantWrite = entry->writeWanted;
        break;
      case SocketEntry::State::Fresh:
      case SocketEntry::State::Failed:
        break;
    }
    if (!poll.wantRead && !poll.wantWrite) continue;
    polled.push_back(poll);
    owners.push_back(entry.get());
  }
  if (polled.empty() && !posted) {
    // Nothing can happen that is watched; wait as asked all the same, as
    // GetMessageA would have.
    if (timeoutMs != 0) HostSockets::Poll(polled, timeoutMs);
    return false;
  }
  if (HostSockets::Poll(polled, posted ? 0 : timeoutMs) == 0) return posted;

  for (size_t i = 0; i < polled.size(); ++i) {
    SocketEntry& entry = *owners[i];
    const HostSockets::PollEntry& result = polled[i];
    if (!result.readable && !result.writable && !result.failed) continue;
    switch (entry.state) {
      case SocketEntry::State::Listening:
        entry.acceptPosted = true;
        Post(entry, FD_ACCEPT, 0);
        posted = true;
        break;
      case SocketEntry::State::Connecting: {
        int error = 0;
        HostSockets::GetOption(entry.fd, HostSockets::Option::Error, &error);
        if (error == 0 && !result.writable) error = ECONNREFUSED;
        entry.state = error == 0 ? SocketEntry::State::Connected : SocketEntry::State::Failed;
        entry.connectedByConnect = error == 0;
        if (entry.events & FD_CONNECT) {
          Post(entry, FD_CONNECT, WsaErrorOf(error));
          posted = true;
        }
        if (error == 0 && (entry.events & FD_WRITE)) {
          Post(entry, FD_WRITE, 0);
          posted = true;
        }
        break;
      }
      case SocketEntry::State::Connected:
        if ((result.readable || result.failed) && ReportReadable(entry)) posted = true;
        if (result.writable && entry.writeWanted) {
          entry.writeWanted = false;
          Post(entry, FD_WRITE, 0);
          posted = true;
        }
        break;
      case SocketEntry::State::Fresh:
      case SocketEntry::State::Failed:
        break;
    }
  }
  return posted;
}

void SocketTable::Reset() {
  for (auto& [handle, entry] : sockets_) HostSockets::Close(entry->fd);
  sockets_.clear();
  next_ = 0x1000;
  starts_ = 0;
}
