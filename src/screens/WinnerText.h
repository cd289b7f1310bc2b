#pragma once
// The text the finish screen announces: "Выйграл Игрок:\n" and the winner's
// name, set by the victory check just before it requests the finish screen.
// Empty until a game has been won.

#include <string>

extern std::wstring WinnerText;
