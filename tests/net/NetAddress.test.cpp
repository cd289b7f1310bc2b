// Addresses as a player types them.
#include <gtest/gtest.h>

#include "net/NetAddress.h"

namespace {

std::string Read(const std::string& in_text) {
  NNet::THostAndPort address;
  if (!NNet::ParseAddress(in_text, 47210, address)) return "(refused)";
  return address.Host + " " + std::to_string(address.Port);
}

}  // namespace

TEST(NetAddress, NamesAndAddressesOfBothFamiliesWithOrWithoutAPort) {
  EXPECT_EQ(Read("192.168.1.5"), "192.168.1.5 47210");
  EXPECT_EQ(Read("  192.168.1.5:5000 "), "192.168.1.5 5000");
  EXPECT_EQ(Read("friend.example"), "friend.example 47210");
  EXPECT_EQ(Read("friend.example:65535"), "friend.example 65535");
  EXPECT_EQ(Read("::1"), "::1 47210");
  EXPECT_EQ(Read("fe80::1:2"), "fe80::1:2 47210");
  EXPECT_EQ(Read("[::1]"), "::1 47210");
  EXPECT_EQ(Read("[2001:db8::7]:1"), "2001:db8::7 1");
}

TEST(NetAddress, WhatIsNoAddressIsRefused) {
  for (const char* text : {"", "   ", ":5000", "host:", "host:0", "host:65536", "host:12a", "host:-1",
                           "[::1", "[]", "[::1]5000", "[::1]:", "two words", "host:1234567"}) {
    EXPECT_EQ(Read(text), "(refused)") << text;
  }
}

TEST(NetAddress, APortIsANumberFrom1To65535) {
  uint16_t port = 0;
  EXPECT_TRUE(NNet::ParsePort("1", port));
  EXPECT_EQ(port, 1);
  EXPECT_TRUE(NNet::ParsePort("65535", port));
  EXPECT_EQ(port, 65535);
  for (const char* text : {"", "0", "65536", "99999", "1x", " 5", "+5", "000001"}) EXPECT_FALSE(NNet::ParsePort(text, port)) << text;
}
