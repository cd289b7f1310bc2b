#include "shell/ErrorLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "shell/CodePage.h"

namespace {

std::vector<std::string>& Entries() {
  static std::vector<std::string> entries;
  return entries;
}

char FormatBuffer[kLogBufferSize];

// Appends one formatted argument at out[pos], never past the buffer's last byte.
void Append(int& pos, const char* text) {
  const int room = kLogBufferSize - 1 - pos;
  if (room <= 0) return;
  const int length = static_cast<int>(std::strlen(text));
  const int n = length < room ? length : room;
  std::memcpy(FormatBuffer + pos, text, n);
  pos += n;
}

// Formats like vsnprintf into FormatBuffer, but with %S always meaning a wide
// string converted to CP1251, the same on every system.
void Format(const char* format, va_list args) {
  int pos = 0;
  char piece[kLogBufferSize];
  const char* p = format;
  while (*p && pos < kLogBufferSize - 1) {
    if (*p != '%') {
      const char* start = p;
      while (*p && *p != '%') ++p;
      std::string literal(start, p);
      Append(pos, literal.c_str());
      continue;
    }
    // One conversion: %[flags][width][.precision][length]conversion.
    const char* start = p++;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
      ++p;
      while (*p >= '0' && *p <= '9') ++p;
    }
    bool wide = false;
    if (*p == 'l') {
      wide = true;
      ++p;
    }
    const char conversion = *p;
    if (!conversion) break;
    ++p;
    std::string spec(start, p);
    piece[0] = '\0';
    switch (conversion) {
      case '%':
        std::strcpy(piece, "%");
        break;
      case 'd':
      case 'i':
        if (wide)
          std::snprintf(piece, sizeof piece, spec.c_str(), va_arg(args, long));
        else
          std::snprintf(piece, sizeof piece, spec.c_str(), va_arg(args, int));
        break;
      case 'u':
      case 'x':
      case 'X':
        if (wide)
          std::snprintf(piece, sizeof piece, spec.c_str(), va_arg(args, unsigned long));
        else
          std::snprintf(piece, sizeof piece, spec.c_str(), va_arg(args, unsigned int));
        break;
      case 'c':
        if (wide) {
          wchar_t w[2] = {static_cast<wchar_t>(va_arg(args, int)), 0};
          std::strcpy(piece, WideToCp1251(w).c_str());
        } else {
          piece[0] = static_cast<char>(va_arg(args, int));
          piece[1] = '\0';
        }
        break;
      case 's':
      case 'S': {
        const bool isWide = wide || conversion == 'S';
        std::string text;
        if (isWide) {
          const wchar_t* w = va_arg(args, const wchar_t*);
          text = w ? WideToCp1251(w) : "(null)";
        } else {
          const char* s = va_arg(args, const char*);
          text = s ? s : "(null)";
        }
        // Width and precision apply as to a narrow string.
        std::string narrowSpec = spec;
        narrowSpec.erase(narrowSpec.size() - (wide ? 2 : 1));
        narrowSpec += 's';
        std::snprintf(piece, sizeof piece, narrowSpec.c_str(), text.c_str());
        break;
      }
      default:
        // Unknown conversions are written as they stand; their argument is not consumed.
        std::snprintf(piece, sizeof piece, "%s", spec.c_str());
        break;
    }
    Append(pos, piece);
  }
  FormatBuffer[pos] = '\0';
}

}  // namespace

void LogError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Format(format ? format : "", args);
  va_end(args);
  // The last two bytes always hold a line feed and the terminator, so a message
  // that filled the buffer ends with a line feed after its first 2046 characters.
  FormatBuffer[kLogBufferSize - 2] = '\n';
  FormatBuffer[kLogBufferSize - 1] = '\0';
  Entries().emplace_back(FormatBuffer);
}

const std::vector<std::string>& ErrorLogEntries() { return Entries(); }

std::string BuildErrorReport() {
  std::string report;
  const auto& entries = Entries();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    report += *it;
    report += "\n\r";
  }
  return report;
}

void ClearErrorLogForTests() { Entries().clear(); }
