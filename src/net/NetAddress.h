#pragma once
// Addresses as players type and read them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32.h"

namespace NNet {

// The port a host listens on unless the player picks another.
constexpr uint16_t kDefaultPort = 47210;

struct THostAndPort {
  std::string Host;
  uint16_t Port = kDefaultPort;
};

// Reads what a player typed as an address: a name or an IPv4 address, with
// ":port" after it or not; an IPv6 address, bare or in brackets ("[::1]",
// "[::1]:5000"). Blanks around it do not count. False for an empty text, a
// port that is no number from 1 to 65535, or brackets that do not close.
bool ParseAddress(const std::string& in_text, uint16_t in_defaultPort, THostAndPort& out_address);

// Reads a port as typed: a number from 1 to 65535, digits only.
bool ParsePort(const std::string& in_text, uint16_t& out_port);

// The address as a player reads it: "192.168.1.5" or "fe80::1"; empty when it cannot be written.
std::string AddressText(const sockaddr* in_address, int in_length);

// The addresses of this machine a guest elsewhere may use, IPv4 first, then
// IPv6; loopback and link-local addresses only when there is nothing else.
// Needs Windows Sockets started.
std::vector<std::string> OwnAddresses();

}  // namespace NNet
