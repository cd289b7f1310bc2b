// The launcher a Linux player starts: it prepares the player's folder from the
// installed images and sample maps, keeps the player's own files, starts the
// game there, and stops with a message when the folder cannot be used.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

const fs::path kInstall = KRAMBOL_TEST_INSTALL;

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

struct TLauncherRun {
  int status = -1;     // exit status, or -1 when the launcher did not exit normally
  std::string errors;  // what it wrote to its standard error
};

// Exit status of a run as another user that could not read the launcher or
// the made-up installation.
constexpr int kLauncherUnreadable = 125;
constexpr uid_t kNobody = 65534;

// Gives each test a scratch folder holding a home folder whose name has
// spaces, and runs the launcher with only the environment a test names (no
// display, so problems are reported on standard error alone).
class TLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = fs::temp_directory_path() / ("krambol-launcher-" + std::to_string(std::random_device()()));
    home_ = scratch_ / "home of a player";
    fs::create_directories(home_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(PlayerFolder(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(scratch_, ec);
  }

  fs::path PlayerFolder() const { return home_ / ".local" / "share" / "krambol"; }

  // Runs the launcher; as_nobody runs it as the unprivileged user "nobody"
  // (only root can), for whom folders owned by root are read-only.
  TLauncherRun Run(const std::vector<std::string>& environment, bool as_nobody = false) const {
    const fs::path errors = scratch_ / "stderr";
    std::vector<std::string> env = environment;
    env.push_back("PATH=/usr/bin:/bin");
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    char program[] = KRAMBOL_TEST_LAUNCHER;
    char* argv[] = {program, nullptr};

    TLauncherRun run;
    const pid_t pid = fork();
    if (pid == 0) {
      const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd >= 0) dup2(fd, 2);
      // A relative path the launcher wrongly took would land in the scratch folder.
      if (chdir(scratch_.c_str()) != 0) _exit(126);
      if (as_nobody && (setgid(kNobody) != 0 || setuid(kNobody) != 0 || access(program, R_OK | X_OK) != 0 ||
                        access((kInstall / "bin" / "game").c_str(), X_OK) != 0))
        _exit(kLauncherUnreadable);
      execve(program, argv, envp.data());
      _exit(127);
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    run.errors = FileBytes(errors);
    return run;
  }
  TLauncherRun RunWithHome() const { return Run({"HOME=" + home_.string()}); }

  fs::path scratch_;
  fs::path home_;
};

}  // namespace

TEST_F(TLauncherTest, FirstStartMakesThePlayersFolderAndStartsTheGameInIt) {
  const TLauncherRun run = RunWithHome();

  EXPECT_EQ(run.status, 7) << "the game's own exit status is the launcher's";
  EXPECT_EQ(run.errors, "");
  const fs::path folder = PlayerFolder();
  EXPECT_EQ(FileBytes(folder / "started-in"), folder.string() + "\n");
  ASSERT_TRUE(fs::is_symlink(folder / "res"));
  EXPECT_EQ(fs::read_symlink(folder / "res"), kInstall / "res");
  EXPECT_EQ(FileBytes(folder / "res" / "Unit" / "Queen" / "attack.tif"), "queen attack sheet");
  EXPECT_EQ(FileBytes(folder / "duel.map"), "sample duel\n");
  EXPECT_EQ(FileBytes(folder / "river.map"), "sample river\n");
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"duel.map", "res", "river.map", "started-in"}))
      << "no temporary copies are left behind";
}

TEST_F(TLauncherTest, PlayersOwnFilesSurviveEveryStartAndMissingSampleMapsReturn) {
  const fs::path folder = PlayerFolder();
  WriteFile(folder / "duel.map", "the player's own duel");
  WriteFile(folder / "Save01.map", "a saved game");
  WriteFile(folder / "option.ini", "500\r\n1\r\n");
  WriteFile(folder / "campaign" / "river.map", "a map of the player's in a subfolder");

  for (int start = 0; start < 2; ++start) {
    const TLauncherRun run = RunWithHome();
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(FileBytes(folder / "duel.map"), "the player's own duel");
    EXPECT_EQ(FileBytes(folder / "Save01.map"), "a saved game");
    EXPECT_EQ(FileBytes(folder / "option.ini"), "500\r\n1\r\n");
    EXPECT_EQ(FileBytes(folder / "campaign" / "river.map"), "a map of the player's in a subfolder");
    EXPECT_EQ(FileBytes(folder / "river.map"), "sample river\n");
    fs::remove(folder / "river.map");
  }

  // A link the player made under a sample map's name is theirs as well, even
  // when it leads nowhere.
  fs::create_symlink("elsewhere.map", folder / "river.map");
  EXPECT_EQ(RunWithHome().status, 7);
  EXPECT_EQ(fs::read_symlink(folder / "river.map"), "elsewhere.map");
}

TEST_F(TLauncherTest, ResAlwaysLeadsToTheInstalledImagesAndAnOldResFolderIsMovedAsideWhole) {
  const fs::path folder = PlayerFolder();
  WriteFile(folder / "res" / "Unit" / "Queen" / "attack.tif", "an old copy");
  WriteFile(folder / "res" / "mine.map", "a map kept among the images");

  TLauncherRun run = RunWithHome();
  EXPECT_EQ(run.status, 7);
  ASSERT_TRUE(fs::is_symlink(folder / "res"));
  EXPECT_EQ(fs::read_symlink(folder / "res"), kInstall / "res");
  fs::path aside;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind("res.moved-", 0) == 0) aside = entry.path();
  ASSERT_FALSE(aside.empty()) << "the old folder is moved aside, not deleted";
  EXPECT_EQ(FileBytes(aside / "mine.map"), "a map kept among the images");
  EXPECT_EQ(FileBytes(aside / "Unit" / "Queen" / "attack.tif"), "an old copy");
  EXPECT_NE(run.errors.find(aside.string()), std::string::npos) << run.errors;

  // A link to anything else (an older installation) is pointed at this one.
  fs::remove(folder / "res");
  fs::create_symlink(scratch_ / "old installation" / "res", folder / "res");
  run = RunWithHome();
  EXPECT_EQ(run.status, 7);
  EXPECT_EQ(fs::read_symlink(folder / "res"), kInstall / "res");
  EXPECT_EQ(run.errors, "");
}

TEST_F(TLauncherTest, AnAbsoluteXdgDataHomeHoldsTheFolderAndARelativeOneIsIgnored) {
  const fs::path data = scratch_ / "data home" / "not yet made";
  EXPECT_EQ(Run({"HOME=" + home_.string(), "XDG_DATA_HOME=" + data.string()}).status, 7);
  EXPECT_EQ(FileBytes(data / "krambol" / "started-in"), (data / "krambol").string() + "\n");
  EXPECT_FALSE(fs::exists(PlayerFolder()));

  EXPECT_EQ(Run({"HOME=" + home_.string(), "XDG_DATA_HOME=relative/data"}).status, 7);
  EXPECT_EQ(FileBytes(PlayerFolder() / "started-in"), PlayerFolder().string() + "\n");
  EXPECT_EQ(Run({"HOME=" + home_.string(), "XDG_DATA_HOME="}).status, 7);
}

TEST_F(TLauncherTest, AFolderThatCannotBeUsedStopsWithAMessageAndTheGameDoesNotStart) {
  // ~/.local is a file, so the folder cannot be made.
  WriteFile(home_ / ".local", "not a folder");
  TLauncherRun run = RunWithHome();
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("krambol: cannot create the folder for saved games, " + PlayerFolder().string()),
            std::string::npos)
      << run.errors;
  fs::remove(home_ / ".local");

  // Neither XDG_DATA_HOME nor HOME: nowhere to keep saved games.
  run = Run({});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("HOME"), std::string::npos) << run.errors;

  // The folder exists but is read-only for the player. Root writes
  // everywhere, so as root the player is "nobody", for whom a folder of
  // root's is read-only.
  fs::create_directories(PlayerFolder());
  const bool root = geteuid() == 0;
  if (!root) fs::permissions(PlayerFolder(), fs::perms::owner_read | fs::perms::owner_exec);
  run = Run({"HOME=" + home_.string()}, root);
  if (run.status == kLauncherUnreadable) GTEST_SKIP() << "user nobody cannot read the launcher or " << kInstall;
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("cannot write to the folder for saved games, " + PlayerFolder().string()),
            std::string::npos)
      << run.errors;
  EXPECT_FALSE(fs::exists(PlayerFolder() / "started-in"));
}
