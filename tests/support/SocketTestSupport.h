#pragma once
// Shared by the sockets' and the network game's tests: Windows Sockets
// started, one window that records every socket message it gets (and hands it
// to OnSocketMessage), and a message loop that runs until a
// condition holds or a time runs out. Every address is on this machine
// (127.0.0.1 and ::1). Elsewhere than on Windows the tests start from a fresh
// platform, headless, on the system clock: the network takes real time.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Win32.h"
#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

struct SocketEvent {
  SOCKET socket;
  int event;
  int error;
};

class SocketTest : public ::testing::Test {
 protected:
  static constexpr const char* kClassName = "PlatformSocketTestClass";
  static constexpr UINT kSocketMessage = WM_USER + 21;
  // The window takes kSocketMessages messages from kSocketMessage on.
  static constexpr UINT kSocketMessages = 16;
  static constexpr UINT_PTR kTickTimer = 7;

  void SetUp() override {
#ifndef _WIN32
    PlatformTest::Reset();
    PlatformTest::SetHeadless(true);
#endif
    current_ = this;
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SocketTest::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, kClassName, "Sockets", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }

  void TearDown() override {
    for (SOCKET s : sockets_) closesocket(s);
    if (window_) DestroyWindow(window_);
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    WSACleanup();
    current_ = nullptr;
#ifndef _WIN32
    PlatformTest::Reset();
#endif
  }

  // A TCP socket of the family, closed by the fixture.
  SOCKET Open(int family) {
    const SOCKET s = socket(family, SOCK_STREAM, IPPROTO_TCP);
    if (s != INVALID_SOCKET) sockets_.push_back(s);
    return s;
  }

  // Waits for the listener's FD_ACCEPT and takes the connection; the new
  // socket is closed by the fixture. INVALID_SOCKET when none came.
  SOCKET Accept(SOCKET listener) {
    if (!PumpUntil([&] { return Saw(listener, FD_ACCEPT); })) return INVALID_SOCKET;
    const SOCKET s = accept(listener, nullptr, nullptr);
    if (s != INVALID_SOCKET) sockets_.push_back(s);
    return s;
  }

  void Forget(SOCKET s) {
    for (auto it = sockets_.begin(); it != sockets_.end(); ++it) {
      if (*it == s) {
        sockets_.erase(it);
        return;
      }
    }
  }

  // The loopback address of the family with the port (host order).
  static sockaddr_storage Loopback(int family, USHORT port) {
    sockaddr_storage address{};
    if (family == AF_INET) {
      auto& four = reinterpret_cast<sockaddr_in&>(address);
      four.sin_family = AF_INET;
      four.sin_port = htons(port);
      four.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    } else {
      auto& six = reinterpret_cast<sockaddr_in6&>(address);
      six.sin6_family = AF_INET6;
      six.sin6_port = htons(port);
      six.sin6_addr.s6_addr[15] = 1;
    }
    return address;
  }

  static int LengthOf(int family) {
    return family == AF_INET ? static_cast<int>(sizeof(sockaddr_in)) : static_cast<int>(sizeof(sockaddr_in6));
  }

  // The port (host order) a socket is bound to; 0 when it has none.
  static USHORT PortOf(SOCKET s) {
    sockaddr_storage address{};
    int length = sizeof address;
    if (getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(address).sin_port
                                              : reinterpret_cast<sockaddr_in6&>(address).sin6_port);
  }

  // A socket of the family listening on a free loopback port, reporting
  // events to the window.
  SOCKET Listen(int family, long events = FD_ACCEPT | FD_READ | FD_WRITE | FD_CLOSE) {
    const SOCKET s = Open(family);
    if (s == INVALID_SOCKET) return s;
    const sockaddr_storage address = Loopback(family, 0);
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), LengthOf(family)) != 0) return INVALID_SOCKET;
    if (listen(s, SOMAXCONN) != 0) return INVALID_SOCKET;
    if (WSAAsyncSelect(s, window_, kSocketMessage, events) != 0) return INVALID_SOCKET;
    return s;
  }

  // Starts a connection to the port; the socket reports to the window.
  SOCKET ConnectTo(int family, USHORT port, long events = FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) {
    const SOCKET s = Open(family);
    if (s == INVALID_SOCKET) return s;
    if (WSAAsyncSelect(s, window_, kSocketMessage, events) != 0) return INVALID_SOCKET;
    const sockaddr_storage address = Loopback(family, port);
    const int result = connect(s, reinterpret_cast<const sockaddr*>(&address), LengthOf(family));
    // Either at once or later, with FD_CONNECT; a non-blocking connect says it would block.
    if (result != 0 && WSAGetLastError() != WSAEWOULDBLOCK) return INVALID_SOCKET;
    return s;
  }

  // Runs the message loop until done() holds or milliseconds of real time
  // pass; answers done(). A timer keeps GetMessageA from waiting for ever.
  bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
    SetTimer(window_, kTickTimer, 20, nullptr);
    const DWORD start = timeGetTime();
    bool result = done();
    MSG msg;
    while (!result && timeGetTime() - start < milliseconds) {
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
      DispatchMessageA(&msg);
      result = done();
    }
    KillTimer(window_, kTickTimer);
    return result;
  }

  // Lets the network run for the time given, taking every message.
  void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
  }

  // The events recorded for the socket, in order.
  std::vector<int> EventsOf(SOCKET s) const {
    std::vector<int> events;
    for (const SocketEvent& e : events_)
      if (e.socket == s) events.push_back(e.event);
    return events;
  }

  bool Saw(SOCKET s, int event) const { return Count(s, event) > 0; }

  int Count(SOCKET s, int event) const {
    int count = 0;
    for (const SocketEvent& e : events_)
      if (e.socket == s && e.event == event) ++count;
    return count;
  }

  // The error that came with the first such event of the socket; -1 if none came.
  int ErrorOf(SOCKET s, int event) const {
    for (const SocketEvent& e : events_)
      if (e.socket == s && e.event == event) return e.error;
    return -1;
  }

  // Receives until count bytes came or the time ran out.
  std::string ReceiveAll(SOCKET s, size_t count, DWORD milliseconds = 10000) {
    std::string got;
    PumpUntil(
        [&] {
          char buffer[4096];
          for (;;) {
            const int n = recv(s, buffer, static_cast<int>(sizeof buffer), 0);
            if (n <= 0) break;
            got.append(buffer, static_cast<size_t>(n));
          }
          return got.size() >= count;
        },
        milliseconds);
    return got;
  }

  // Called with every socket message the window gets, after it is recorded.
  virtual void OnSocketMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}

  HWND window_ = nullptr;
  std::vector<SocketEvent> events_;
  std::vector<SOCKET> sockets_;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= kSocketMessage && message < kSocketMessage + kSocketMessages && current_) {
      current_->events_.push_back(SocketEvent{static_cast<SOCKET>(wParam), WSAGETSELECTEVENT(lParam),
                                              WSAGETSELECTERROR(lParam)});
      current_->OnSocketMessage(message, wParam, lParam);
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  static inline SocketTest* current_ = nullptr;
};
