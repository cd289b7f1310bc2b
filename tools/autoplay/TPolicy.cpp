#include "autoplay/TPolicy.h"

#include "autoplay/TComputerPolicy.h"
#include "autoplay/TRandomPolicy.h"
#include "opponent/TStrongPlayer.h"

std::unique_ptr<TPolicy> MakePolicy(const std::string& in_name, uint32_t in_seed) {
  if (in_name == "random") return std::make_unique<TRandomPolicy>(in_seed);
  if (in_name == "greedy") return std::make_unique<TComputerPolicy>(MakeComputerPlayer(TStrength::Easy, in_seed));
  if (in_name == "strong") return std::make_unique<TComputerPolicy>(MakeComputerPlayer(TStrength::Strong, in_seed));
  // The strong player's search two orders deep, which the program does not play.
  if (in_name == "strong2")
    return std::make_unique<TComputerPolicy>(
        std::make_unique<TStrongPlayer>(in_seed, TStrongPlayer::kDefaultBudget, TStrongWeights{}, 2));
  return nullptr;
}

bool IsPolicyName(const std::string& in_name) {
  return in_name == "random" || in_name == "greedy" || in_name == "strong" || in_name == "strong2";
}

const std::vector<std::array<std::string, 2>>& MixedPairings() {
  // A policy added to MakePolicy joins here against the others, on both sides.
  static const std::vector<std::array<std::string, 2>> pairings = {
      {"random", "greedy"}, {"greedy", "random"}, {"greedy", "greedy"}, {"random", "random"},
      {"strong", "greedy"}, {"greedy", "strong"}};
  return pairings;
}
