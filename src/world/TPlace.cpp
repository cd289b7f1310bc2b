#include "world/TPlace.h"

#include "graphics/TextureRegistry.h"
#include "world/NumberText.h"

TPlace::TPlace(const std::wstring& in_texturePath, int32_t in_frame)
    : Texture(FindTextureAs<TUnitSprite>(in_texturePath)), Frame(in_frame) {
  Texture->Acquire();
  const int64_t rows = Texture->Rows;
  if (rows > 0) {
    FrameColumn = static_cast<int32_t>(in_frame % rows);
    FrameRow = static_cast<int32_t>(in_frame / rows);
  }
}

TPlace::~TPlace() { Texture->Release(); }

void TPlace::Draw(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const {
  // Frames outside the sheet (a negative or too large index from a map file)
  // are skipped rather than addressed: their source rectangle could overflow.
  if (FrameColumn < 0 || FrameRow < 0 || static_cast<uint32_t>(FrameColumn) >= Texture->Columns ||
      static_cast<uint32_t>(FrameRow) >= Texture->Rows)
    return;
  Texture->DrawAt(in_graphics, FrameColumn, FrameRow, in_x, in_y);
}

void TPlace::Write(std::wostream&) const {}

void TPlace::Describe(std::wostream& out) const { out << L"Не известно"; }

TRect TPlace::DrawBounds(int32_t in_x, int32_t in_y) const {
  return TRect{in_x - Texture->AnchorX, in_y - Texture->AnchorY, Texture->FrameWidth, Texture->FrameHeight};
}

TTree02::TTree02(int32_t in_frame) : TPlace(L"res/map/trees02_128x128.tif", in_frame) {}

void TTree02::Write(std::wostream& out) const { out << L"(2 " << DecimalText(Frame) << L')'; }

void TTree02::Describe(std::wostream& out) const { out << L"Дерево обыкновенное."; }

TTree03::TTree03(int32_t in_frame) : TPlace(L"res/map/trees03_128x128.tif", in_frame) {}

void TTree03::Write(std::wostream& out) const { out << L"(3 " << DecimalText(Frame) << L')'; }

void TTree03::Describe(std::wostream& out) const { out << L"Дерево большое."; }
