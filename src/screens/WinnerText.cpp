#include "screens/WinnerText.h"

std::wstring WinnerText;
