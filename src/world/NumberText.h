#pragma once
// Numbers as the map file and the information texts show them. Both ignore the
// program's locale: decimal digits, a '-' sign, '.' as the decimal point.

#include <cstdint>
#include <string>

// The integer in decimal, for example L"-12".
std::wstring DecimalText(int32_t in_value);

// The float in the general format with 6 significant digits, as a text stream
// shows it by default: 3 gives L"3", 2.5 gives L"2.5", 1234567 gives L"1.23457e+06".
std::wstring FloatText(float in_value);

// The same two as narrow ASCII, appended to a byte string.
void AppendDecimal(std::string& out, int32_t in_value);
void AppendFloat(std::string& out, float in_value);
