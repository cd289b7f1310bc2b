#include "versus/TChoiceRow.h"

#include "toolkit/Notify.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinText.h"

namespace {
constexpr int32_t kLabelHeight = 25;
constexpr int32_t kButtonHeight = 30;
constexpr int32_t kGap = 10;
}  // namespace

TChoiceRow::TChoiceRow(TWindow* in_menu, const TRect& in_area, const std::wstring& in_label,
                       const std::vector<std::wstring>& in_options, int32_t in_chosen)
    : Chosen_(in_chosen) {
  new TWinText(TRect{in_area.x, in_area.y, in_area.width, kLabelHeight}, in_menu, in_label);
  const int32_t count = static_cast<int32_t>(in_options.size());
  const int32_t width = count > 0 ? (in_area.width - kGap * (count - 1)) / count : 0;
  for (int32_t i = 0; i < count; ++i) {
    const TRect rect{in_area.x + i * (width + kGap), in_area.y + kLabelHeight, width, kButtonHeight};
    Buttons_.push_back(new TWinCheckButton(in_menu, in_menu, rect, in_options[static_cast<size_t>(i)], i == in_chosen));
  }
}

bool TChoiceRow::Take(const TWindow* in_sender) {
  for (size_t i = 0; i < Buttons_.size(); ++i) {
    if (Buttons_[i] != in_sender) continue;
    Chosen_ = static_cast<int32_t>(i);
    for (size_t k = 0; k < Buttons_.size(); ++k)
      Buttons_[k]->OnNotify(nullptr, Buttons_[k], kNotifySetValue, k == i ? 1 : 0, 0);
    return true;
  }
  return false;
}
