#include "autoplay/TPolicy.h"

#include "autoplay/TGreedyPolicy.h"
#include "autoplay/TRandomPolicy.h"

std::unique_ptr<TPolicy> MakePolicy(const std::string& in_name, uint32_t in_seed) {
  if (in_name == "random") return std::make_unique<TRandomPolicy>(in_seed);
  if (in_name == "greedy") return std::make_unique<TGreedyPolicy>(in_seed);
  return nullptr;
}

bool IsPolicyName(const std::string& in_name) { return in_name == "random" || in_name == "greedy"; }

const std::vector<std::array<std::string, 2>>& MixedPairings() {
  // A policy added to MakePolicy joins here against the others, on both sides.
  static const std::vector<std::array<std::string, 2>> pairings = {
      {"random", "greedy"}, {"greedy", "random"}, {"greedy", "greedy"}, {"random", "random"}};
  return pairings;
}
