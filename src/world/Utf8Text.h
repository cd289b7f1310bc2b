#pragma once
// Wide text as UTF-8, for file names on hosts without Windows and for text
// written to a terminal.

#include <string>

// Each character as UTF-8; a code unit that is no Unicode scalar value (a lone
// surrogate half, a value past U+10FFFF) becomes '?'.
std::string Utf8Text(const std::wstring& text);

// The UTF-8 bytes as wide text; a byte that does not begin or continue a
// well-formed sequence becomes U+FFFD.
std::wstring WideFromUtf8(const std::string& bytes);
