#pragma once
// The check panel: "Проверка карты" and the warnings of the map check, one per
// line, or "Замечаний нет." when there are none. It paints itself into its
// parent's surface and takes no input.

#include <string>
#include <vector>

#include "toolkit/TWindow.h"

class TEditorCheckView : public TWindow {
 public:
  TEditorCheckView(TWindow* parent, const TRect& rect);
  ~TEditorCheckView() override = default;

  void Draw() override;
  void SetSize(int32_t, int32_t) override {}
  bool OnKeyDown() override { return false; }

  // Shows these warnings from the next repaint on.
  void Show(std::vector<std::wstring> in_warnings);

  std::vector<std::wstring> Warnings;
};
