#include "world/WholeFile.h"

#include <algorithm>

#include "platform/Win32.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

std::filesystem::path TemporaryOf(const std::filesystem::path& in_target) {
  std::filesystem::path temporary = in_target;
  temporary += ".tmp";
  return temporary;
}

#ifdef _WIN32

// Writes the bytes to a new file and flushes them to the disk.
bool WriteAndFlush(const std::filesystem::path& in_path, const std::string& in_bytes) {
  const HANDLE file =
      CreateFileW(in_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  size_t done = 0;
  while (written && done < in_bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(in_bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    written = WriteFile(file, in_bytes.data() + done, chunk, &wrote, nullptr) && wrote > 0;
    done += wrote;
  }
  const bool flushed = written && FlushFileBuffers(file);
  const bool closed = CloseHandle(file) != 0;
  return flushed && closed;
}

#else

// A target that exists and may not be written: a file with no write
// permission for anyone (which root would otherwise replace without a
// thought, as Windows never replaces a read-only file), or one this process
// may not write.
bool IsReadOnly(const std::filesystem::path& in_target) {
  struct stat status {};
  if (stat(in_target.c_str(), &status) != 0) return false;
  if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return access(in_target.c_str(), W_OK) != 0 && errno == EACCES;
}

// Whether the process may make a file of this size (a larger write would end
// it with SIGXFSZ).
bool FitsTheSizeLimit(size_t in_size) {
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
  return in_size <= limit.rlim_cur;
}

// Writes the bytes to a new file of this name (a file left there before is
// removed first; nothing is written through a link) and flushes them to the disk.
bool WriteAndFlush(const std::filesystem::path& in_path, const std::string& in_bytes) {
  if (unlink(in_path.c_str()) != 0 && errno != ENOENT) return false;
  const int file = open(in_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0) return false;
  bool written = true;
  size_t done = 0;
  while (written && done < in_bytes.size()) {
    const ssize_t wrote = write(file, in_bytes.data() + done, in_bytes.size() - done);
    if (wrote > 0) {
      done += static_cast<size_t>(wrote);
    } else if (wrote < 0 && errno == EINTR) {
      continue;
    } else {
      written = false;
    }
  }
  const bool flushed = written && fsync(file) == 0;
  const bool closed = close(file) == 0;
  return flushed && closed;
}

// Records the folder's entries on the disk, so that the new name survives a
// crash of the machine too. Some file systems cannot; the file is in place anyway.
void FlushFolderOf(const std::filesystem::path& in_target) {
  std::filesystem::path folder = in_target.parent_path();
  if (folder.empty()) folder = ".";
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

#endif

// Puts the written temporary file in place of the target.
bool Replace(const std::filesystem::path& in_temporary, const std::filesystem::path& in_target) {
#ifdef _WIN32
  return MoveFileExW(in_temporary.c_str(), in_target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  if (rename(in_temporary.c_str(), in_target.c_str()) != 0) return false;
  FlushFolderOf(in_target);
  return true;
#endif
}

}  // namespace

bool WriteWholeFile(const std::filesystem::path& in_target, const std::string& in_bytes) {
#ifndef _WIN32
  if (IsReadOnly(in_target) || !FitsTheSizeLimit(in_bytes.size())) return false;
#endif
  const std::filesystem::path temporary = TemporaryOf(in_target);
  std::error_code error;
  // A folder in the way is not ours to remove.
  if (std::filesystem::is_directory(std::filesystem::symlink_status(temporary, error))) return false;
  if (WriteAndFlush(temporary, in_bytes) && Replace(temporary, in_target)) return true;
  std::filesystem::remove(temporary, error);
  return false;
}
