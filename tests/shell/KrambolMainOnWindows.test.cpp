// Whole runs of a game built on the shell (faulty_game.exe, beside this test),
// watched from outside as a player meets them: an exception thrown in a
// handler, wherever the system called it from, ends the run with the wide
// "Fatal Error" box saying why, never with a hang; closing the box ends the
// process with status 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

struct TRun {
  bool started = false;
  bool boxShown = false;
  std::wstring boxText;
  bool ended = false;
  DWORD exitCode = 0;
};

struct TBoxSearch {
  DWORD process;
  HWND box;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<TBoxSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  if (process == search->process && IsWindowVisible(hwnd) && std::wstring(title) == L"Fatal Error") {
    search->box = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The longest text among the box's static controls: the message itself.
BOOL CALLBACK LongestStatic(HWND child, LPARAM context) {
  auto* text = reinterpret_cast<std::wstring*>(context);
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (_wcsicmp(className, L"Static") != 0) return TRUE;
  std::wstring found(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
  found.resize(static_cast<size_t>(GetWindowTextW(child, found.data(), static_cast<int>(found.size()))));
  if (found.size() > text->size()) *text = found;
  return TRUE;
}

fs::path ProgramBesideThisTest() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(self).parent_path() / L"faulty_game.exe";
}

// Runs faulty_game.exe with the fault named, in a scratch working folder; reads
// and closes (OK) the "Fatal Error" box if one comes. Gives the run a minute
// to show the box or end, and the process half a minute to end after it.
TRun RunFaultyGame(const std::wstring& fault) {
  TRun run;
  const fs::path folder = fs::temp_directory_path() / (L"krambol-fault-" + fault + L"-" +
                                                       std::to_wstring(GetCurrentProcessId()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::wstring commandLine = L"faulty_game.exe " + fault;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  run.started = CreateProcessW(ProgramBesideThisTest().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, folder.c_str(), &startup, &process) != 0;
  if (!run.started) return run;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    TBoxSearch search{process.dwProcessId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box) {
      run.boxShown = true;
      EnumChildWindows(search.box, LongestStatic, reinterpret_cast<LPARAM>(&run.boxText));
      PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      break;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  run.ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (run.ended) {
    GetExitCodeProcess(process.hProcess, &run.exitCode);
  } else {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return run;
}

const std::wstring kUnexpectedStop = L"Игра остановлена непредвиденной ошибкой\n\r";

}  // namespace

TEST(KrambolMainOnWindows, AHandlerExceptionEndsTheRunWithTheReportWhereverTheSystemCalledIt) {
  struct TCase {
    const wchar_t* fault;
    std::wstring report;
  };
  const TCase cases[] = {
      {L"create", kUnexpectedStop + L"rethrown after CreateWindowExA\n\r"},
      {L"dispatch", kUnexpectedStop},
      {L"send", kUnexpectedStop + L"rethrown after SendMessageA\n\r"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "fault: " << fs::path(c.fault).string());
    const TRun run = RunFaultyGame(c.fault);
    ASSERT_TRUE(run.started) << "faulty_game.exe did not start";
    EXPECT_TRUE(run.boxShown) << "no \"Fatal Error\" box within a minute";
    EXPECT_EQ(run.boxText, c.report);
    EXPECT_TRUE(run.ended) << "the process hung";
    EXPECT_EQ(run.exitCode, 0u);
  }
}

TEST(KrambolMainOnWindows, ARunThatLoggedNothingEndsWithoutABox) {
  const TRun run = RunFaultyGame(L"quiet");
  ASSERT_TRUE(run.started) << "faulty_game.exe did not start";
  EXPECT_FALSE(run.boxShown);
  EXPECT_TRUE(run.ended) << "the process hung";
  EXPECT_EQ(run.exitCode, 0u);
}
