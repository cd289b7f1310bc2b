#include "net/NetTrace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/Win32.h"

void NetTrace(const char* in_format, ...) {
  static const bool on = std::getenv("KRAMBOL_NET_TRACE") != nullptr;
  if (!on) return;
  char line[512];
  va_list arguments;
  va_start(arguments, in_format);
  std::vsnprintf(line, sizeof line, in_format, arguments);
  va_end(arguments);
  // One write per line, so that lines of two copies sharing a log do not mix.
  std::fprintf(stderr, "[%lu] %s\n", static_cast<unsigned long>(timeGetTime()), line);
  std::fflush(stderr);
}
