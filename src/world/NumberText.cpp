#include "world/NumberText.h"

#include <charconv>

namespace {

// Long enough for any int32 and for any float in the general format with 6 digits.
constexpr int kNumberBufferSize = 32;

std::wstring Widen(const char* begin, const char* end) { return std::wstring(begin, end); }

}  // namespace

std::wstring DecimalText(int32_t in_value) {
  char buffer[kNumberBufferSize];
  const auto result = std::to_chars(buffer, buffer + kNumberBufferSize, in_value);
  return Widen(buffer, result.ptr);
}

std::wstring FloatText(float in_value) {
  char buffer[kNumberBufferSize];
  const auto result = std::to_chars(buffer, buffer + kNumberBufferSize, in_value, std::chars_format::general, 6);
  return Widen(buffer, result.ptr);
}

void AppendDecimal(std::string& out, int32_t in_value) {
  char buffer[kNumberBufferSize];
  const auto result = std::to_chars(buffer, buffer + kNumberBufferSize, in_value);
  out.append(buffer, result.ptr);
}

void AppendFloat(std::string& out, float in_value) {
  char buffer[kNumberBufferSize];
  const auto result = std::to_chars(buffer, buffer + kNumberBufferSize, in_value, std::chars_format::general, 6);
  out.append(buffer, result.ptr);
}
