#pragma once
// Looks a host's addresses up without stopping the GUI thread: a numeric
// address at once, a name on a helper thread whose answer the owner picks up
// with Done. The helper touches nothing but the lookup itself, so that an
// owner that goes away first leaves it to end alone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Win32.h"

namespace NNet {

// One address to try: its family and its bytes.
struct TPeerAddress {
  int Family = AF_INET;
  sockaddr_storage Address{};
  int Length = 0;
};

class TNetLookup {
 public:
  // Starts looking in_host up for TCP on in_port (both families).
  TNetLookup(const std::string& in_host, uint16_t in_port);
  TNetLookup(const TNetLookup&) = delete;
  TNetLookup& operator=(const TNetLookup&) = delete;

  // Whether the answer is in; then Addresses and Error tell it.
  bool Done() const;
  // The addresses found, in the resolver's order; empty when none were.
  const std::vector<TPeerAddress>& Addresses() const;
  // 0, or the lookup's error (WSAHOST_NOT_FOUND for a name there is not).
  int Error() const;

 private:
  struct TJob;
  std::shared_ptr<TJob> Job_;
};

}  // namespace NNet
