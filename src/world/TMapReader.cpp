#include "world/TMapReader.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr int kMaxFloatLength = 127;
// At most this many characters of a token are shown as what was found.
constexpr size_t kShownLength = 24;

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// The characters in «», control characters as \xNN, cut after kShownLength
// characters with "…".
std::wstring Shown(const std::wstring& in_text) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring out = L"«";
  for (size_t i = 0; i < in_text.size() && i < kShownLength; ++i) {
    const unsigned c = static_cast<unsigned>(in_text[i]);
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      out += L"\\x";
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<wchar_t>(c);
    }
  }
  if (in_text.size() > kShownLength) out += L"…";
  out += L"»";
  return out;
}

}  // namespace

int TMapReader::Peek() {
  const auto c = In_.sgetc();
  return c == std::streambuf::traits_type::eof() ? kEnd : static_cast<unsigned char>(c);
}

int TMapReader::Bump() {
  const auto c = In_.sbumpc();
  if (c == std::streambuf::traits_type::eof()) return kEnd;
  if (c == '\n') {
    ++Next_.Line;
    Next_.Column = 1;
  } else {
    ++Next_.Column;
  }
  return static_cast<unsigned char>(c);
}

int TMapReader::Get() {
  const int c = Bump();
  if (c == '\r' && Peek() == '\n') {
    Bump();
    return '\n';
  }
  return c;
}

void TMapReader::SkipBlanks() {
  while (IsBlank(Peek())) Bump();
}

void TMapReader::StartToken() {
  SkipBlanks();
  Token_ = Next_;
}

void TMapReader::FailAt(TPosition in_at, const wchar_t* in_expected, const std::wstring& in_consumed) {
  Failed_ = true;
  if (Problem_.Exists()) return;
  std::wstring found = in_consumed;
  // The reader has failed: taking the rest of the token to show it changes nothing it reads.
  while (found.size() <= kShownLength && Peek() != kEnd && !IsBlank(Peek())) found.push_back(static_cast<wchar_t>(Bump()));
  Problem_.Line = in_at.Line;
  Problem_.Column = in_at.Column;
  Problem_.Expected = in_expected ? in_expected : L"";
  Problem_.Found = found.empty() ? L"конец файла" : Shown(found);
}

void TMapReader::NoteUnusable(TPosition in_at, const wchar_t* in_expected, const std::wstring& in_found) {
  if (Problem_.Exists()) return;
  Problem_.Line = in_at.Line;
  Problem_.Column = in_at.Column;
  Problem_.Expected = in_expected ? in_expected : L"";
  Problem_.Found = Shown(in_found);
}

void TMapReader::NoteTrailing(const wchar_t* in_expected) {
  if (Failed_ || Problem_.Exists()) return;
  StartToken();
  if (Peek() == kEnd) return;
  std::wstring found;
  while (found.size() <= kShownLength && Peek() != kEnd && !IsBlank(Peek())) found.push_back(static_cast<wchar_t>(Bump()));
  NoteUnusable(Token_, in_expected, found);
}

void TMapReader::NameProblemPlace(const std::wstring& in_where) {
  if (Problem_.Exists() && Problem_.Where.empty()) Problem_.Where = in_where;
}

bool TMapReader::ReadChar(wchar_t& out, const wchar_t* in_expected) {
  if (Failed_) return false;
  StartToken();
  const int c = Get();
  if (c == kEnd) {
    FailAt(Token_, in_expected, std::wstring());
    return false;
  }
  out = static_cast<wchar_t>(c);
  return true;
}

bool TMapReader::ReadInt(int32_t& out, const wchar_t* in_expected) {
  if (Failed_) return false;
  StartToken();
  // What the read takes, kept only as far as a problem would show it.
  char consumed[kShownLength + 1];
  size_t length = 0;
  bool negative = false;
  if (Peek() == '+' || Peek() == '-') {
    negative = Peek() == '-';
    consumed[length++] = static_cast<char>(Get());
  }
  // The magnitude is gathered up to one past the largest that fits; further
  // digits are consumed without growing it.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 2;
  int64_t magnitude = 0;
  bool digits = false;
  while (IsDigit(Peek())) {
    digits = true;
    const int digit = Get();
    if (length <= kShownLength) consumed[length++] = static_cast<char>(digit);
    magnitude = std::min(kLimit, magnitude * 10 + (digit - '0'));
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (!digits || value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) {
    FailAt(Token_, in_expected, std::wstring(consumed, consumed + length));
    return false;
  }
  out = static_cast<int32_t>(value);
  return true;
}

bool TMapReader::ReadFloat(float& out, const wchar_t* in_expected) {
  if (Failed_) return false;
  StartToken();
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
    FailAt(Token_, in_expected, std::wstring(text, text + std::min<size_t>(length, kShownLength + 1)));
    return false;
  }
  out = value;
  return true;
}

bool TMapReader::ReadName(std::wstring& out, const wchar_t* in_opening, const wchar_t* in_closing) {
  out.clear();
  wchar_t opening;
  if (!ReadChar(opening, in_opening)) return false;
  if (opening != L'"') NoteUnusable(Token_, in_opening, std::wstring(1, opening));
  while (true) {
    if (static_cast<int>(out.size()) == kMaxNameLength) {
      if (Peek() == '"') {
        Get();
        return true;
      }
      FailAt(Next_, in_closing, std::wstring());
      return false;
    }
    const TPosition at = Next_;
    const int c = Get();
    if (c == kEnd) {
      FailAt(at, in_closing, std::wstring());
      return false;
    }
    if (c == '"') return true;
    out.push_back(static_cast<wchar_t>(c));
  }
}
