// Saving on Windows: the temporary file replaces the target through
// MoveFileExW, which the system may refuse; a refused save keeps the
// previous file whole and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/FileBytes.h"
#include "support/KnownWineDifference.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

// A map without cells needs no images: the turn counter and the two names.
const std::string kSaved = "4\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[0 0]\r\n";

class MapFileOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    folder_ = fs::temp_directory_path() / ("krambol-save-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
    ReadMapFromBytes(kSaved);
    ASSERT_EQ(WriteMapToBytes(), kSaved);
  }
  void TearDown() override {
    ClearMap();
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path previous_;
  fs::path folder_;
};

}  // namespace

TEST_F(MapFileOnWindows, AnExistingSaveIsReplacedWhole) {
  PutFile("Save01.map", "an older and longer game than the one saved now");
  ASSERT_TRUE(WriteMapFile(L"Save01.map"));
  EXPECT_EQ(FileBytes("Save01.map"), kSaved);
  EXPECT_FALSE(fs::exists("Save01.map.tmp"));

  // A name in Cyrillic is a file of that name, found again by the wide search.
  const std::wstring name = L"\u0418\u0433\u0440\u0430.map";
  ASSERT_TRUE(WriteMapFile(name));
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(name.c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), name);
  EXPECT_EQ(FileBytes(fs::path(name)), kSaved);
}

TEST_F(MapFileOnWindows, ASaveTheSystemRefusesKeepsThePreviousFile) {
  // Open elsewhere without sharing deletion: the file cannot be replaced.
  PutFile("open.map", "previous game");
  const HANDLE held = CreateFileW(L"open.map", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteMapFile(L"open.map"));
  CloseHandle(held);
  EXPECT_EQ(FileBytes("open.map"), "previous game");
  EXPECT_FALSE(fs::exists("open.map.tmp"));

  // A read-only file is not replaced either: Windows refuses to let a rename
  // replace it.
  PutFile("kept.map", "read-only game");
  ASSERT_TRUE(SetFileAttributesW(L"kept.map", FILE_ATTRIBUTE_READONLY));
  TODO_WINE("Wine's MoveFileExW replaces a read-only file") {
    EXPECT_FALSE(WriteMapFile(L"kept.map"));
    SetFileAttributesW(L"kept.map", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileBytes("kept.map"), "read-only game");
  }
  SetFileAttributesW(L"kept.map", FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(fs::exists("kept.map.tmp"));
}
