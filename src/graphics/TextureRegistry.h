#pragma once
// The registry of every texture the game knows, created once when the window is
// created and destroyed once when it closes.

#include <string>
#include <vector>

#include "graphics/Geometry.h"
#include "graphics/TGraphics.h"
#include "graphics/TTexture.h"

// Number of textures RegisterTextures creates.
constexpr int kTextureCount = 82;

// Creates every texture in table order: the eleven unit directories with their
// six states (and the three extra unit images), then the map images, then the
// button images. Nothing is loaded yet.
void RegisterTextures();

// The texture registered under exactly this path (case-sensitive). Does not
// acquire it. Logs "Тукстура [path], не найдена" and throws 0 when there is none.
TTexture* FindTexture(const std::wstring& path);

// Finds a texture that must be of the given class (the registry's table fixes
// each path's class).
template <typename T>
T* FindTextureAs(const std::wstring& path) {
  return static_cast<T*>(FindTexture(path));
}

// Destroys every texture in registration order, then empties the registry. A
// texture still in use makes its destructor log and throw; the rest then stay.
void FreeTextures();

// The registry, in registration order.
const std::vector<TTexture*>& RegisteredTextures();

// Draws the whole image of an acquired texture stretched into the rectangle.
void DrawTexture(const TRect& destination, const TTexture& texture, TGraphics& graphics);
