#include "net/WorldDigest.h"

#include "net/NetProtocol.h"
#include "shell/RandomNumber.h"
#include "world/MapFile.h"

namespace NNet {

uint64_t WorldDigest() {
  std::string bytes = WriteMapToBytes();
  const uint32_t dice = RandomNumberState();
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((dice >> shift) & 0xFF));
  return DigestOf(bytes);
}

}  // namespace NNet
