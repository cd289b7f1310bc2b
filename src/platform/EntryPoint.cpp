// The process entry on hosts without Windows: hands over to the executable's
// WinMain as the Windows loader would, with the command line after the
// program's name. Arguments are joined with blanks; one that holds a blank,
// a tab or a double quote (or is empty) is put in double quotes, its quotes
// written as \", as Windows programs quote their arguments.
#include <string>

#include "platform/Win32.h"

namespace {

std::string Quoted(const std::string& in_argument) {
  if (!in_argument.empty() && in_argument.find_first_of(" \t\"") == std::string::npos) return in_argument;
  std::string quoted = "\"";
  for (const char c : in_argument) {
    if (c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += Quoted(argv[i]);
  }
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
