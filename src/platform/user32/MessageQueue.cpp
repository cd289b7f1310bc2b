// The posted-message, input and quit queue of the one GUI thread.
#include "platform/user32/MessageQueue.h"

#include <algorithm>

bool MessageFilter::AcceptsWindow(HWND target) const {
  if (!hwnd) return true;
  if (hwnd == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return target == nullptr;
  return target == hwnd;
}

bool MessageFilter::AcceptsMessage(UINT message) const {
  if (message == WM_QUIT) return true;
  if (first == 0 && last == 0) return true;
  return message >= first && message <= last;
}

bool MessageQueue::Post(const MSG& msg) {
  if (posted_.size() >= kLimit) return false;
  posted_.push_back(msg);
  return true;
}

bool MessageQueue::PostInput(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE && !input_.empty() && input_.back().message == WM_MOUSEMOVE &&
      input_.back().hwnd == msg.hwnd) {
    input_.back() = msg;
    return true;
  }
  if (input_.size() >= kLimit) return false;
  input_.push_back(msg);
  return true;
}

void MessageQueue::PostQuit(int exitCode) {
  quit_ = true;
  quitCode_ = exitCode;
}

bool MessageQueue::Take(MSG* out, const MessageFilter& filter, bool remove,
                        const std::function<bool(MSG&)>& resolve) {
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (filter.Accepts(*it)) {
      *out = *it;
      if (remove) posted_.erase(it);
      return true;
    }
  }
  if (quit_) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(static_cast<intptr_t>(quitCode_)), 0, 0, POINT{0, 0}};
    if (remove) quit_ = false;
    return true;
  }
  for (auto it = input_.begin(); it != input_.end();) {
    MSG msg = *it;
    if (!resolve(msg)) {
      it = input_.erase(it);
      continue;
    }
    if (filter.Accepts(msg)) {
      *out = msg;
      if (remove) input_.erase(it);
      return true;
    }
    ++it;
  }
  return false;
}

void MessageQueue::RemoveWindow(HWND hwnd) {
  auto forWindow = [hwnd](const MSG& msg) { return msg.hwnd == hwnd; };
  posted_.erase(std::remove_if(posted_.begin(), posted_.end(), forWindow), posted_.end());
  input_.erase(std::remove_if(input_.begin(), input_.end(), forWindow), input_.end());
}

void MessageQueue::Clear() {
  posted_.clear();
  input_.clear();
  quit_ = false;
  quitCode_ = 0;
}
