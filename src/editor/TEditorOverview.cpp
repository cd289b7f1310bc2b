#include "editor/TEditorOverview.h"

#include <algorithm>
#include <cmath>

#include "editor/TEditorDocument.h"
#include "editor/TEditorMap.h"
#include "editor/TEditorPanel.h"
#include "graphics/DrawingObjects.h"
#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

constexpr ARGB kUnknownGround = 0xFF3C3C3C;
constexpr ARGB kOrdinaryTree = 0xFF1E641E;
constexpr ARGB kBigTree = 0xFF0F460F;
constexpr ARGB kOwnerColours[2] = {0xFF000000, 0xFFFFFFFF};
// The room between the miniature and the frame, and between the window and the map's edges.
constexpr int32_t kMargin = 4;
constexpr int32_t kGap = 12;
// The narrowest the window gets, so that the title fits.
constexpr int32_t kMinWidth = 80;
// How many points of each tile are read for its colour, along each side.
constexpr int32_t kSamples = 8;

}  // namespace

TEditorOverview::TEditorOverview(const TEditorDocument* in_document)
    : TWindow(RootWindow), Document_(in_document), Ground_(FindTextureAs<TSprite>(TCell::kGroundPath)) {
  Ground_->Acquire();
  Place();
}

TEditorOverview::~TEditorOverview() {
  FreeImage();
  Ground_->Release();
}

void TEditorOverview::FreeImage() {
  if (Image_) GdipDisposeImage(Image_);
  Image_ = nullptr;
}

const std::vector<ARGB>& TEditorOverview::TileColours() {
  if (!TileColours_.empty()) return TileColours_;
  const uint32_t columns = Ground_->Columns;
  const uint32_t rows = Ground_->Rows;
  auto* image = static_cast<GpBitmap*>(Ground_->Image());
  TileColours_.assign(static_cast<size_t>(columns) * rows, kUnknownGround);
  if (!image || Ground_->FrameWidth <= 0 || Ground_->FrameHeight <= 0) return TileColours_;
  for (uint32_t row = 0; row < rows; ++row)
    for (uint32_t column = 0; column < columns; ++column) {
      // The average of points spread over the tile, by how opaque each is.
      double red = 0, green = 0, blue = 0, weight = 0;
      for (int32_t sy = 0; sy < kSamples; ++sy)
        for (int32_t sx = 0; sx < kSamples; ++sx) {
          const int32_t x = static_cast<int32_t>(column) * Ground_->FrameWidth + (2 * sx + 1) * Ground_->FrameWidth / (2 * kSamples);
          const int32_t y = static_cast<int32_t>(row) * Ground_->FrameHeight + (2 * sy + 1) * Ground_->FrameHeight / (2 * kSamples);
          ARGB pixel = 0;
          if (GdipBitmapGetPixel(image, x, y, &pixel) != Ok) continue;
          const double alpha = (pixel >> 24) / 255.0;
          red += alpha * ((pixel >> 16) & 0xFF);
          green += alpha * ((pixel >> 8) & 0xFF);
          blue += alpha * (pixel & 0xFF);
          weight += alpha;
        }
      if (weight <= 0) continue;
      const auto channel = [weight](double sum) { return static_cast<ARGB>(std::lround(sum / weight)) & 0xFF; };
      TileColours_[static_cast<size_t>(row) * columns + column] =
          0xFF000000u | channel(red) << 16 | channel(green) << 8 | channel(blue);
    }
  return TileColours_;
}

void TEditorOverview::Rebuild() {
  Built_ = true;
  BuiltRevision_ = Document_->Revision();
  BuiltGrid_ = Document_->GridRevision();
  FreeImage();
  Pixels_.clear();
  PictureWidth_ = PictureHeight_ = 0;
  const int64_t columns = MapColumns;
  const int64_t rows = MapRows;
  if (!MapCells || columns <= 0 || rows <= 0) {
    Place();
    return;
  }
  const double scale = std::min(static_cast<double>(kSide) / columns, static_cast<double>(kSide) / rows);
  const int64_t width = std::clamp<int64_t>(std::llround(columns * scale), 1, kSide);
  const int64_t height = std::clamp<int64_t>(std::llround(rows * scale), 1, kSide);
  Pixels_.assign(static_cast<size_t>(width * height), kUnknownGround);

  const std::vector<ARGB>& tiles = TileColours();
  const int64_t sheetColumns = Ground_->Columns;
  const int64_t sheetRows = Ground_->Rows;
  for (int64_t y = 0; y < height; ++y) {
    const int64_t r = y * rows / height;
    for (int64_t x = 0; x < width; ++x) {
      const int64_t c = x * columns / width;
      const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
      if (!cell) continue;
      ARGB colour = kUnknownGround;
      if (cell->Place)
        colour = dynamic_cast<const TTree03*>(cell->Place) ? kBigTree : kOrdinaryTree;
      else if (cell->TileColumn >= 0 && cell->TileRow >= 0 && cell->TileColumn < sheetColumns && cell->TileRow < sheetRows)
        colour = tiles[static_cast<size_t>(cell->TileRow * sheetColumns + cell->TileColumn)];
      Pixels_[static_cast<size_t>(y * width + x)] = colour;
    }
  }

  // Every stack gets a dot, however many cells a pixel covers: a square of the
  // owner's colour in a border of the other one.
  const int64_t dot = std::max<int64_t>(2, static_cast<int64_t>(scale));
  const auto square = [&](int64_t in_x, int64_t in_y, int64_t in_side, ARGB in_colour) {
    for (int64_t y = std::max<int64_t>(in_y, 0); y < std::min(in_y + in_side, height); ++y)
      for (int64_t x = std::max<int64_t>(in_x, 0); x < std::min(in_x + in_side, width); ++x)
        Pixels_[static_cast<size_t>(y * width + x)] = in_colour;
  };
  for (int pass = 0; pass < 2; ++pass)
    for (int64_t c = 0; c < columns; ++c) {
      if (!MapCells[c]) continue;
      for (int64_t r = 0; r < rows; ++r) {
        const TCell* cell = MapCells[c][r];
        if (!cell || !cell->Unit) continue;
        const int32_t owner = cell->Unit->Owner == 1 ? 1 : 0;
        const int64_t x = c * width / columns;
        const int64_t y = r * height / rows;
        if (pass == 0)
          square(x - 1, y - 1, dot + 2, kOwnerColours[1 - owner]);
        else
          square(x, y, dot, kOwnerColours[owner]);
      }
    }

  PictureWidth_ = static_cast<int32_t>(width);
  PictureHeight_ = static_cast<int32_t>(height);
  // The image reads the pixels where they are kept (GDI+ does not copy them).
  LastStatus_ = GdipCreateBitmapFromScan0(PictureWidth_, PictureHeight_, PictureWidth_ * 4, PixelFormat32bppARGB,
                                          reinterpret_cast<BYTE*>(Pixels_.data()), &Image_);
  if (LastStatus_ != Ok) Image_ = nullptr;
  Place();
}

TRect TEditorOverview::PictureRect() const {
  return TRect{X + kMargin, Y + kTitleHeight, PictureWidth_, PictureHeight_};
}

void TEditorOverview::Place() {
  const int32_t width = std::max(kMinWidth, PictureWidth_ + 2 * kMargin);
  const int32_t height = Folded ? kTitleHeight : kTitleHeight + PictureHeight_ + kMargin;
  const int32_t screenWidth = RootWindow ? RootWindow->Width : 0;
  const int32_t screenHeight = RootWindow ? RootWindow->Height : 0;
  X = std::max(0, screenWidth - TEditorPanel::kWidth - width - kGap);
  Y = std::max(0, screenHeight - height - kGap);
  Width = width;
  Height = height;
}

void TEditorOverview::SetSize(int32_t, int32_t) { Place(); }

void TEditorOverview::Draw() {
  if (!Built_ || BuiltRevision_ != Document_->Revision() || BuiltGrid_ != Document_->GridRevision()) Rebuild();
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->FillRectangle(BrushHandle(PaletteBrushes[kDarkGrey]), X, Y, Width, Height);
  surface->DrawString(Folded ? L"Обзор +" : L"Обзор", FontHandle(FontTimes10),
                      RectF(static_cast<REAL>(X), static_cast<REAL>(Y + 2), static_cast<REAL>(Width),
                            static_cast<REAL>(kTitleHeight)),
                      FormatHandle(FormatCenter), BrushHandle(PaletteBrushes[kWhite]));
  if (!Folded && Image_) {
    const TRect picture = PictureRect();
    surface->DrawImage(Image_, picture.x, picture.y, picture.width, picture.height, 0, 0, picture.width,
                       picture.height);
    if (Map && MapColumns > 0 && MapRows > 0) {
      const TGridRect shown = Map->VisibleCells();
      if (!shown.Empty()) {
        const int64_t x0 = int64_t{shown.Column} * PictureWidth_ / MapColumns;
        const int64_t y0 = int64_t{shown.Row} * PictureHeight_ / MapRows;
        const int64_t x1 = (int64_t{shown.Column} + shown.Columns) * PictureWidth_ / MapColumns;
        const int64_t y1 = (int64_t{shown.Row} + shown.Rows) * PictureHeight_ / MapRows;
        surface->DrawRectangle(PenHandle(PalettePens[kRed]), picture.x + static_cast<int32_t>(x0),
                               picture.y + static_cast<int32_t>(y0),
                               std::max<int32_t>(1, static_cast<int32_t>(x1 - x0) - 1),
                               std::max<int32_t>(1, static_cast<int32_t>(y1 - y0) - 1));
      }
    }
  }
  surface->DrawRectangle(PenHandle(PalettePens[kBlack]), X, Y, Width - 1, Height - 1);
}

void TEditorOverview::ScrollToMouse() {
  if (!Application || !Map || Folded || PictureWidth_ <= 0 || PictureHeight_ <= 0) return;
  const TRect picture = PictureRect();
  const int64_t x = std::clamp<int64_t>(int64_t{Application->MouseX} - picture.x, 0, PictureWidth_ - 1);
  const int64_t y = std::clamp<int64_t>(int64_t{Application->MouseY} - picture.y, 0, PictureHeight_ - 1);
  Map->CentreOn(static_cast<int32_t>(x * MapColumns / PictureWidth_), static_cast<int32_t>(y * MapRows / PictureHeight_));
}

void TEditorOverview::OnLButtonDown() {
  if (!Application) return;
  if (Application->MouseY < Y + kTitleHeight) {
    Folded = !Folded;
    Place();
    return;
  }
  Dragging_ = true;
  ScrollToMouse();
}

void TEditorOverview::OnLButtonUp() { Dragging_ = false; }

void TEditorOverview::OnMouseMove() {
  if (Dragging_ && Application && Application->LButtonDown) ScrollToMouse();
}
