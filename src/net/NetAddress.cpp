#include "net/NetAddress.h"

#include <algorithm>
#include <cctype>

namespace NNet {

namespace {

std::string Trimmed(const std::string& in_text) {
  size_t first = 0;
  size_t last = in_text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(in_text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(in_text[last - 1]))) --last;
  return in_text.substr(first, last - first);
}

}  // namespace

bool ParsePort(const std::string& in_text, uint16_t& out_port) {
  if (in_text.empty() || in_text.size() > 5) return false;
  uint32_t value = 0;
  for (const char c : in_text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value < 1 || value > 65535) return false;
  out_port = static_cast<uint16_t>(value);
  return true;
}

namespace {

// Whether the address is one a player elsewhere could not use.
bool OnlyHere(const sockaddr* in_address) {
  if (in_address->sa_family == AF_INET) {
    const ULONG address = ntohl(reinterpret_cast<const sockaddr_in*>(in_address)->sin_addr.s_addr);
    return (address >> 24) == 127 || (address >> 16) == 0xA9FE;  // loopback, link-local
  }
  const BYTE* bytes = reinterpret_cast<const sockaddr_in6*>(in_address)->sin6_addr.s6_addr;
  bool loopback = bytes[15] == 1;
  for (int i = 0; i < 15 && loopback; ++i) loopback = bytes[i] == 0;
  return loopback || (bytes[0] == 0xFE && (bytes[1] & 0xC0) == 0x80);
}

}  // namespace

bool ParseAddress(const std::string& in_text, uint16_t in_defaultPort, THostAndPort& out_address) {
  const std::string text = Trimmed(in_text);
  if (text.empty()) return false;
  THostAndPort address;
  address.Port = in_defaultPort;
  if (text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string::npos || close == 1) return false;
    address.Host = text.substr(1, close - 1);
    const std::string rest = text.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || !ParsePort(rest.substr(1), address.Port))) return false;
  } else if (std::count(text.begin(), text.end(), ':') == 1) {
    const size_t colon = text.find(':');
    address.Host = text.substr(0, colon);
    if (address.Host.empty() || !ParsePort(text.substr(colon + 1), address.Port)) return false;
  } else {
    // No colon, or an IPv6 address with its many.
    address.Host = text;
  }
  for (const char c : address.Host)
    if (std::isspace(static_cast<unsigned char>(c)) || c == '[' || c == ']') return false;
  out_address = address;
  return true;
}

std::string AddressText(const sockaddr* in_address, int in_length) {
  char host[NI_MAXHOST] = {};
  if (getnameinfo(in_address, in_length, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) return {};
  std::string text = host;
  // A scope ("%eth0") means nothing on another machine.
  const size_t percent = text.find('%');
  if (percent != std::string::npos) text.erase(percent);
  return text;
}

std::vector<std::string> OwnAddresses() {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  std::vector<std::string> four;
  std::vector<std::string> six;
  std::vector<std::string> here;
  // The empty name is this machine's own addresses.
  if (getaddrinfo("", nullptr, &hints, &found) == 0) {
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
      const std::string text = AddressText(entry->ai_addr, static_cast<int>(entry->ai_addrlen));
      if (text.empty()) continue;
      std::vector<std::string>& list = OnlyHere(entry->ai_addr) ? here : entry->ai_family == AF_INET ? four : six;
      if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
    }
    freeaddrinfo(found);
  }
  std::vector<std::string> all = four;
  all.insert(all.end(), six.begin(), six.end());
  if (all.empty()) all = here;
  return all;
}

}  // namespace NNet
