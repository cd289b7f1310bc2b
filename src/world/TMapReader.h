#pragma once
// Reads the tokens of a map file from its bytes. Each byte is the character of
// the same code (ISO 8859-1), and CR LF reads as one line break. Blanks, tabs
// and line breaks are skipped before every single character and every number.
// Once a read fails (the end of the input, a number that does not parse, a name
// that is too long), every later read fails too. A failed read of a single
// character or a number leaves its target unchanged.
//
// Besides reading, the reader keeps the line and column it has reached and the
// first problem met: the first failed read, or the first token its caller
// noted as unusable although it read (a wrong mark, a value the game drops).
// Keeping it never changes what is read.

#include <cstdint>
#include <streambuf>
#include <string>

// Where reading a map stopped, or the first token it could not use.
struct TMapReadProblem {
  // Line and column of the token, counted from 1 (a line break ends a line;
  // every other byte is one column). Line 0: no problem.
  int32_t Line = 0;
  int32_t Column = 0;
  // Which part of the map the token belongs to, when known ("клетка (3, 5)").
  std::wstring Where;
  // What the format wants there, and what the file holds there: a few
  // characters in «» or "конец файла".
  std::wstring Expected;
  std::wstring Found;

  bool Exists() const { return Line > 0; }
};

class TMapReader {
 public:
  // The longest name a file can hold, in characters.
  static constexpr int kMaxNameLength = 99;

  // A place in the input: line and column, counted from 1.
  struct TPosition {
    int32_t Line = 1;
    int32_t Column = 1;
  };

  // Reads from in_bytes, which must outlive the reader.
  explicit TMapReader(std::streambuf& in_bytes) : In_(in_bytes) {}
  TMapReader(const TMapReader&) = delete;
  TMapReader& operator=(const TMapReader&) = delete;

  bool Failed() const { return Failed_; }
  // Makes this and every later read fail.
  void Fail() { Failed_ = true; }

  // Each read may say what it expects (in_expected, kept by the reader only
  // when the read fails first; it must outlive the call).
  //
  // One character, after skipping blanks. Fails at the end of the input.
  bool ReadChar(wchar_t& out, const wchar_t* in_expected = nullptr);
  // A decimal 32-bit integer with an optional sign, after skipping blanks.
  // Fails without digits or when the value does not fit.
  bool ReadInt(int32_t& out, const wchar_t* in_expected = nullptr);
  // A decimal float (sign, digits, point, digits, exponent), after skipping
  // blanks. Fails without digits, with an exponent marker not followed by
  // digits, with a value out of the float range, and with a token longer than
  // 127 characters.
  bool ReadFloat(float& out, const wchar_t* in_expected = nullptr);
  // A name: one character (the opening quote) after skipping blanks, then every
  // following character, blanks and line breaks included, up to the next double
  // quote, which is consumed and not stored. out becomes the characters read:
  // empty when the opening character could not be read; when the input ends
  // first, the characters up to the end, and the reader fails; when 99
  // characters are not followed by a quote, those 99, and the reader fails.
  // in_opening and in_closing say what is expected of the two quotes.
  bool ReadName(std::wstring& out, const wchar_t* in_opening = nullptr, const wchar_t* in_closing = nullptr);

  // Where the token of the last read began (after the blanks it skipped).
  TPosition LastToken() const { return Token_; }
  // Notes, unless a problem is known already, that the token at in_at was read
  // but cannot be used: in_expected is what the format wants there, in_found
  // the token as the file holds it (shown in «»). Reading goes on unchanged.
  void NoteUnusable(TPosition in_at, const wchar_t* in_expected, const std::wstring& in_found);
  // Notes, unless the reader has failed or a problem is known already, anything
  // but blanks from here to the end of the input as unusable.
  void NoteTrailing(const wchar_t* in_expected);
  // The first problem met so far; Line 0 while there is none.
  const TMapReadProblem& Problem() const { return Problem_; }
  // Names the part of the map the known problem belongs to, if it has no name yet.
  void NameProblemPlace(const std::wstring& in_where);

 private:
  static constexpr int kEnd = -1;
  // The next byte without consuming it, or kEnd.
  int Peek();
  // Consumes one byte, following the line and column; gives it, or kEnd.
  int Bump();
  // Consumes the next character, CR LF as one line break, or gives kEnd.
  int Get();
  void SkipBlanks();
  // Skips blanks and marks where the next token begins.
  void StartToken();
  // Fails the reader. The first failure is kept as the problem, at in_at, with
  // in_consumed (what the failed read took) and the characters that follow it
  // up to the next blank as what was found.
  void FailAt(TPosition in_at, const wchar_t* in_expected, const std::wstring& in_consumed);

  std::streambuf& In_;
  bool Failed_ = false;
  TPosition Next_;
  TPosition Token_;
  TMapReadProblem Problem_;
};
