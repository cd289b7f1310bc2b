#pragma once
// Internal to the platform layer: one FindFirstFileW / FindNextFileW walk over
// a directory of the host file system.

#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/WinApi.h"

class FileSearch {
 public:
  // Starts a walk for a pattern "directory/mask" (either slash; no directory means
  // the working directory). The mask may use '*' and '?' and matches names without
  // regard to ASCII case; "*.*" matches every name. A directory other than the root
  // first yields "." and "..", then its entries sorted by name as the Windows file
  // system keeps them (UTF-16 units compared in upper case), so a folder lists in
  // the same order on every system. The names are read when the walk starts.
  // Returns null with a Win32 error code when the directory cannot be read.
  static std::unique_ptr<FileSearch> Open(const std::string& utf8Pattern, DWORD* error);

  ~FileSearch();
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;

  // Fills data with the next matching entry; false with ERROR_NO_MORE_FILES at the end.
  bool Next(WIN32_FIND_DATAW* data, DWORD* error);

 private:
  FileSearch(DIR* dir, std::string directory, std::string mask, bool withDots);

  // Reads every name of the directory that the mask matches, but the dots, sorted;
  // a read error is kept to be reported after the names read before it.
  void ReadNames();

  // Fills data for one name in the directory; false if the entry cannot be examined.
  bool Describe(const std::string& name, WIN32_FIND_DATAW* data) const;

  DIR* dir_;
  std::string directory_;
  std::string mask_;
  int dotsLeft_;  // 2: "." then ".." still to come; 0: reading the names
  std::vector<std::string> names_;
  size_t nextName_ = 0;
  DWORD readError_ = ERROR_NO_MORE_FILES;  // reported once the names run out
};
