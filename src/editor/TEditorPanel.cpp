#include "editor/TEditorPanel.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

#include "editor/EditorNotify.h"
#include "editor/EditorTools.h"
#include "editor/TEditorCheckView.h"
#include "editor/TEditorDocument.h"
#include "editor/TEditorField.h"
#include "editor/TEditorPalette.h"
#include "editor/TEditorSlider.h"
#include "graphics/DrawingObjects.h"
#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinScroll.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "world/NumberText.h"
#include "world/TCell.h"
#include "world/TMapReader.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"

namespace {

constexpr const wchar_t* kOrdinaryTrees = L"res/map/trees02_128x128.tif";
constexpr const wchar_t* kBigTrees = L"res/map/trees03_128x128.tif";
// The facing a unit's picture shows in the palette: down, towards the player.
constexpr int32_t kPaletteFacing = 4;
// Where the tool's page begins, and the check panel below it.
constexpr int32_t kPageTop = 252;
constexpr int32_t kCheckTop = 482;
constexpr int32_t kMargin = 10;

TRect PanelRect() {
  if (!RootWindow) return TRect{0, 0, TEditorPanel::kWidth, 0};
  return TRect{RootWindow->Width - TEditorPanel::kWidth, 0, TEditorPanel::kWidth, RootWindow->Height};
}

TRect CheckRect(int32_t in_panelHeight) {
  return TRect{kMargin, kCheckTop, TEditorPanel::kWidth - 2 * kMargin, std::max(40, in_panelHeight - kCheckTop - 12)};
}

std::wstring UnitPausedPath(int32_t in_type) {
  return std::wstring(L"res/Unit/") + UnitTypeFolder(in_type) + L"/paused.tif";
}

// Draws frame (column, row) of the sheet stretched into the box; nothing for a
// frame outside the sheet.
void DrawFrameInto(TGraphics& in_surface, const TSprite* in_sheet, int32_t in_column, int32_t in_row,
                   const TRect& in_box) {
  if (!in_sheet || in_column < 0 || in_row < 0 || static_cast<uint32_t>(in_column) >= in_sheet->Columns ||
      static_cast<uint32_t>(in_row) >= in_sheet->Rows)
    return;
  in_sheet->DrawFrame(in_surface, in_column, in_row, in_box.x, in_box.y, in_box.width, in_box.height);
}

// The part of a unit's frame where the figure stands, in 96ths of the frame:
// the rest is room for its moves and strikes.
constexpr TRect kFigure{22, 14, 52, 82};

// The figure of frame (column, row) of a unit sheet, as large as the box
// allows at its own proportions, centred in it.
void DrawFigureInto(TGraphics& in_surface, const TSprite* in_sheet, int32_t in_column, int32_t in_row,
                    const TRect& in_box) {
  if (!in_sheet || !in_sheet->Image() || static_cast<uint32_t>(in_column) >= in_sheet->Columns ||
      static_cast<uint32_t>(in_row) >= in_sheet->Rows)
    return;
  const int32_t w = in_sheet->FrameWidth;
  const int32_t h = in_sheet->FrameHeight;
  const TRect source{in_column * w + kFigure.x * w / 96, in_row * h + kFigure.y * h / 96, kFigure.width * w / 96,
                     kFigure.height * h / 96};
  const double scale = std::min(static_cast<double>(in_box.width) / source.width,
                                static_cast<double>(in_box.height) / source.height);
  const int32_t width = static_cast<int32_t>(source.width * scale);
  const int32_t height = static_cast<int32_t>(source.height * scale);
  in_surface.DrawImage(in_sheet->Image(), in_box.x + (in_box.width - width) / 2, in_box.y + (in_box.height - height) / 2,
                       width, height, source.x, source.y, source.width, source.height);
}

// The frame of a tree picture: column N mod rows, row N div rows, as a tree shows it.
void DrawTreeInto(TGraphics& in_surface, const TSprite* in_sheet, int32_t in_frame, const TRect& in_box) {
  if (!in_sheet || in_sheet->Rows == 0) return;
  const int32_t rows = static_cast<int32_t>(in_sheet->Rows);
  DrawFrameInto(in_surface, in_sheet, in_frame % rows, in_frame / rows, in_box);
}

// The number a digits field holds; 0 when empty, held below 10^9.
int32_t FieldNumber(const std::wstring& in_text) {
  int64_t value = 0;
  for (wchar_t c : in_text) {
    if (c < L'0' || c > L'9') break;
    value = std::min<int64_t>(value * 10 + (c - L'0'), 999999999);
  }
  return static_cast<int32_t>(value);
}

// The number a decimal field holds, read whatever the locale; 0 when it has none.
float FieldFloat(const std::wstring& in_text) {
  std::string text;
  for (wchar_t c : in_text) text.push_back(static_cast<char>(c));
  float value = 0.0f;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return result.ec == std::errc() ? value : 0.0f;
}

}  // namespace

TEditorPanel::TEditorPanel(TEditorDocument* in_document, TEditorTools* in_tools)
    : TWindowBuffer(PanelRect()), Document_(in_document), Tools_(in_tools) {
  Hold(TCell::kGroundPath);
  Hold(kOrdinaryTrees);
  Hold(kBigTrees);
  for (int32_t type = 0; type < kUnitTypeCount; ++type) Hold(UnitPausedPath(type));

  TWindow* screen = RootWindow;
  const int32_t half = (kWidth - 2 * kMargin - 4) / 2;
  const int32_t right = kMargin + half + 4;
  new TWinButton(this, screen, TRect{kMargin, 28, half, 26}, L"Новая карта", kNew);
  new TWinButton(this, screen, TRect{right, 28, half, 26}, L"Открыть", kOpen);
  new TWinButton(this, screen, TRect{kMargin, 58, half, 26}, L"Сохранить", kSave);
  new TWinButton(this, screen, TRect{right, 58, half, 26}, L"Сохранить как", kSaveAs);
  new TWinButton(this, screen, TRect{kMargin, 88, half, 26}, L"Отменить", kUndo);
  new TWinButton(this, screen, TRect{right, 88, half, 26}, L"Повторить", kRedo);

  for (int32_t player = 0; player < 2; ++player) {
    const int32_t y = 122 + 22 * player;
    new TWinText(TRect{kMargin, y, 64, 18}, this, player == 0 ? L"Игрок 1" : L"Игрок 2");
    Names[player] = new TEditorField(TRect{kMargin + 68, y, kWidth - 2 * kMargin - 68, 18}, this, this,
                                     Players[player].Name, TEditorField::TRule::kName, TMapReader::kMaxNameLength);
  }
  SecondMovesFirst = new TWinCheckButton(this, this, TRect{kMargin, 166, kWidth - 2 * kMargin, 24},
                                         L"Первым ходит игрок 2", PlayerToMove() == 1);

  const wchar_t* tools[4] = {L"Земля", L"Деревья", L"Отряды", L"Ластик"};
  for (int32_t tool = 0; tool < 4; ++tool) {
    const TRect place{tool % 2 == 0 ? kMargin : right, 196 + 26 * (tool / 2), half, 24};
    ToolButtons[tool] = new TWinCheckButton(this, this, place, tools[tool], false);
  }
  Check = new TEditorCheckView(this, CheckRect(Height));
  ChooseTool(static_cast<int32_t>(Tools_->Tool));
}

TEditorPanel::~TEditorPanel() {
  // The page and the other widgets go with the children; the textures after them.
  while (!Children.empty()) delete Children.back();
  for (auto it = Held_.rbegin(); it != Held_.rend(); ++it) (*it)->Release();
}

TTexture* TEditorPanel::Hold(const std::wstring& in_path) {
  TTexture* texture = FindTexture(in_path);
  texture->Acquire();
  Held_.push_back(texture);
  return texture;
}

void TEditorPanel::Draw() {
  Dirty = true;
  if (TGraphics* surface = Surface()) {
    DrawFrame(*surface, Bounds(), Title(), Focused);
  }
  Dirty = false;
  TWindow::Draw();
  CopyToParent();
}

std::wstring TEditorPanel::Title() const {
  std::wstring title = Document_->FileName().empty() ? L"Новая карта" : Document_->FileName();
  if (title.size() > 28) title = L"…" + title.substr(title.size() - 27);
  if (Document_->Modified()) title += L" *";
  return title;
}

void TEditorPanel::SetSize(int32_t, int32_t) {
  const TRect place = PanelRect();
  X = place.x;
  Y = place.y;
  TWindowBuffer::SetSize(place.width, place.height);
  if (Check) {
    const TRect check = CheckRect(Height);
    Check->Height = check.height;
  }
}

void TEditorPanel::Refresh() {
  for (int32_t player = 0; player < 2; ++player) {
    if (Names[player] && Names[player]->Text != Players[player].Name)
      Names[player]->OnNotify(this, Names[player], kNotifySetValue,
                              reinterpret_cast<intptr_t>(&Players[player].Name), 0);
  }
  const bool second = PlayerToMove() == 1;
  if (SecondMovesFirst && SecondMovesFirst->Ticked != second)
    SecondMovesFirst->OnNotify(this, SecondMovesFirst, kNotifySetValue, second ? 1 : 0, 0);
}

void TEditorPanel::ShowWarnings(std::vector<std::wstring> in_warnings) {
  if (Check) Check->Show(std::move(in_warnings));
}

void TEditorPanel::ClearPage() {
  for (TWindow* window : Page) DeleteChild(window);
  Page.clear();
  Palette = nullptr;
  Brush = nullptr;
  Facing = nullptr;
  Owners[0] = Owners[1] = nullptr;
  Lives = Count = Moves = nullptr;
}

void TEditorPanel::ChooseTool(int32_t in_tool) {
  if (in_tool < 0 || in_tool > 3) return;
  Tools_->Tool = static_cast<TEditorTool>(in_tool);
  for (int32_t tool = 0; tool < 4; ++tool)
    ToolButtons[tool]->OnNotify(this, ToolButtons[tool], kNotifySetValue, tool == in_tool ? 1 : 0, 0);
  ClearPage();
  switch (Tools_->Tool) {
    case TEditorTool::kGround:
      BuildGroundPage();
      break;
    case TEditorTool::kTree:
      BuildTreePage();
      break;
    case TEditorTool::kStack:
      BuildStackPage();
      break;
    case TEditorTool::kEraser:
      BuildBrush(kPageTop);
      break;
  }
}

void TEditorPanel::BuildBrush(int32_t in_y) {
  Page.push_back(new TWinText(TRect{kMargin, in_y, kWidth - 2 * kMargin, 18}, this, L"Размер кисти"));
  Brush = new TEditorSlider(this, this, TRect{kMargin, in_y + 20, kWidth - 2 * kMargin, 35});
  Page.push_back(Brush);
  const int32_t size = Tools_->BrushSize;
  Brush->OnNotify(this, Brush, kNotifyReport, 1, TEditorTools::kMaxBrush);
  Brush->OnNotify(this, Brush, kNotifySetValue, size, 0);
}

void TEditorPanel::BuildGroundPage() {
  const TSprite* ground = FindTextureAs<TSprite>(TCell::kGroundPath);
  const int32_t columns = TEditorTools::kTileColumns;
  Palette = new TEditorPalette(
      this, this, TRect{kMargin + 2, kPageTop, 0, 0}, columns * TEditorTools::kTileRows, columns, 27, 20,
      [ground, columns](TGraphics& surface, int32_t index, const TRect& box) {
        DrawFrameInto(surface, ground, index % columns, index / columns, box);
      },
      Tools_->TileRow * columns + Tools_->TileColumn);
  Page.push_back(Palette);
  BuildBrush(kPageTop + Palette->Height + 6);
}

void TEditorPanel::BuildTreePage() {
  const TSprite* ordinary = FindTextureAs<TSprite>(kOrdinaryTrees);
  const TSprite* big = FindTextureAs<TSprite>(kBigTrees);
  const int32_t frames = TEditorTools::kTreeFrames;
  const int32_t chosen = (Tools_->TreeType == TCellContent::kBigTree ? frames : 0) + std::clamp(Tools_->TreeFrame, 0, frames - 1);
  Palette = new TEditorPalette(
      this, this, TRect{kMargin + 2, kPageTop, 0, 0}, 2 * frames, 8, 27, 30,
      [ordinary, big, frames](TGraphics& surface, int32_t index, const TRect& box) {
        DrawTreeInto(surface, index < frames ? ordinary : big, index % frames, box);
      },
      chosen);
  Page.push_back(Palette);
  Page.push_back(new TWinText(TRect{kMargin, kPageTop + Palette->Height + 4, kWidth - 2 * kMargin, 36}, this,
                              L"Вверху обычные деревья,\nвнизу большие"));
}

void TEditorPanel::BuildStackPage() {
  std::vector<const TSprite*> sheets;
  for (int32_t type = 0; type < kUnitTypeCount; ++type) sheets.push_back(FindTextureAs<TSprite>(UnitPausedPath(type)));
  Palette = new TEditorPalette(
      this, this, TRect{kMargin + 5, kPageTop, 0, 0}, kUnitTypeCount, 5, 42, 56,
      [sheets](TGraphics& surface, int32_t index, const TRect& box) {
        DrawFigureInto(surface, sheets[static_cast<size_t>(index)], 0, kPaletteFacing, box);
      },
      Tools_->StackType);
  Page.push_back(Palette);

  const int32_t half = (kWidth - 2 * kMargin - 4) / 2;
  int32_t y = kPageTop + Palette->Height + 4;
  for (int32_t player = 0; player < 2; ++player) {
    Owners[player] = new TWinCheckButton(this, this, TRect{player == 0 ? kMargin : kMargin + half + 4, y, half, 24},
                                         player == 0 ? L"Игрок 1" : L"Игрок 2", Tools_->Owner == player);
    Page.push_back(Owners[player]);
  }
  y += 28;
  Page.push_back(new TWinText(TRect{kMargin, y, 50, 18}, this, L"Жизни"));
  Lives = new TEditorField(TRect{kMargin + 52, y, 54, 18}, this, this, DecimalText(Tools_->Lives),
                           TEditorField::TRule::kDigits, 6);
  Page.push_back(Lives);
  Page.push_back(new TWinText(TRect{kMargin + half + 4, y, 50, 18}, this, L"Число"));
  Count = new TEditorField(TRect{kMargin + half + 56, y, 54, 18}, this, this, DecimalText(Tools_->Count),
                           TEditorField::TRule::kDigits, 6);
  Page.push_back(Count);
  y += 22;
  Page.push_back(new TWinText(TRect{kMargin, y, 50, 18}, this, L"Ходы"));
  Moves = new TEditorField(TRect{kMargin + 52, y, 54, 18}, this, this, FloatText(Tools_->Moves),
                           TEditorField::TRule::kDecimal, 8);
  Page.push_back(Moves);
  Page.push_back(new TWinText(TRect{kMargin + half + 4, y, half, 18}, this, L"Взгляд 0-7"));
  y += 20;
  Facing = new TEditorSlider(this, this, TRect{kMargin, y, kWidth - 2 * kMargin, 35});
  Page.push_back(Facing);
  const int32_t facing = Tools_->Direction;
  Facing->OnNotify(this, Facing, kNotifyReport, 0, 7);
  Facing->OnNotify(this, Facing, kNotifySetValue, facing, 0);
}

void TEditorPanel::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyFieldChanged && p1) {
    const std::wstring& text = *reinterpret_cast<const std::wstring*>(p1);
    for (int32_t player = 0; player < 2; ++player)
      if (sender == Names[player]) Document_->SetName(player, text);
    if (sender == Lives) Tools_->Lives = FieldNumber(text);
    if (sender == Count) Tools_->Count = FieldNumber(text);
    if (sender == Moves) Tools_->Moves = FieldFloat(text);
    return;
  }
  if (code == kNotifyScrollValue) {
    if (sender == Brush && Brush) Tools_->BrushSize = std::clamp(static_cast<int32_t>(p1), 1, TEditorTools::kMaxBrush);
    if (sender == Facing && Facing) Tools_->Direction = std::clamp(static_cast<int32_t>(p1), 0, 7);
    return;
  }
  if (code == kNotifyPaletteChoice && sender == Palette && Palette) {
    const int32_t index = static_cast<int32_t>(p1);
    switch (Tools_->Tool) {
      case TEditorTool::kGround:
        Tools_->TileColumn = index % TEditorTools::kTileColumns;
        Tools_->TileRow = index / TEditorTools::kTileColumns;
        break;
      case TEditorTool::kTree:
        Tools_->TreeType = index < TEditorTools::kTreeFrames ? TCellContent::kOrdinaryTree : TCellContent::kBigTree;
        Tools_->TreeFrame = index % TEditorTools::kTreeFrames;
        break;
      case TEditorTool::kStack:
        Tools_->StackType = index;
        break;
      case TEditorTool::kEraser:
        break;
    }
    return;
  }
  if (code != kNotifyClick) return;
  if (sender == SecondMovesFirst) {
    // The parity decides who moves; the count itself is kept as near as it can be.
    Document_->SetTurnCounter(TurnCounter ^ 1);
    Refresh();
    return;
  }
  for (int32_t tool = 0; tool < 4; ++tool)
    if (sender == ToolButtons[tool]) {
      ChooseTool(tool);
      return;
    }
  for (int32_t player = 0; player < 2; ++player)
    if (sender == Owners[player]) {
      Tools_->Owner = player;
      Owners[0]->OnNotify(this, Owners[0], kNotifySetValue, player == 0 ? 1 : 0, 0);
      Owners[1]->OnNotify(this, Owners[1], kNotifySetValue, player == 1 ? 1 : 0, 0);
      return;
    }
}
