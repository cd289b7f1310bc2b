// The host in the test's process and the guest in a child process, over
// 127.0.0.1 and ::1: a whole game ends with the same position on both; a
// guest killed in the middle of a game leaves the host with the fault, at once.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "NetTestSupport.h"

using TState = NNet::TNetSession::TState;

namespace {

// Waits up to in_ms for the child to end; its exit status, or -1 if it did not.
int AwaitChild(pid_t in_child, DWORD in_ms) {
  const DWORD start = timeGetTime();
  for (;;) {
    int status = 0;
    if (waitpid(in_child, &status, WNOHANG) == in_child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    if (timeGetTime() - start >= in_ms) return -1;
    Sleep(10);
  }
}

}  // namespace

class NetTwoProcesses : public NetSessionTest, public ::testing::WithParamInterface<const char*> {
 protected:
  // Forks the guest: it joins at in_address, plays the script on its side
  // until the game is over (or only in_orders orders of it when that is
  // smaller), writes its world's digest and order count to the pipe, and
  // exits 0 if its session finished agreeing, 1 otherwise, 2 if it ran out of time.
  pid_t StartGuest(const char* in_address, const std::vector<NNet::TNetOrder>& in_script, int out_pipe[2]) {
    if (pipe(out_pipe) != 0) return -1;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child != 0) {
      close(out_pipe[1]);
      return child;
    }
    close(out_pipe[0]);
    alarm(60);
    // The host's listening sockets are the parent's business.
    host_.reset();
    guest_->Join(in_address, port_, kCode, Now());
    const bool loaded = Until([&] { return guest_->State() == TState::Loading; });
    if (loaded) guest_->Loaded(0, 0xFEEDFACE, Now());
    const bool over = loaded && Until(
                                    [&] {
                                      Drive(*guest_, guestWorld_, in_script);
                                      return guest_->State() == TState::Finished ||
                                             guest_->State() == TState::Failed;
                                    },
                                    30000);
    const uint64_t report[2] = {guestWorld_.Digest, guestWorld_.Orders.size()};
    if (write(out_pipe[1], report, sizeof report) != static_cast<ssize_t>(sizeof report)) _exit(3);
    _exit(!over ? 2 : guest_->State() == TState::Finished ? 0 : 1);
  }

  uint16_t port_ = 0;
};

TEST_P(NetTwoProcesses, AWholeGameEndsInTheSamePositionOnBoth) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  port_ = host_->Port();
  const std::vector<NNet::TNetOrder> script = Script(80);
  int channel[2];
  const pid_t child = StartGuest(GetParam(), script, channel);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(Until(
      [&] {
        Drive(*host_, hostWorld_, script);
        return host_->State() == TState::Finished || host_->State() == TState::Failed;
      },
      30000));
  EXPECT_EQ(host_->State(), TState::Finished) << host_->Problem();
  EXPECT_EQ(AwaitChild(child, 10000), 0);
  uint64_t report[2] = {0, 0};
  EXPECT_EQ(read(channel[0], report, sizeof report), static_cast<ssize_t>(sizeof report));
  close(channel[0]);
  EXPECT_EQ(report[0], hostWorld_.Digest);
  EXPECT_EQ(report[1], script.size());
  EXPECT_EQ(hostWorld_.Orders, script);
}

TEST_P(NetTwoProcesses, AGuestKilledInTheMiddleOfTheGameIsGone) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  port_ = host_->Port();
  // The guest plays on for ever, as far as its script goes.
  const std::vector<NNet::TNetOrder> script = Script(100000);
  int channel[2];
  const pid_t child = StartGuest(GetParam(), script, channel);
  ASSERT_GT(child, 0);
  ASSERT_TRUE(Until([&] {
    Drive(*host_, hostWorld_, script);
    return hostWorld_.Orders.size() >= 20 || host_->State() == TState::Failed;
  }));
  ASSERT_EQ(host_->State(), TState::Playing) << host_->Problem();
  kill(child, SIGKILL);
  EXPECT_EQ(AwaitChild(child, 10000), 128);
  close(channel[0]);
  // The system closes a killed program's connections: no time-out is waited for.
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Failed; }, 5000));
  EXPECT_EQ(host_->Fault(), NNet::TFault::Disconnected) << host_->Problem();
}

INSTANTIATE_TEST_SUITE_P(Loopback, NetTwoProcesses, ::testing::Values("127.0.0.1", "::1"),
                         [](const ::testing::TestParamInfo<const char*>& in_info) {
                           return std::strchr(in_info.param, ':') ? std::string("IPv6") : std::string("IPv4");
                         });
