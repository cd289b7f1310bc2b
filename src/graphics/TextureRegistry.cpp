#include "graphics/TextureRegistry.h"

#include <new>

#include "graphics/TFrameTexture.h"
#include "graphics/TSprite.h"
#include "shell/ErrorLog.h"

namespace {

std::vector<TTexture*> Registry;

// Frame sizes of the unit sheets: 96 means 96 x 96 frames with anchor (16, 48),
// 128 means 128 x 128 frames with anchor (32, 66).
struct TUnitDirectory {
  const wchar_t* Name;
  int Sizes[6];
  const wchar_t* Extra;  // one more image after the six states, or null
  int ExtraWidth;
  int ExtraHeight;
};

const wchar_t* const kStates[6] = {L"attack", L"beenhit", L"over", L"paused", L"running", L"stopped"};

const TUnitDirectory kUnitDirectories[] = {
    {L"BlackNinja", {96, 96, 128, 96, 96, 96}, nullptr, 0, 0},
    {L"GreenKnight", {96, 96, 128, 96, 96, 96}, nullptr, 0, 0},
    {L"Horst", {128, 96, 128, 96, 128, 96}, nullptr, 0, 0},
    {L"JohnDoe", {96, 96, 128, 96, 96, 96}, nullptr, 0, 0},
    {L"Nobeard", {96, 96, 96, 96, 96, 96}, nullptr, 0, 0},
    {L"Professor", {96, 96, 96, 96, 96, 96}, nullptr, 0, 0},
    {L"Queen", {96, 96, 128, 96, 96, 96}, L"groundflow", 64, 96},
    {L"RedArcher", {96, 96, 128, 96, 96, 96}, L"arrow", 32, 64},
    {L"Thief", {96, 96, 128, 96, 96, 96}, nullptr, 0, 0},
    {L"Trappercaveman", {128, 96, 128, 96, 96, 96}, nullptr, 0, 0},
    {L"WhiteMage", {96, 96, 128, 96, 96, 96}, L"watermagic", 64, 64},
};

void Add(TTexture* texture) {
  if (!texture) throw 0;
  Registry.push_back(texture);
}

std::wstring UnitPath(const wchar_t* directory, const wchar_t* name) {
  return std::wstring(L"res/Unit/") + directory + L"/" + name + L".tif";
}

}  // namespace

void RegisterTextures() {
  for (const TUnitDirectory& dir : kUnitDirectories) {
    for (int s = 0; s < 6; ++s) {
      const int size = dir.Sizes[s];
      const int anchorX = size == 96 ? 16 : 32;
      const int anchorY = size == 96 ? 48 : 66;
      Add(new (std::nothrow) TUnitSprite(UnitPath(dir.Name, kStates[s]), size, size, anchorX, anchorY));
    }
    if (dir.Extra)
      Add(new (std::nothrow) TUnitSprite(UnitPath(dir.Name, dir.Extra), dir.ExtraWidth, dir.ExtraHeight, 0, 0));
  }
  Add(new (std::nothrow) TUnitSprite(L"res/map/trees01_96x96.tif", 96, 96, 16, 48));
  Add(new (std::nothrow) TUnitSprite(L"res/map/trees02_128x128.tif", 128, 128, 32, 66));
  Add(new (std::nothrow) TUnitSprite(L"res/map/trees03_128x128.tif", 128, 128, 32, 80));
  Add(new (std::nothrow) TUnitSprite(L"res/map/castl.tif", 192, 384, 29, 309));
  Add(new (std::nothrow) TSprite(L"res/map/grund_iso.tif", 64, 48));
  Add(new (std::nothrow) TSprite(L"res/map/arrow.tif", 64, 64));
  Add(new (std::nothrow) TSprite(L"res/button/button1.tif", 21, 21));
  Add(new (std::nothrow) TSprite(L"res/button/button3.tif", 150, 30));
  Add(new (std::nothrow) TTexture(L"res/button/cyprbk.tif"));
  Add(new (std::nothrow) TTexture(L"res/button/back.tif"));
  Add(new (std::nothrow) TFrameTexture(L"res/button/frame.tif"));
  Add(new (std::nothrow) TFrameTexture(L"res/button/frame2.tif"));
  Add(new (std::nothrow) TScrollTexture(L"res/button/scroll.tif"));
}

TTexture* FindTexture(const std::wstring& path) {
  for (TTexture* texture : Registry)
    if (texture->Path() == path) return texture;
  LogError("Тукстура [%S], не найдена", path.c_str());
  throw 0;
}

void FreeTextures() {
  while (!Registry.empty()) {
    TTexture* texture = Registry.front();
    // Taken off first: a destructor that throws (a texture still in use) has
    // still ended the object, and the rest stay registered.
    Registry.erase(Registry.begin());
    delete texture;
  }
}

const std::vector<TTexture*>& RegisteredTextures() { return Registry; }

void DrawTexture(const TRect& destination, const TTexture& texture, TGraphics& graphics) {
  graphics.DrawImage(texture.Image(), destination.x, destination.y, destination.width, destination.height, 0,
                     0, texture.ImageWidth(), texture.ImageHeight());
}
