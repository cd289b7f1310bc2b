// FindFirstFileW / FindNextFileW / FindClose over a directory made for the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Win32.h"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <map>

namespace {

std::wstring Wide(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

std::string Narrow(const wchar_t* wide) {
  std::string out;
  for (; *wide; ++wide) out += static_cast<char>(*wide);
  return out;
}

class WinKernelFind : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/platform-find-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
  }

  void TearDown() override {
    for (const std::string& path : made_) {
      chmod(path.c_str(), 0700);
      if (rmdir(path.c_str()) != 0) unlink(path.c_str());
    }
    rmdir(dir_.c_str());
  }

  void MakeFile(const std::string& name, const std::string& content, mode_t mode = 0644) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << content;
    chmod(path.c_str(), mode);
    made_.insert(made_.begin(), path);
  }

  void MakeDirectory(const std::string& name) {
    const std::string path = dir_ + "/" + name;
    mkdir(path.c_str(), 0755);
    made_.push_back(path);
  }

  // Every entry a search returns, in order, with its attributes.
  std::vector<std::pair<std::string, DWORD>> Search(const std::wstring& pattern,
                                                    std::map<std::string, WIN32_FIND_DATAW>* data = nullptr) {
    std::vector<std::pair<std::string, DWORD>> found;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
      found.emplace_back(Narrow(entry.cFileName), entry.dwFileAttributes);
      if (data) (*data)[Narrow(entry.cFileName)] = entry;
    } while (FindNextFileW(find, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    return found;
  }

  std::string dir_;
  std::vector<std::string> made_;  // removed in this order
};

TEST_F(WinKernelFind, SearchesThatCannotStartFail) {
  WIN32_FIND_DATAW data;
  SetLastError(0);
  EXPECT_EQ(FindFirstFileW(Wide(dir_ + "/missing/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(FindFirstFileW(Wide(dir_ + "/*.map").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileW(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileW(L"*", nullptr), INVALID_HANDLE_VALUE);
  SetLastError(0);
  EXPECT_FALSE(FindNextFileW(nullptr, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
  // An event is no search, and a search no event.
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_FALSE(FindNextFileW(event, &data));
  EXPECT_FALSE(FindClose(event));
  EXPECT_TRUE(CloseHandle(event));
}

TEST_F(WinKernelFind, ListsDotsFirstThenEntriesInNameOrderWithTheirAttributes) {
  MakeFile("a.map", "12345");
  MakeFile("readonly.map", "x", 0444);
  MakeFile(".hidden.map", "x");
  MakeDirectory("sub");
  MakeFile("sub/inner.map", "x");
  const std::string link = dir_ + "/link";
  ASSERT_EQ(symlink("a.map", link.c_str()), 0);
  made_.insert(made_.begin(), link);
  const std::string fifo = dir_ + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  made_.insert(made_.begin(), fifo);

  // Sorted by name without regard to case, after the dots.
  const std::vector<std::string> listed{".", "..", ".hidden.map", "a.map", "link", "pipe", "readonly.map", "sub"};

  std::map<std::string, WIN32_FIND_DATAW> data;
  const auto found = Search(Wide(dir_ + "/*"), &data);
  std::vector<std::string> names;
  std::map<std::string, DWORD> attributes;
  for (const auto& [name, attribute] : found) {
    names.push_back(name);
    attributes[name] = attribute;
  }
  EXPECT_EQ(names, listed);
  EXPECT_EQ(attributes["."], static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(attributes[".."], static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(attributes["sub"], static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(attributes["a.map"], static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(attributes["readonly.map"], static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(attributes[".hidden.map"], static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(attributes["link"] & FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_EQ(attributes["pipe"], static_cast<DWORD>(FILE_ATTRIBUTE_DEVICE));

  const WIN32_FIND_DATAW& file = data["a.map"];
  EXPECT_EQ(file.nFileSizeLow, 5u);
  EXPECT_EQ(file.nFileSizeHigh, 0u);
  // File times count 100 ns from 1601: anything written now is past 2020.
  const uint64_t written = (uint64_t{file.ftLastWriteTime.dwHighDateTime} << 32) | file.ftLastWriteTime.dwLowDateTime;
  EXPECT_GT(written, 132223104000000000ull);

  // Backslashes separate too, and a mask selects by name without regard to case.
  std::vector<std::string> maps;
  for (const auto& [name, attribute] : Search(Wide(dir_ + "\\*.MAP"))) maps.push_back(name);
  std::sort(maps.begin(), maps.end());
  EXPECT_EQ(maps, (std::vector<std::string>{".hidden.map", "a.map", "readonly.map"}));
  const auto inner = Search(Wide(dir_ + "/sub/*"));
  ASSERT_EQ(inner.size(), 3u);
  EXPECT_EQ(inner[2].first, "inner.map");
}

}  // namespace
#endif

// Built for Windows too: the system's own search is the reference for the order.
// Entries come sorted by name as the Windows file system keeps them: each
// UTF-16 unit compared in upper case, so letters sort before '_' whatever
// their case and Cyrillic follows its code order. The same folder lists the
// same way on every system.
TEST(WinKernelFindOrder, NamesComeInUpperCaseCodeOrder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "platform-find-order";
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  ASSERT_TRUE(fs::create_directory(dir));
  const std::vector<std::wstring> sorted{L"apple.map", L"Battle.map", L"duel.map", L"Forest.map", L"river.map",
                                         L"zeta.map", L"_x.map", L"\x0451\x043B\x043A\x0430.map",
                                         L"\x0430.map", L"\x042E\x0433.map"};
  // The same names as UTF-8 for making the files, in an order unrelated to the sorted one.
  for (const char8_t* name : {u8"river.map", u8"Battle.map", u8"\u042E\u0433.map", u8"_x.map", u8"apple.map",
                              u8"Forest.map", u8"\u0451\u043B\u043A\u0430.map", u8"duel.map", u8"\u0430.map",
                              u8"zeta.map"}) {
    std::ofstream(dir / fs::path(name)) << "x";
  }

  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  const std::wstring pattern = dir.wstring() + L"\\*.map";
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    found.emplace_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  fs::remove_all(dir, ignored);
  EXPECT_EQ(found, sorted);
}
