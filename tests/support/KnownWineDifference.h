#pragma once
// Checks that Windows passes and Wine is known to fail, marked the way Wine's
// own conformance tests mark them (todo_wine) instead of being deleted. On
// Windows and on our own layer they are ordinary checks. Under Wine they still
// run: their failures are printed as the known difference, and when none of
// them fails any more the test fails, because the difference is gone and its
// mark must go too.
//
//   TODO_WINE("Wine's GDI+ draws vertical text across") {
//     EXPECT_GT(down.Height(), down.Width() * 2);
//   }
//
// Checks that would bring a Wine process down are not run there at all:
//
//   SKIP_ON_WINE("Wine faults on a null message") {
//     EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
//   }

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

// Whether the tests run under Wine rather than Windows: Wine's ntdll exports
// wine_get_version, which no Windows has.
inline bool RunningUnderWine() {
#ifdef _WIN32
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
  return false;
#endif
}

// The scope of a TODO_WINE block; see the top of this file.
class TTodoWine {
 public:
  TTodoWine(const char* reason, const char* file, int line) : reason_(reason), file_(file), line_(line) {
    if (RunningUnderWine())
      reporter_ = std::make_unique<::testing::ScopedFakeTestPartResultReporter>(
          ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures_);
  }
  ~TTodoWine() {
    if (!reporter_) return;
    reporter_.reset();
    if (failures_.size() == 0) {
      ADD_FAILURE_AT(file_, line_) << "Wine no longer differs here, drop the mark: " << reason_;
    } else {
      std::printf("[ KNOWN WINE DIFFERENCE ] %s (%s:%d, %d check(s))\n", reason_, file_, line_,
                  failures_.size());
    }
  }
  TTodoWine(const TTodoWine&) = delete;
  TTodoWine& operator=(const TTodoWine&) = delete;

  // True once, so that the block after TODO_WINE runs exactly once.
  bool Once() { return !ran_ && (ran_ = true); }

 private:
  const char* reason_;
  const char* file_;
  int line_;
  ::testing::TestPartResultArray failures_;
  std::unique_ptr<::testing::ScopedFakeTestPartResultReporter> reporter_;
  bool ran_ = false;
};

// Answers whether to leave checks out because they run under Wine, saying so.
inline bool SkippedOnWine(const char* reason, const char* file, int line) {
  if (!RunningUnderWine()) return false;
  std::printf("[ KNOWN WINE DIFFERENCE ] not run: %s (%s:%d)\n", reason, file, line);
  return true;
}

#define TODO_WINE(reason) for (TTodoWine todo_wine_(reason, __FILE__, __LINE__); todo_wine_.Once();)
#define SKIP_ON_WINE(reason) if (SkippedOnWine(reason, __FILE__, __LINE__)) {} else
