#pragma once
// Reads the tokens of a map file from its bytes. Each byte is the character of
// the same code (ISO 8859-1), and CR LF reads as one line break. Blanks, tabs
// and line breaks are skipped before every single character and every number.
// Once a read fails (the end of the input, a number that does not parse, a name
// that is too long), every later read fails too. A failed read of a single
// character or a number leaves its target unchanged.

#include <cstdint>
#include <streambuf>
#include <string>

class TMapReader {
 public:
  // The longest name a file can hold, in characters.
  static constexpr int kMaxNameLength = 99;

  // Reads from in_bytes, which must outlive the reader.
  explicit TMapReader(std::streambuf& in_bytes) : In_(in_bytes) {}
  TMapReader(const TMapReader&) = delete;
  TMapReader& operator=(const TMapReader&) = delete;

  bool Failed() const { return Failed_; }
  // Makes this and every later read fail.
  void Fail() { Failed_ = true; }

  // One character, after skipping blanks. Fails at the end of the input.
  bool ReadChar(wchar_t& out);
  // A decimal 32-bit integer with an optional sign, after skipping blanks.
  // Fails without digits or when the value does not fit.
  bool ReadInt(int32_t& out);
  // A decimal float (sign, digits, point, digits, exponent), after skipping
  // blanks. Fails without digits, with an exponent marker not followed by
  // digits, with a value out of the float range, and with a token longer than
  // 127 characters.
  bool ReadFloat(float& out);
  // A name: one character (the opening quote) after skipping blanks, then every
  // following character, blanks and line breaks included, up to the next double
  // quote, which is consumed and not stored. out becomes the characters read:
  // empty when the opening character could not be read; when the input ends
  // first, the characters up to the end, and the reader fails; when 99
  // characters are not followed by a quote, those 99, and the reader fails.
  bool ReadName(std::wstring& out);

 private:
  static constexpr int kEnd = -1;
  // The next byte without consuming it, or kEnd.
  int Peek();
  // Consumes the next character, CR LF as one line break, or gives kEnd.
  int Get();
  void SkipBlanks();

  std::streambuf& In_;
  bool Failed_ = false;
};
