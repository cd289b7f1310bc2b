#pragma once
// One choice of the versus start menu: a label and a row of check buttons of
// which exactly one is ticked, as radio buttons behave. Not a window itself:
// its label and buttons are children of the menu, which passes their clicks on.

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Geometry.h"

class TWindow;
class TWinCheckButton;

class TChoiceRow {
 public:
  // The label across in_area's top, the buttons side by side under it, the
  // one numbered in_chosen ticked. in_menu is their parent and owner.
  TChoiceRow(TWindow* in_menu, const TRect& in_area, const std::wstring& in_label,
             const std::vector<std::wstring>& in_options, int32_t in_chosen);
  TChoiceRow(const TChoiceRow&) = delete;
  TChoiceRow& operator=(const TChoiceRow&) = delete;

  // Whether in_sender is one of this row's buttons; if so, it becomes the
  // ticked one (a click on the ticked button leaves it ticked).
  bool Take(const TWindow* in_sender);
  // The number of the ticked button.
  int32_t Chosen() const { return Chosen_; }
  const std::vector<TWinCheckButton*>& Buttons() const { return Buttons_; }

  // Height of a row: the label and the buttons.
  static constexpr int32_t kHeight = 60;

 private:
  std::vector<TWinCheckButton*> Buttons_;
  int32_t Chosen_;
};
