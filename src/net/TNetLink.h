#pragma once
// One connection to the other copy of the program, over a socket that
// reports its events to a window (WSAAsyncSelect): what is sent waits in a
// queue until the socket takes it, what comes is read into messages, and the
// times of the last byte heard and sent are kept for keep-alives and
// time-outs. Nothing here waits: every call does what can be done now.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "net/NetProtocol.h"
#include "net/TNetDecoder.h"
#include "platform/Win32.h"

namespace NNet {

class TNetLink {
 public:
  // The most messages kept unread; a peer that sends more is broken.
  static constexpr size_t kMaxUnread = 256;
  // The most bytes read for one FD_READ, so that a fast peer cannot hold the
  // window up; the rest is reported again.
  static constexpr int kReadPerEvent = 256 * 1024;

  // Takes the socket over (it closes it); it reports in_message to in_window.
  // in_connecting: a connect was started and FD_CONNECT is still to come.
  // in_takesMap: the peer may send a start (only a host does).
  TNetLink(SOCKET in_socket, HWND in_window, UINT in_message, bool in_connecting, bool in_takesMap, uint32_t in_now);
  ~TNetLink();
  TNetLink(const TNetLink&) = delete;
  TNetLink& operator=(const TNetLink&) = delete;

  SOCKET Socket() const { return Socket_; }
  // The window message its events come with.
  UINT Message() const { return Message_; }
  // Whether the connection is made (the connect has succeeded, or it was accepted).
  bool Connected() const { return Connected_; }
  // The connect failed (with ConnectError), or the connection is over: the
  // peer closed it, it broke (CloseError), or it sent garbage (Broken).
  bool ConnectFailed() const { return ConnectError_ != 0; }
  int ConnectError() const { return ConnectError_; }
  bool Closed() const { return Closed_; }
  int CloseError() const { return CloseError_; }
  bool Broken() const { return !Problem_.empty(); }
  const std::string& Problem() const { return Problem_; }

  // Queues the message and sends what the socket takes. Ignored once closed.
  void Send(const TMessage& in_message, uint32_t in_now);
  // Bytes queued and not yet taken by the socket.
  size_t Queued() const { return Out_.size() - OutStart_; }
  // Ends the sending side once the queue is out (the peer reads the end of the stream).
  void Finish();

  // One event of the socket (WSAGETSELECTEVENT, WSAGETSELECTERROR).
  void OnEvent(int in_event, int in_error, uint32_t in_now);
  // The next message read, in order.
  bool Next(TMessage& out_message);

  uint32_t LastHeard() const { return LastHeard_; }
  uint32_t LastSent() const { return LastSent_; }
  // When the queue last moved, or since when it has waited for the socket.
  uint32_t LastProgress() const { return LastProgress_; }

 private:
  void Flush(uint32_t in_now);
  void Read(uint32_t in_now);
  void Break(const std::string& in_problem);

  SOCKET Socket_;
  UINT Message_;
  bool Connected_;
  int ConnectError_ = 0;
  bool Closed_ = false;
  int CloseError_ = 0;
  bool Finishing_ = false;
  bool Finished_ = false;
  std::string Problem_;

  std::string Out_;
  size_t OutStart_ = 0;
  TNetDecoder Decoder_;
  std::deque<TMessage> In_;

  uint32_t LastHeard_;
  uint32_t LastSent_;
  uint32_t LastProgress_;
};

}  // namespace NNet
