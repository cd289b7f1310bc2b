#include "shell/ErrorLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

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

// The length modifier of one conversion.
enum class TLength { None, Char, Short, Long, LongLong, Max, Size, Difference, LongDouble };

// Formats one integer conversion, taking the argument of the type the length
// modifier names.
void FormatInteger(char* piece, const std::string& directive, bool isSigned, TLength length, va_list& args) {
  switch (length) {
    case TLength::Long:
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, long));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, unsigned long));
      break;
    case TLength::LongLong:
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, long long));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, unsigned long long));
      break;
    case TLength::Max:
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, intmax_t));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, uintmax_t));
      break;
    case TLength::Size:
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, std::make_signed_t<size_t>));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, size_t));
      break;
    case TLength::Difference:
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, ptrdiff_t));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, std::make_unsigned_t<ptrdiff_t>));
      break;
    default:
      // char and short arrive promoted to int; the modifier in the directive narrows them.
      if (isSigned)
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, int));
      else
        std::snprintf(piece, kLogBufferSize, directive.c_str(), va_arg(args, unsigned int));
      break;
  }
}

// Formats like vsnprintf into FormatBuffer, but with %S (and %ls, %lc) always
// meaning wide text converted to CP1251, the same on every system. Every
// conversion of the C library takes exactly the argument it names, '*' widths
// and precisions included, so the arguments can never fall out of step with
// the conversions. At a conversion that is not one of them (or a format cut
// off inside one), the rest of the format is copied as it stands and no
// further argument is read.
void Format(const char* format, va_list in_args) {
  // A copy of our own: the helpers take it by reference, which the parameter
  // (an array type on some systems, decayed to a pointer here) does not allow.
  va_list args;
  va_copy(args, in_args);
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
    // One conversion: %[flags][width][.precision][length]conversion, rebuilt
    // in directive with every '*' replaced by the number it takes.
    const char* start = p++;
    std::string directive = "%";
    while (*p && std::strchr("-+ #0", *p)) directive += *p++;
    if (*p == '*') {
      ++p;
      directive += std::to_string(va_arg(args, int));
    } else {
      while (*p >= '0' && *p <= '9') directive += *p++;
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        ++p;
        // A negative precision counts as none.
        const int precision = va_arg(args, int);
        if (precision >= 0) directive += "." + std::to_string(precision);
      } else {
        directive += '.';
        while (*p >= '0' && *p <= '9') directive += *p++;
      }
    }
    TLength length = TLength::None;
    const char* lengthStart = p;
    if (p[0] == 'h' && p[1] == 'h') {
      length = TLength::Char;
      p += 2;
    } else if (p[0] == 'l' && p[1] == 'l') {
      length = TLength::LongLong;
      p += 2;
    } else if (*p == 'h') {
      length = TLength::Short;
      ++p;
    } else if (*p == 'l') {
      length = TLength::Long;
      ++p;
    } else if (*p == 'j') {
      length = TLength::Max;
      ++p;
    } else if (*p == 'z') {
      length = TLength::Size;
      ++p;
    } else if (*p == 't') {
      length = TLength::Difference;
      ++p;
    } else if (*p == 'L') {
      length = TLength::LongDouble;
      ++p;
    }
    const std::string lengthText(lengthStart, p);
    const char conversion = *p;
    if (!conversion || !std::strchr("%diouxXcsSpfFeEgGaAn", conversion)) {
      Append(pos, start);
      break;
    }
    ++p;
    piece[0] = '\0';
    switch (conversion) {
      case '%':
        std::strcpy(piece, "%");
        break;
      case 'd':
      case 'i':
        FormatInteger(piece, directive + lengthText + conversion, true, length, args);
        break;
      case 'o':
      case 'u':
      case 'x':
      case 'X':
        FormatInteger(piece, directive + lengthText + conversion, false, length, args);
        break;
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (length == TLength::LongDouble)
          std::snprintf(piece, sizeof piece, (directive + 'L' + conversion).c_str(), va_arg(args, long double));
        else
          std::snprintf(piece, sizeof piece, (directive + conversion).c_str(), va_arg(args, double));
        break;
      case 'p':
        std::snprintf(piece, sizeof piece, (directive + 'p').c_str(), va_arg(args, void*));
        break;
      case 'n':
        // Takes its pointer and stores nothing: a log line writes no memory.
        (void)va_arg(args, void*);
        break;
      case 'c': {
        std::string text;
        if (length == TLength::Long) {
          // wint_t may be narrower than int and arrives promoted.
          const wchar_t w[2] = {static_cast<wchar_t>(va_arg(args, int)), 0};
          text = WideToCp1251(w);
        } else {
          text.assign(1, static_cast<char>(va_arg(args, int)));
        }
        // A zero character ends the line, as it would in the C library's output.
        std::snprintf(piece, sizeof piece, (directive + 's').c_str(), text.c_str());
        break;
      }
      case 's':
      case 'S': {
        std::string text;
        if (length == TLength::Long || conversion == 'S') {
          const wchar_t* w = va_arg(args, const wchar_t*);
          text = w ? WideToCp1251(w) : "(null)";
        } else {
          const char* s = va_arg(args, const char*);
          text = s ? s : "(null)";
        }
        // Width and precision apply as to a narrow string.
        std::snprintf(piece, sizeof piece, (directive + 's').c_str(), text.c_str());
        break;
      }
      default:
        break;
    }
    Append(pos, piece);
  }
  va_end(args);
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
