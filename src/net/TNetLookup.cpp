#include "net/TNetLookup.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace NNet {

struct TNetLookup::TJob {
  std::string Host;
  std::string Service;
  std::vector<TPeerAddress> Addresses;
  int Error = 0;
  std::atomic<bool> Done{false};
};

namespace {

// getaddrinfo into the job's fields; with in_numericOnly, names are not looked up.
int Resolve(const std::string& in_host, const std::string& in_service, bool in_numericOnly,
            std::vector<TPeerAddress>& out_addresses) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  hints.ai_flags = in_numericOnly ? AI_NUMERICHOST : 0;
  addrinfo* found = nullptr;
  const int error = getaddrinfo(in_host.c_str(), in_service.c_str(), &hints, &found);
  if (error != 0) return error;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
    if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
    TPeerAddress address;
    address.Family = entry->ai_family;
    std::memcpy(&address.Address, entry->ai_addr, entry->ai_addrlen);
    address.Length = static_cast<int>(entry->ai_addrlen);
    out_addresses.push_back(address);
  }
  freeaddrinfo(found);
  return out_addresses.empty() ? WSAHOST_NOT_FOUND : 0;
}

}  // namespace

TNetLookup::TNetLookup(const std::string& in_host, uint16_t in_port) : Job_(std::make_shared<TJob>()) {
  Job_->Host = in_host;
  Job_->Service = std::to_string(in_port);
  const int numeric = Resolve(Job_->Host, Job_->Service, true, Job_->Addresses);
  if (numeric == 0 || numeric != WSAHOST_NOT_FOUND) {
    Job_->Error = numeric;
    Job_->Done = true;
    return;
  }
  std::shared_ptr<TJob> job = Job_;
  try {
    std::thread([job] {
      std::vector<TPeerAddress> addresses;
      const int error = Resolve(job->Host, job->Service, false, addresses);
      job->Addresses = std::move(addresses);
      job->Error = error;
      job->Done.store(true, std::memory_order_release);
    }).detach();
  } catch (...) {
    // No thread to be had: the lookup fails as one that found nothing.
    Job_->Error = WSATRY_AGAIN;
    Job_->Done = true;
  }
}

bool TNetLookup::Done() const { return Job_->Done.load(std::memory_order_acquire); }

const std::vector<TPeerAddress>& TNetLookup::Addresses() const { return Job_->Addresses; }

int TNetLookup::Error() const { return Job_->Error; }

}  // namespace NNet
