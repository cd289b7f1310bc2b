#include "world/TMapUnit.h"

#include <map>
#include <utility>

#include "graphics/TextureRegistry.h"

namespace {

const wchar_t* const kStateNames[kAnimationStateCount] = {L"attack",  L"beenhit", L"over",
                                                          L"paused", L"running", L"stopped"};

}  // namespace

const TAnimationPaths& UnitAnimationPaths(const std::wstring& in_folder) {
  static std::map<std::wstring, TAnimationPaths> made;
  const auto found = made.find(in_folder);
  if (found != made.end()) return found->second;
  TAnimationPaths paths;
  for (int state = 0; state < kAnimationStateCount; ++state)
    paths[state] = L"res/Unit/" + in_folder + L"/" + kStateNames[state] + L".tif";
  return made.emplace(in_folder, std::move(paths)).first->second;
}

TMapUnit::TMapUnit(const TAnimationPaths& in_paths) {
  for (int state = 0; state < kAnimationStateCount; ++state)
    Sheets_[state] = FindTextureAs<TUnitSprite>(in_paths[state]);
  for (TUnitSprite* sheet : Sheets_) sheet->Acquire();
  CurrentAnimation = Sheets_[kPaused];
}

TMapUnit::~TMapUnit() {
  for (int state = kAnimationStateCount; state-- > 0;) Sheets_[state]->Release();
}

void TMapUnit::Describe(std::wostream& out) const { out << L"Не известно"; }
