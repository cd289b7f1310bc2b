#include "world/TMapReader.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr int kMaxFloatLength = 127;

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

int TMapReader::Peek() {
  const auto c = In_.sgetc();
  return c == std::streambuf::traits_type::eof() ? kEnd : static_cast<unsigned char>(c);
}

int TMapReader::Get() {
  const auto c = In_.sbumpc();
  if (c == std::streambuf::traits_type::eof()) return kEnd;
  if (c == '\r' && Peek() == '\n') {
    In_.sbumpc();
    return '\n';
  }
  return static_cast<unsigned char>(c);
}

void TMapReader::SkipBlanks() {
  while (IsBlank(Peek())) In_.sbumpc();
}

bool TMapReader::ReadChar(wchar_t& out) {
  if (Failed_) return false;
  SkipBlanks();
  const int c = Get();
  if (c == kEnd) {
    Failed_ = true;
    return false;
  }
  out = static_cast<wchar_t>(c);
  return true;
}

bool TMapReader::ReadInt(int32_t& out) {
  if (Failed_) return false;
  SkipBlanks();
  bool negative = false;
  if (Peek() == '+' || Peek() == '-') negative = Get() == '-';
  // The magnitude is gathered up to one past the largest that fits; further
  // digits are consumed without growing it.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 2;
  int64_t magnitude = 0;
  bool digits = false;
  while (IsDigit(Peek())) {
    digits = true;
    magnitude = std::min(kLimit, magnitude * 10 + (Get() - '0'));
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (!digits || value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) {
    Failed_ = true;
    return false;
  }
  out = static_cast<int32_t>(value);
  return true;
}

bool TMapReader::ReadFloat(float& out) {
  if (Failed_) return false;
  SkipBlanks();
  char text[kMaxFloatLength + 1];
  int length = 0;
  bool tooLong = false;
  const auto keep = [&](int c) {
    if (length < kMaxFloatLength)
      text[length++] = static_cast<char>(c);
    else
      tooLong = true;
  };
  // A leading '+' is dropped: the conversion takes only '-'.
  if (Peek() == '+') {
    Get();
  } else if (Peek() == '-') {
    keep(Get());
  }
  bool digits = false;
  while (IsDigit(Peek())) {
    digits = true;
    keep(Get());
  }
  if (Peek() == '.') {
    keep(Get());
    while (IsDigit(Peek())) {
      digits = true;
      keep(Get());
    }
  }
  bool complete = digits;
  if (digits && (Peek() == 'e' || Peek() == 'E')) {
    keep(Get());
    if (Peek() == '+' || Peek() == '-') keep(Get());
    complete = false;
    while (IsDigit(Peek())) {
      complete = true;
      keep(Get());
    }
  }
  float value = 0.0f;
  if (complete && !tooLong) {
    const auto result = std::from_chars(text, text + length, value, std::chars_format::general);
    complete = result.ec == std::errc() && result.ptr == text + length;
  }
  if (!complete || tooLong) {
    Failed_ = true;
    return false;
  }
  out = value;
  return true;
}

bool TMapReader::ReadName(std::wstring& out) {
  out.clear();
  wchar_t opening;
  if (!ReadChar(opening)) return false;
  while (true) {
    if (static_cast<int>(out.size()) == kMaxNameLength) {
      if (Peek() == '"') {
        Get();
        return true;
      }
      Failed_ = true;
      return false;
    }
    const int c = Get();
    if (c == kEnd) {
      Failed_ = true;
      return false;
    }
    if (c == '"') return true;
    out.push_back(static_cast<wchar_t>(c));
  }
}
