#include "editor/MapCheckReport.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "editor/MapCheck.h"
#include "world/MapFile.h"
#include "world/NumberText.h"
#include "world/TMapReader.h"
#include "world/Utf8Text.h"
#include "world/WorldState.h"

namespace {

// Narrow literals of the game's code are CP1251; what this prints is UTF-8,
// so every text is written wide and converted.
const std::string kUsage = Utf8Text(L"использование: mapcheck [--strict] ФАЙЛ...\n");

}  // namespace

std::string MapProblemLine(const std::string& in_file, const TMapReadProblem& in_problem) {
  std::string line = in_file + ":";
  AppendDecimal(line, in_problem.Line);
  line += ":";
  AppendDecimal(line, in_problem.Column);
  line += ": ";
  std::wstring text;
  if (!in_problem.Where.empty()) text += in_problem.Where + L": ";
  text += L"ожидалось: " + in_problem.Expected + L", найдено: " + in_problem.Found;
  return line + Utf8Text(text);
}

int RunMapCheck(const std::vector<std::string>& in_arguments, std::string& out_text) {
  bool strict = false;
  std::vector<std::string> files;
  bool options = true;
  for (const std::string& argument : in_arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--strict") {
      strict = true;
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      out_text += Utf8Text(L"mapcheck: неизвестный ключ ") + argument + "\n" + kUsage;
      return 2;
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty()) {
    out_text += kUsage;
    return 2;
  }

  int32_t errors = 0;
  int32_t warnings = 0;
  for (const std::string& file : files) {
    // Only a regular file is read, as the game reads maps: a pipe could block.
    std::error_code error;
    std::filebuf bytes;
    if (!std::filesystem::is_regular_file(file, error) || !bytes.open(file, std::ios::in | std::ios::binary)) {
      out_text += file + Utf8Text(L": не удалось открыть файл\n");
      ++errors;
      continue;
    }
    TMapReadProblem problem;
    ReadMapFromStream(bytes, &problem);
    if (problem.Exists()) {
      out_text += MapProblemLine(file, problem) + "\n";
      ++errors;
    }
    // A file without cells has said so already: its size is the problem.
    if (MapColumns > 0 && MapRows > 0) {
      for (const std::wstring& warning : CheckMap()) {
        out_text += file + Utf8Text(L": предупреждение: " + warning) + "\n";
        ++warnings;
      }
    }
    ClearMap();
  }
  out_text += Utf8Text(L"Файлов: " + DecimalText(static_cast<int32_t>(files.size())) + L", ошибок: " +
                       DecimalText(errors) + L", предупреждений: " + DecimalText(warnings) + L"\n");
  return errors > 0 || (strict && warnings > 0) ? 1 : 0;
}
