#pragma once
// Checks made in a child process: for what a test cannot undo in its own
// process (giving up root, a limit on the size of files, a mount of its own),
// and for runs that may end with a signal. The child is a fork of the test, so
// it sees the test's state; its checks' failures come back as text.

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

// Who the child runs as.
enum class TChildUser {
  Same,    // the test's own user
  Player,  // an unprivileged user: root gives way to "nobody"; anyone else stays
};

// The user id of "nobody", whom root becomes for TChildUser::Player.
constexpr uid_t kNobodyUser = 65534;

// A child process running checks, started by StartChildChecks; its failures
// are collected by ChildFailures.
struct TChildChecks {
  pid_t Pid = -1;
  int Channel = -1;  // the read end of the pipe the child reports through
};

// Starts in_body in a child process, which becomes in_user first and has
// in_seconds to end. The test goes on at once; several children may run
// side by side.
inline TChildChecks StartChildChecks(const std::function<void()>& in_body, TChildUser in_user = TChildUser::Same,
                                     unsigned in_seconds = 120) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return {};
  }
  if (child == 0) {
    close(channel[0]);
    alarm(in_seconds);
    auto say = [&](const std::string& text) {
      for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(channel[1], text.data() + done, text.size() - done);
        if (wrote <= 0) break;
        done += static_cast<size_t>(wrote);
      }
    };
    if (in_user == TChildUser::Player && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobodyUser) != 0 || setuid(kNobodyUser) != 0)) {
      say("the child could not become the user nobody\n");
      _exit(1);
    }
    ::testing::TestPartResultArray results;
    {
      ::testing::ScopedFakeTestPartResultReporter reporter(
          ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
      in_body();
    }
    for (int i = 0; i < results.size(); ++i) {
      const ::testing::TestPartResult& result = results.GetTestPartResult(i);
      if (!result.failed()) continue;
      say(std::string(result.file_name() ? result.file_name() : "?") + ":" +
          std::to_string(result.line_number()) + ": " + result.message() + "\n");
    }
    _exit(0);
  }
  close(channel[1]);
  return TChildChecks{child, channel[0]};
}

// Waits for the child to end and answers what went wrong there, one line
// each: every failed check (file:line: message), a child that could not
// become the user asked for, and a child that ended otherwise than by
// returning from the body (a signal, or its time passing). Empty when every
// check passed.
inline std::string ChildFailures(const TChildChecks& in_child) {
  if (in_child.Pid < 0) return "no child process\n";
  std::string text;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(in_child.Channel, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) text.append(buffer, static_cast<size_t>(got));
  }
  close(in_child.Channel);
  int status = 0;
  while (waitpid(in_child.Pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    text += "the child ended with signal " + std::to_string(WTERMSIG(status)) +
            (WTERMSIG(status) == SIGALRM ? " (it ran out of time)" : "") + "\n";
  } else if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && text.empty())) {
    text += "the child ended with status " + std::to_string(WEXITSTATUS(status)) + "\n";
  }
  return text;
}

// Runs in_body in a child process and answers what went wrong there (see ChildFailures).
inline std::string FailuresInChild(const std::function<void()>& in_body,
                                   TChildUser in_user = TChildUser::Same, unsigned in_seconds = 120) {
  return ChildFailures(StartChildChecks(in_body, in_user, in_seconds));
}

// Whether a child process may mount a file system of its own (a mount
// namespace, which takes root or its capability).
inline bool ChildCanMountTmpfs() {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    char folder[] = "/tmp/krambol-mount-XXXXXX";
    const bool made = mkdtemp(folder) != nullptr;
    const bool mounted = made && unshare(CLONE_NEWNS) == 0 &&
                         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                         mount("tmpfs", folder, "tmpfs", 0, "size=64k") == 0;
    if (mounted) umount(folder);
    if (made) rmdir(folder);
    _exit(mounted ? 0 : 1);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
