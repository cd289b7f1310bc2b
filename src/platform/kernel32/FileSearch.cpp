// Directory walks for FindFirstFileW and FindNextFileW.
#include "platform/kernel32/FileSearch.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <cwctype>

#include "platform/kernel32/UnicodeText.h"

namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' matches any run, '?' any one byte, everything else itself without ASCII case.
bool Matches(const char* mask, const char* name) {
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' || (*mask && LowerAscii(*mask) == LowerAscii(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

// 100-nanosecond intervals since 1601-01-01, as Windows counts file times.
FILETIME FileTimeOf(const timespec& ts) {
  const uint64_t kSecondsFrom1601To1970 = 11644473600ull;
  const uint64_t ticks = (static_cast<uint64_t>(ts.tv_sec) + kSecondsFrom1601To1970) * 10000000ull +
                         static_cast<uint64_t>(ts.tv_nsec) / 100u;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// One UTF-16 unit in upper case, as the file system's case table maps it:
// simple one-to-one mappings only, surrogates unchanged.
char16_t UpperUnit(char16_t unit) {
  if (unit < 0x80) return (unit >= u'a' && unit <= u'z') ? char16_t(unit - u'a' + u'A') : unit;
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
  if (unicode == locale_t(0)) return unit;
  const wint_t upper = towupper_l(wint_t(unit), unicode);
  return upper <= 0xFFFF ? char16_t(upper) : unit;
}

// Names in the order the Windows file system returns them; names that only
// differ in case (possible here, not there) keep a fixed order by their bytes.
bool ComesBefore(const std::u16string& leftKey, const std::string& left, const std::u16string& rightKey,
                 const std::string& right) {
  if (leftKey != rightKey) return leftKey < rightKey;
  return left < right;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_PATH_NOT_FOUND;
  }
}

}  // namespace

std::unique_ptr<FileSearch> FileSearch::Open(const std::string& pattern, DWORD* error) {
  const size_t slash = pattern.find_last_of("/\\");
  std::string directory = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  for (char& c : directory) {
    if (c == '\\') c = '/';
  }
  if (mask.empty() || mask.find('\0') != std::string::npos || directory.find('\0') != std::string::npos) {
    *error = ERROR_FILE_NOT_FOUND;
    return nullptr;
  }
  if (mask == "*.*") mask = "*";
  DIR* dir = opendir(directory.c_str());
  if (!dir) {
    *error = ErrorFromErrno(errno);
    return nullptr;
  }
  const bool root = directory.find_first_not_of('/') == std::string::npos;
  if (directory.back() != '/') directory += '/';
  return std::unique_ptr<FileSearch>(new FileSearch(dir, directory, mask, !root));
}

FileSearch::FileSearch(DIR* dir, std::string directory, std::string mask, bool withDots)
    : dir_(dir), directory_(std::move(directory)), mask_(std::move(mask)), dotsLeft_(withDots ? 2 : 0) {
  ReadNames();
}

void FileSearch::ReadNames() {
  std::vector<std::pair<std::u16string, std::string>> entries;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir_);
    if (!entry) {
      if (errno != 0) readError_ = ErrorFromErrno(errno);
      break;
    }
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    if (!Matches(mask_.c_str(), entry->d_name)) continue;
    std::u16string key = Utf16FromUtf8(entry->d_name);
    for (char16_t& unit : key) unit = UpperUnit(unit);
    entries.emplace_back(std::move(key), entry->d_name);
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return ComesBefore(a.first, a.second, b.first, b.second);
  });
  names_.reserve(entries.size());
  for (auto& entry : entries) names_.push_back(std::move(entry.second));
}

FileSearch::~FileSearch() {
  closedir(dir_);
}

bool FileSearch::Next(WIN32_FIND_DATAW* data, DWORD* error) {
  while (dotsLeft_ > 0) {
    const char* name = dotsLeft_ == 2 ? "." : "..";
    --dotsLeft_;
    if (Matches(mask_.c_str(), name) && Describe(name, data)) return true;
  }
  while (nextName_ < names_.size()) {
    if (Describe(names_[nextName_++], data)) return true;
  }
  *error = readError_;
  return false;
}

bool FileSearch::Describe(const std::string& name, WIN32_FIND_DATAW* data) const {
  struct stat st {};
  if (fstatat(dirfd(dir_), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;

  DWORD attributes = 0;
  if (S_ISDIR(st.st_mode)) {
    attributes = FILE_ATTRIBUTE_DIRECTORY;
  } else if (S_ISREG(st.st_mode)) {
    attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  } else if (S_ISLNK(st.st_mode)) {
    // A link is reported as the reparse point it is, with the kind of its target.
    struct stat target {};
    const bool toDirectory = fstatat(dirfd(dir_), name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    attributes = FILE_ATTRIBUTE_REPARSE_POINT | (toDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
  } else {
    attributes = FILE_ATTRIBUTE_DEVICE;
  }
  if (name[0] == '.' && name != "." && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;

  std::memset(data, 0, sizeof(*data));
  data->dwFileAttributes = attributes;
  data->ftCreationTime = FileTimeOf(st.st_ctim);
  data->ftLastAccessTime = FileTimeOf(st.st_atim);
  data->ftLastWriteTime = FileTimeOf(st.st_mtim);
  if (!S_ISDIR(st.st_mode)) {
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
  }
  const std::wstring wide = WideFromUtf8(name);
  const size_t length = wide.size() < MAX_PATH - 1 ? wide.size() : MAX_PATH - 1;
  wide.copy(data->cFileName, length);
  data->cFileName[length] = L'\0';
  return true;
}
