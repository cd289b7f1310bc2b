// Saves that survive what can go wrong while they are written: a file the
// player may not replace, a limit on the size of files, a full disk, and the
// process killed at any moment.
#include "world/WholeFile.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"
#include "world/TMapReader.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

const std::string kPrevious = "the previous save, kept whole";
const std::string kNew = std::string(5000, 'n') + " a new save";

class WholeFileTest : public TWorldTest {
 protected:
  fs::path In(const std::string& name) const { return Harness.WorkDir() / name; }
  bool Leftover(const std::string& name) const { return fs::exists(fs::symlink_status(In(name + ".tmp"))); }
};

// The bytes of the game saved at this turn, given those of the game saved at
// another: only the first line, the turn counter, differs.
std::string AtTurn(const std::string& in_save, int in_turn) {
  return std::to_string(in_turn) + in_save.substr(in_save.find("\r\n"));
}

// The turn a save's first line holds; -1 when it holds none.
int TurnOf(const std::string& in_save) {
  const size_t end = in_save.find("\r\n");
  if (end == 0 || end == std::string::npos || end > 9) return -1;
  for (size_t i = 0; i < end; ++i)
    if (in_save[i] < '0' || in_save[i] > '9') return -1;
  return std::stoi(in_save.substr(0, end));
}

}  // namespace

TEST_F(WholeFileTest, AFileThatMayNotBeReplacedOrWrittenWholeKeepsThePreviousBytes) {
  // A read-only file stays, for root too, as Windows keeps a read-only file.
  PutFile(In("kept.map"), kPrevious);
  fs::permissions(In("kept.map"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(WriteWholeFile(In("kept.map"), kNew));
  EXPECT_EQ(FileBytes(In("kept.map")), kPrevious);
  EXPECT_FALSE(Leftover("kept.map"));
  fs::permissions(In("kept.map"), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_TRUE(WriteWholeFile(In("kept.map"), kNew)) << "writable again, it is replaced";
  EXPECT_EQ(FileBytes(In("kept.map")), kNew);

  // More bytes than the process may write: refused before the system would
  // end the process for it.
  PutFile(In("limited.map"), kPrevious);
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit limited = before;
  limited.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool tooLarge = WriteWholeFile(In("limited.map"), kNew);
  const bool small = WriteWholeFile(In("small.map"), kPrevious);
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_FALSE(tooLarge);
  EXPECT_TRUE(small) << "bytes within the limit are written";
  EXPECT_EQ(FileBytes(In("limited.map")), kPrevious);
  EXPECT_FALSE(Leftover("limited.map"));

  // What an earlier save cut short left behind is replaced, and a link in its
  // place is not written through.
  PutFile(In("stale.map.tmp"), "half a save");
  PutFile(In("elsewhere"), "not a save");
  fs::create_symlink(In("elsewhere"), In("linked.map.tmp"));
  EXPECT_TRUE(WriteWholeFile(In("stale.map"), kNew));
  EXPECT_TRUE(WriteWholeFile(In("linked.map"), kNew));
  EXPECT_EQ(FileBytes(In("stale.map")), kNew);
  EXPECT_EQ(FileBytes(In("linked.map")), kNew);
  EXPECT_EQ(FileBytes(In("elsewhere")), "not a save");
  EXPECT_FALSE(Leftover("stale.map"));
  EXPECT_FALSE(Leftover("linked.map"));
}

TEST_F(WholeFileTest, AFullDiskKeepsThePreviousBytes) {
  if (!ChildCanMountTmpfs()) GTEST_SKIP() << "this process may not mount a small tmpfs of its own";
  const fs::path disk = In("small disk");
  fs::create_directories(disk);
  const std::string failures = FailuresInChild([&] {
    ASSERT_EQ(unshare(CLONE_NEWNS), 0);
    ASSERT_EQ(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0);
    ASSERT_EQ(mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k"), 0);
    ASSERT_TRUE(WriteWholeFile(disk / "Save01.map", kPrevious));
    // Everything else the disk holds goes to one more file.
    {
      std::FILE* filler = std::fopen((disk / "filler").c_str(), "wb");
      ASSERT_NE(filler, nullptr);
      const std::string block(512, 'f');
      while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
      }
      std::fclose(filler);
    }
    EXPECT_FALSE(WriteWholeFile(disk / "Save01.map", kNew));
    EXPECT_EQ(FileBytes(disk / "Save01.map"), kPrevious);
    EXPECT_FALSE(fs::exists(disk / "Save01.map.tmp"));
    fs::remove(disk / "filler");
    EXPECT_TRUE(WriteWholeFile(disk / "Save01.map", kNew)) << "with room again, the save is written";
    EXPECT_EQ(FileBytes(disk / "Save01.map"), kNew);
  });
  EXPECT_EQ(failures, "");
}

// A process that saves the game again and again, one turn further each time,
// is killed with SIGKILL at a random moment, 300 times. After every kill the
// file is one whole save, that of the turn the process last saved or an
// earlier one (a save it was still writing is not seen), and its turn never
// goes back. Whole saves read without a problem and write back to their own
// bytes, so a file equal to one is whole. A killed process leaves its data in
// the system's cache whatever the disk, so the saves go to memory (/dev/shm)
// where there is one: a save takes a fraction of a millisecond there, and the
// kills land inside saves at every stage.
TEST_F(WholeFileTest, ASaveKilledAtAnyMomentLeavesThePreviousOrTheNewGameWhole) {
  fs::path folder = Harness.WorkDir();
  std::error_code error;
  const fs::path memory = fs::path("/dev/shm") / ("krambol-kill-" + std::to_string(getpid()));
  if (fs::create_directory(memory, error)) folder = memory;
  struct TRemove {
    fs::path path;
    ~TRemove() {
      std::error_code ignored;
      if (path.string().rfind("/dev/shm/", 0) == 0) fs::remove_all(path, ignored);
    }
  } removeAfter{folder};
  const fs::path target = folder / "Save01.map";
  const std::wstring name = target.wstring();
  auto leftover = [&] { return fs::exists(fs::symlink_status(folder / "Save01.map.tmp")); };

  // A 40 x 30 map with stacks of both sides, saved at turn 0.
  ReadMapFromBytes(GridMapText(0, 40, 30,
                               {{1, 1, "<[0 0]NU0[8 10 1 4 2.5]>"},
                                {38, 28, "<[0 0]NU1[8 10 1 4 2.5]>"},
                                {20, 15, "<[3 1]P(2 5)U0[2 10 3 4 2.5]>"}}));
  ASSERT_TRUE(WriteMapFile(name));
  const std::string first = FileBytes(target);
  TMapReadProblem problem;
  ReadMapFromBytes(AtTurn(first, 12345), &problem);
  ASSERT_FALSE(problem.Exists());
  ASSERT_EQ(WriteMapToBytes(), AtTurn(first, 12345)) << "a whole save reads and writes back to its own bytes";
  TurnCounter = 0;

  // How long one save takes here sets how long to wait before a kill.
  const auto timed = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(WriteMapFile(name));
  const auto perSave = (std::chrono::steady_clock::now() - timed) / 20;
  const long window = std::max<long>(
      200, static_cast<long>(4 * std::chrono::duration_cast<std::chrono::microseconds>(perSave).count()));

  std::mt19937 random(20240522u);
  int lastTurn = 0;
  int midSave = 0;
  int beforeAnySave = 0;
  int afterSaves = 0;
  // At least 300 kills; more while too few have landed inside a save or
  // before the first one (a slow or busy machine spreads them differently),
  // up to a bound that keeps the test short.
  int kill = 0;
  for (; kill < 3000 && (kill < 300 || midSave <= 30 || beforeAnySave == 0 || afterSaves <= 30); ++kill) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      alarm(30);
      const char go = 'g';
      if (write(ready[1], &go, 1) != 1) _exit(1);
      for (int turn = lastTurn + 1;; ++turn) {
        TurnCounter = turn;
        WriteMapFile(name);
      }
    }
    close(ready[1]);
    char go = 0;
    ASSERT_EQ(read(ready[0], &go, 1), 1) << "the saving process started";
    close(ready[0]);
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<long>(0, window)(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the process was killed, not ended";

    if (leftover()) ++midSave;
    const std::string bytes = FileBytes(target);
    const int turn = TurnOf(bytes);
    ASSERT_GE(turn, lastTurn) << "kill " << kill << ": an older game came back, or no game (" << bytes.size()
                              << " bytes)";
    ASSERT_EQ(bytes, AtTurn(first, turn))
        << "kill " << kill << ": the save of turn " << turn << " is not whole";
    if (turn == lastTurn) ++beforeAnySave;
    else ++afterSaves;
    lastTurn = turn;
  }
  EXPECT_GT(midSave, 30) << "kills came in the middle of a save, between its temporary file and its rename ("
                         << kill << " kills)";
  EXPECT_GT(beforeAnySave, 0) << "kills came before the process had saved anything";
  EXPECT_GT(afterSaves, 30) << "kills came after the process had saved whole games";
  TurnCounter = lastTurn + 1;
  ASSERT_TRUE(WriteMapFile(name));
  EXPECT_FALSE(leftover()) << "the next save leaves no temporary file";
  ReadMapFromBytes(FileBytes(target), &problem);
  EXPECT_FALSE(problem.Exists());
  EXPECT_EQ(TurnCounter, lastTurn + 1);
}
