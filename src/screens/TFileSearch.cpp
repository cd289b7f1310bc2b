#include "screens/TFileSearch.h"

#include <algorithm>

#include "shell/ErrorLog.h"

TFileSearch::TFileSearch(const std::wstring& in_pattern, const std::vector<std::wstring>& in_extensions)
    : Extensions(in_extensions) {
  Patterns.push_back(in_pattern);
  // The list grows while it is walked; each pattern is searched once.
  for (size_t i = 0; i < Patterns.size(); ++i) {
    const std::wstring pattern = Patterns[i];
    WIN32_FIND_DATAW entry{};
    const HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
      // A folder that cannot be opened (gone since it was listed, no access)
      // hides only its own maps; the start folder is said in the log.
      if (i == 0) {
        LogError("invalid handle value: %S", pattern.c_str());
        return;
      }
      continue;
    }
    do {
      Examine(entry, pattern);
    } while (FindNextFileW(find, &entry));
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
      LogError("error no more files");
      return;
    }
  }
}

std::wstring TFileSearch::ExtensionOf(const std::wstring& in_path) {
  if (in_path.empty()) return std::wstring();
  size_t i = in_path.size() - 1;
  while (i > 0 && in_path[i] != L'.' && in_path[i] != L'/' && in_path[i] != L'\\') --i;
  return in_path.substr(i + 1);
}

void TFileSearch::Examine(const WIN32_FIND_DATAW& in_entry, const std::wstring& in_pattern) {
  // The name is cut at its terminator, or at the end of the array if it has none.
  const wchar_t* name = in_entry.cFileName;
  const size_t length = std::find(name, name + MAX_PATH, L'\0') - name;
  const std::wstring entryName(name, length);
  const std::wstring prefix = in_pattern.empty() ? std::wstring() : in_pattern.substr(0, in_pattern.size() - 1);

  if (in_entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
    if (entryName == L"." || entryName == L"..") return;
    const std::wstring pattern = prefix + entryName + L"/*";
    if (Patterns.size() >= kMaxPatterns) {
      if (!DirectoriesDropped) LogError("too many directories: %S", pattern.c_str());
      DirectoriesDropped = true;
      return;
    }
    Patterns.push_back(pattern);
  } else if (in_entry.dwFileAttributes == FILE_ATTRIBUTE_ARCHIVE) {
    const std::wstring path = prefix + entryName;
    const std::wstring extension = ExtensionOf(path);
    if (std::find(Extensions.begin(), Extensions.end(), extension) != Extensions.end()) Files.push_back(path);
  }
}
