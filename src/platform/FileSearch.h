#pragma once
// Internal to the platform layer: one FindFirstFileW / FindNextFileW walk over
// a directory of the host file system.

#include <dirent.h>

#include <memory>
#include <string>

#include "platform/WinApi.h"

class FileSearch {
 public:
  // Starts a walk for a pattern "directory/mask" (either slash; no directory means
  // the working directory). The mask may use '*' and '?' and matches names without
  // regard to ASCII case; "*.*" matches every name. A directory other than the root
  // first yields "." and "..", then its entries in the order the system lists them.
  // Returns null with a Win32 error code when the directory cannot be read.
  static std::unique_ptr<FileSearch> Open(const std::string& utf8Pattern, DWORD* error);

  ~FileSearch();
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;

  // Fills data with the next matching entry; false with ERROR_NO_MORE_FILES at the end.
  bool Next(WIN32_FIND_DATAW* data, DWORD* error);

 private:
  FileSearch(DIR* dir, std::string directory, std::string mask, bool withDots);

  // Fills data for one name in the directory; false if the entry cannot be examined.
  bool Describe(const std::string& name, WIN32_FIND_DATAW* data) const;

  DIR* dir_;
  std::string directory_;
  std::string mask_;
  int dotsLeft_;  // 2: "." then ".." still to come; 0: reading the directory
};
