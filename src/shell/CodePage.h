#pragma once
// Conversion between wide text and the CP1251 narrow texts of the error log,
// the window title and the message boxes, the same on every system.

#include <string>

// Characters that CP1251 cannot hold become '?'.
std::string WideToCp1251(const std::wstring& text);
std::wstring Cp1251ToWide(const std::string& text);
