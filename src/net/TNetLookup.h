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
  // Answers a name's lookup in place of the system's resolver: 0 with the
  // addresses, or the lookup's error.
  using TNameResolver = int (*)(const std::string& in_host, uint16_t in_port, std::vector<TPeerAddress>& out_addresses);
  // Tests: names are looked up with in_resolver from now on (an address
  // typed as digits is still read as it is), so that a name that is found or
  // not found is tested without asking any server; null gives the system's
  // resolver back.
  static void SetNameResolverForTests(TNameResolver in_resolver);

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
