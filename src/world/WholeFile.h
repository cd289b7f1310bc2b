#pragma once
// Writing a file so that it is never seen half written: whatever happens to
// the process or the machine during the write, the file afterwards holds
// either what it held before or the whole of the new bytes.

#include <filesystem>
#include <string>

// Writes in_bytes to the file at in_target and answers whether it did. The
// bytes go to a temporary file beside the target (the target's name with
// ".tmp" added), are flushed to the disk, and only then does the temporary
// file take the target's place, which the folder then records on the disk too.
// Refused, leaving the target as it was and no temporary file behind:
//  - a target that is read-only (on Windows its attribute; elsewhere a file
//    without write permission, for anyone, root included) or that the
//    process may not write;
//  - bytes beyond the size the process may write (RLIMIT_FSIZE), refused
//    before anything is written;
//  - any write, flush or rename the system refuses (a full disk, a folder
//    that may not be written, a folder where the target belongs).
// A temporary file of that name left by an earlier write that was cut short
// is replaced; a folder of that name makes the write fail and is kept.
bool WriteWholeFile(const std::filesystem::path& in_target, const std::string& in_bytes);
