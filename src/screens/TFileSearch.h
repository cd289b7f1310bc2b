#pragma once
// One search of a directory tree for files with given extensions, breadth
// first, through the system's file search. Only plain directories (attribute
// word exactly 0x10) are entered and only plain files (exactly 0x20, the
// archive bit alone) are taken, so links, hidden, system and read-only entries
// are passed over. Nothing is sorted: within a directory the system's order
// is kept, and a directory's files come before those of its subdirectories.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Win32.h"

class TFileSearch {
 public:
  // At most this many patterns (the start pattern and one per directory
  // found) are ever searched; directories beyond it are skipped, logging
  // "too many directories: %S" once with the first one skipped.
  static constexpr size_t kMaxPatterns = 10000;

  // Runs the whole search at once. in_pattern is a directory path followed by
  // "*", such as "./*"; in_extensions are compared exactly, without the dot.
  // A subdirectory that cannot be opened is skipped silently and the search
  // goes on; a start directory that cannot be opened gives nothing, logging
  // "invalid handle value: %S" with the pattern. Any other failure of the
  // system's search ends it logging "error no more files". What was found
  // until then is kept.
  TFileSearch(const std::wstring& in_pattern, const std::vector<std::wstring>& in_extensions);
  TFileSearch(const TFileSearch&) = delete;
  TFileSearch& operator=(const TFileSearch&) = delete;

  // The extension of a path: what follows its last '.', '/' or '\'. The first
  // character is never looked at, so a path with none of them after it gives
  // everything but its first character.
  static std::wstring ExtensionOf(const std::wstring& in_path);

  // Paths of the matching files, in the order found.
  std::vector<std::wstring> Files;
  // The patterns searched: the start pattern first, then one per directory found.
  std::vector<std::wstring> Patterns;
  std::vector<std::wstring> Extensions;

 private:
  // Takes one entry found with the pattern: a directory adds a pattern, a
  // matching file adds its path.
  void Examine(const WIN32_FIND_DATAW& in_entry, const std::wstring& in_pattern);

  bool DirectoriesDropped = false;
};
