#pragma once
// Internal to the platform layer: the thread's queue of posted messages, input
// messages and the quit request.

#include <cstddef>
#include <deque>
#include <functional>

#include "platform/WinApi.h"

// Which messages GetMessageA / PeekMessageA may return: a window (null: any;
// (HWND)-1: only messages for no window) and a range of ids (0, 0: all).
// WM_QUIT passes every filter.
struct MessageFilter {
  HWND hwnd = nullptr;
  UINT first = 0;
  UINT last = 0;
  bool AcceptsWindow(HWND target) const;
  bool AcceptsMessage(UINT message) const;
  bool Accepts(const MSG& msg) const { return AcceptsWindow(msg.hwnd) && AcceptsMessage(msg.message); }
};

class MessageQueue {
 public:
  // Each queue holds at most this many messages; posting to a full one fails,
  // as a Windows queue does.
  static constexpr size_t kLimit = 10000;

  bool Post(const MSG& msg);
  // Input from devices. A mouse move replaces a mouse move for the same window
  // still waiting at the end of the queue, so slow readers see the latest position.
  bool PostInput(const MSG& msg);
  void PostQuit(int exitCode);

  // The first message passing the filter, in Windows' order: posted messages,
  // then the quit request, then input. WM_QUIT comes with hwnd null and the
  // exit code in wParam; time and pt are left for the caller. Input passes
  // through resolve first, which may rewrite it or drop it (false).
  bool Take(MSG* out, const MessageFilter& filter, bool remove, const std::function<bool(MSG&)>& resolve);

  void RemoveWindow(HWND hwnd);
  void Clear();

 private:
  std::deque<MSG> posted_;
  std::deque<MSG> input_;
  bool quit_ = false;
  int quitCode_ = 0;
};
