#include "shell/KrambolMain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/PlatformTest.h"
#include "shell/ErrorLog.h"
#include "shell/TTimer.h"
#include "headless/GameHarness.h"

// Each test runs the whole program in a child process, headless, with a test
// clock; the message boxes the program shows are written to standard error.
namespace {

// Closes the window after a few idle turns of the message loop (a few frames).
void CloseWhenIdle(void*) {
  static int idle = 0;
  if (++idle == 5 && Application) PostMessageA(Application->Handle, WM_CLOSE, 0, 0);
}

// The headless message box writes its texts to standard error in UTF-8.
std::string Utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

// Throws from inside the message loop after a few idle turns, as an allocation
// or a library deep in a frame would, without logging anything first.
void ThrowWhenIdle(void* kind) {
  static int idle = 0;
  if (++idle < 3) return;
  if (kind) throw std::runtime_error("library failure");
  throw 0;
}

class KrambolMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() / ("krambol-main-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir_);
    std::filesystem::create_directory_symlink(GeneratedResDir(), dir_ / "res");
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }

  // What the child does before the program starts.
  static void PrepareChild() {
    PlatformTest::Reset();
    PlatformTest::SetHeadless(true);
    PlatformTest::UseTestClock(1000);
    PlatformTest::SetIdleHook(CloseWhenIdle, nullptr);
    ClearErrorLogForTests();
    RegisterWindowClass();
  }

  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

}  // namespace

TEST_F(KrambolMainTest, ARunThatLogsNothingEndsSilentlyAndWritesTheSettings) {
  EXPECT_EXIT(
      {
        PrepareChild();
        std::exit(KrambolMain());
      },
      ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("Fatal Error")));
  std::ifstream file("option.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "66\r\n0\r\n");
}

TEST_F(KrambolMainTest, ARunThatLoggedAnythingEndsWithTheReportAndStatusZero) {
  EXPECT_EXIT(
      {
        PrepareChild();
        LogError("first");
        LogError("second");
        std::exit(KrambolMain() + 10);  // the report path never returns
      },
      ::testing::ExitedWithCode(0), ::testing::HasSubstr("Fatal Error"));
  EXPECT_EXIT(
      {
        PrepareChild();
        LogError("first");
        LogError("second");
        KrambolMain();
      },
      // The box shows the newest line first, each report line on a line of its own.
      ::testing::ExitedWithCode(0), ::testing::HasSubstr("Fatal Error: second\nfirst\n"));
}

TEST_F(KrambolMainTest, ATimerThatCannotStartEndsTheRunBeforeTheMessageLoop) {
  EXPECT_EXIT(
      {
        PrepareChild();
        PlatformTest::FailNextSetTimer(1);
        KrambolMain();
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), ::testing::HasSubstr("SetTimer() - FAILED"));
}

TEST_F(KrambolMainTest, AnExceptionThatLoggedNothingStillEndsWithTheReport) {
  // Each way of ending the run says why in one line, in CP1251 like the others.
  for (void* kind : {static_cast<void*>(this), static_cast<void*>(nullptr)}) {
    EXPECT_EXIT(
        {
          PrepareChild();
          PlatformTest::SetIdleHook(ThrowWhenIdle, kind);
          KrambolMain();
          std::exit(3);
        },
        ::testing::ExitedWithCode(0), ::testing::HasSubstr(Utf8(u8"Fatal Error: Игра остановлена непредвиденной ошибкой")));
  }
  // A run that logged why it stopped gets no second line.
  EXPECT_EXIT(
      {
        PrepareChild();
        PlatformTest::FailNextSetTimer(1);
        KrambolMain();
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr(Utf8(u8"Игра остановлена"))));
}
