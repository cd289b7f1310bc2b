#pragma once
// The process-wide error log. Errors are never shown where they happen: each is
// appended here as one narrow line (CP1251 for the Russian texts) and the whole
// log is shown once, newest first, when the program ends.

#include <string>
#include <vector>

// Size of the shared buffer that every message is formatted into.
constexpr int kLogBufferSize = 2048;

// printf-style: %s narrow string, %S and %ls wide string (written in CP1251),
// %d int, and every other conversion of the C library with its flags, width,
// precision ('*' included) and length modifiers; %n stores nothing. A
// conversion it does not know ends the formatting: the rest of the format is
// kept as it stands. Formats into the shared 2048-byte buffer, truncating;
// a message longer than 2045 characters keeps its first 2046 and ends with a
// line feed. Never fails visibly.
void LogError(const char* format, ...)
#if defined(__GNUC__) && !defined(_WIN32)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Every entry logged so far, oldest first. Entries are never removed.
const std::vector<std::string>& ErrorLogEntries();

// The exit report: every entry from newest to oldest, each followed by LF CR.
std::string BuildErrorReport();

// Forgets every entry; only for tests that run several lives in one process.
void ClearErrorLogForTests();
