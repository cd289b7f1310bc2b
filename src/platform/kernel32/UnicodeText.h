#pragma once
// Internal to the platform layer: conversions between UTF-8, the host's wide
// strings (one wchar_t per code point on hosts without Windows) and UTF-16.
// Malformed input never fails: each byte or unit that cannot be decoded becomes U+FFFD.

#include <string>
#include <string_view>

// Appends one code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// The wide string up to its terminating zero, as UTF-8; null gives "".
std::string Utf8FromWide(const wchar_t* text);

// UTF-8 as one wchar_t per code point.
std::wstring WideFromUtf8(std::string_view utf8);

// UTF-8 as UTF-16 code units (characters past U+FFFF become surrogate pairs).
std::u16string Utf16FromUtf8(std::string_view utf8);
