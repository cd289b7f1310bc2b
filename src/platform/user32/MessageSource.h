#pragma once
// Internal to the platform layer: how a library above the window system (the
// sockets' library) has GetMessageA wait on what it watches, beside the
// display and the timers, without the window system depending on it. The
// source posts its own messages (PostMessageA) when what it watches is ready.
//
// How GetMessageA waits while the source watches something:
//  - with a display, in slices of at most kSourceSlice milliseconds on the
//    source, each followed by a look at the display;
//  - headless on the system clock, on the source until the next timer is due
//    (for ever without a timer);
//  - headless on the test clock, on the source for at most kTestClockWait
//    milliseconds of real time before the clock jumps to the next timer, so
//    that bytes on their way over loopback arrive first while a test of a
//    silent peer still goes through long time-outs in little real time.
//    Without a timer it waits kTestClockIdleWait at most (kTestClockWait
//    when an idle hook is set, which then gets its turn), then finds that
//    nothing can arrive, as it does without a source.

class MessageSource {
 public:
  static constexpr int kSourceSlice = 10;
  static constexpr int kTestClockWait = 5;
  static constexpr int kTestClockIdleWait = 5000;

  virtual ~MessageSource() = default;

  // Whether anything is watched now; GetMessageA ignores the source otherwise.
  virtual bool Watching() = 0;
  // Posts the messages for whatever is ready; when nothing is, waits up to
  // timeoutMs of real time (-1: for ever) for something to be. Answers whether
  // it posted anything.
  virtual bool Deliver(int timeoutMs) = 0;
};

namespace MessageSources {

// The one source GetMessageA and PeekMessageA look at; null for none.
void Set(MessageSource* source);
MessageSource* Get();

}  // namespace MessageSources
