#include "net/TNetLink.h"

#include <algorithm>

#include "net/NetTrace.h"

namespace NNet {

TNetLink::TNetLink(SOCKET in_socket, HWND in_window, UINT in_message, bool in_connecting, bool in_takesMap,
                   uint32_t in_now)
    : Socket_(in_socket),
      Message_(in_message),
      Connected_(!in_connecting),
      Decoder_(in_takesMap),
      LastHeard_(in_now),
      LastSent_(in_now),
      LastProgress_(in_now) {
  // A socket that reports to a window is non-blocking: nothing here waits.
  if (WSAAsyncSelect(Socket_, in_window, in_message, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
    Closed_ = true;
    CloseError_ = WSAGetLastError();
  }
  const BOOL noDelay = TRUE;
  setsockopt(Socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
}

TNetLink::~TNetLink() {
  NetTrace("socket %u: closed by this copy", static_cast<unsigned>(Socket_));
  if (Socket_ != INVALID_SOCKET) closesocket(Socket_);
}

void TNetLink::Send(const TMessage& in_message, uint32_t in_now) {
  if (in_message.Kind != TKind::KeepAlive)
    NetTrace("socket %u: sends %s, turn %d%s", static_cast<unsigned>(Socket_), KindName(in_message.Kind),
             static_cast<int>(in_message.Turn),
             Closed_ || Broken() || Finishing_ ? " (dropped: the link is done)" : "");
  if (Closed_ || Broken() || Finishing_) return;
  if (Queued() == 0) LastProgress_ = in_now;
  Out_ += Encode(in_message);
  LastSent_ = in_now;
  Flush(in_now);
}

void TNetLink::Finish() {
  Finishing_ = true;
  if (Queued() == 0 && Connected_ && !Finished_) {
    Finished_ = true;
    shutdown(Socket_, SD_SEND);
  }
}

void TNetLink::Flush(uint32_t in_now) {
  while (Connected_ && !Closed_ && OutStart_ < Out_.size()) {
    const int chunk = static_cast<int>(std::min<size_t>(Out_.size() - OutStart_, 1u << 20));
    const int sent = send(Socket_, Out_.data() + OutStart_, chunk, 0);
    if (sent == SOCKET_ERROR) {
      const int error = WSAGetLastError();
      // FD_WRITE comes when there is room again.
      if (error == WSAEWOULDBLOCK) return;
      NetTrace("socket %u: send fails with %d", static_cast<unsigned>(Socket_), error);
      Closed_ = true;
      CloseError_ = error;
      return;
    }
    OutStart_ += static_cast<size_t>(sent);
    LastProgress_ = in_now;
  }
  if (OutStart_ == Out_.size()) {
    Out_.clear();
    Out_.shrink_to_fit();
    OutStart_ = 0;
    if (Finishing_ && !Finished_ && Connected_) {
      Finished_ = true;
      shutdown(Socket_, SD_SEND);
    }
  } else if (OutStart_ > (1u << 20) && OutStart_ > Out_.size() / 2) {
    Out_.erase(0, OutStart_);
    OutStart_ = 0;
  }
}

void TNetLink::Break(const std::string& in_problem) {
  if (Problem_.empty()) Problem_ = in_problem;
  In_.clear();
}

void TNetLink::Read(uint32_t in_now) {
  char buffer[16384];
  int total = 0;
  while (!Broken() && total < kReadPerEvent) {
    const int got = recv(Socket_, buffer, static_cast<int>(sizeof buffer), 0);
    if (got == SOCKET_ERROR) {
      const int error = WSAGetLastError();
      if (error != WSAEWOULDBLOCK) {
        NetTrace("socket %u: recv fails with %d", static_cast<unsigned>(Socket_), error);
        Closed_ = true;
        CloseError_ = error;
      }
      return;
    }
    if (got == 0) {
      NetTrace("socket %u: the other copy closed the connection", static_cast<unsigned>(Socket_));
      Closed_ = true;
      return;
    }
    total += got;
    LastHeard_ = in_now;
    Decoder_.Feed(buffer, static_cast<size_t>(got));
    TMessage message;
    for (;;) {
      const TNetDecoder::TResult result = Decoder_.Next(message);
      if (result == TNetDecoder::TResult::NeedMore) break;
      if (result == TNetDecoder::TResult::Broken) {
        Break(Decoder_.Problem());
        return;
      }
      // Keep-alives have done their work by arriving.
      if (message.Kind == TKind::KeepAlive) continue;
      if (In_.size() >= kMaxUnread) {
        Break("more messages than are ever waiting");
        return;
      }
      In_.push_back(std::move(message));
    }
  }
}

void TNetLink::OnEvent(int in_event, int in_error, uint32_t in_now) {
  switch (in_event) {
    case FD_CONNECT:
      if (Connected_ || ConnectError_) return;
      if (in_error != 0) {
        ConnectError_ = in_error;
        return;
      }
      Connected_ = true;
      LastHeard_ = LastSent_ = LastProgress_ = in_now;
      Flush(in_now);
      return;
    case FD_WRITE:
      Flush(in_now);
      return;
    case FD_READ:
      Read(in_now);
      return;
    case FD_CLOSE:
      // Whatever came before the end is read first.
      if (in_error == 0) Read(in_now);
      Closed_ = true;
      if (in_error != 0) CloseError_ = in_error;
      return;
    default:
      return;
  }
}

bool TNetLink::Next(TMessage& out_message) {
  if (In_.empty()) return false;
  out_message = std::move(In_.front());
  In_.pop_front();
  return true;
}

}  // namespace NNet
