#pragma once
// What the network game tells its player, in the program's own words: the
// join code as the host shows it and the guest types it, the box that ends a
// game that could not go on, and where the position was kept.

#include <cstdint>
#include <string>

#include "net/TNetSession.h"

namespace NNet {

// A new join code for a host: six digits, the first not 0, not from the
// game's dice (which both copies must keep in step).
uint32_t NewJoinCode();
// The code as six digits, "482913".
std::wstring JoinCodeText(uint32_t in_code);
// Reads a typed code: six digits, blanks around and between them not
// counting; false for anything else.
bool ParseJoinCode(const std::wstring& in_text, uint32_t& out_code);

// The box's text for a session that failed: what happened in plain Russian,
// then, when in_savedAs is not empty, the file the position was saved to, or
// with in_saveFailed that it could not be saved.
std::wstring FaultText(const TNetSession& in_session, const std::wstring& in_savedAs, bool in_saveFailed);

// Saves the world as it is now to the first free name "Сеть01.map" to
// "Сеть99.map" in the working folder, never over a file that is there;
// answers the name, or an empty one when nothing could be saved.
std::wstring SaveNetworkPosition();

}  // namespace NNet
