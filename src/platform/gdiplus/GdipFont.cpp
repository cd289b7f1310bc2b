// Font families and fonts, found through fontconfig.
//
// A family name counts as installed when the font fontconfig picks for it is
// that family or one of the names the configuration binds strongly to it (the
// metric-compatible aliases, such as a free serif face standing in for a common
// Windows serif). Fallbacks that the configuration only adds weakly (the
// generic sans-serif chain every unknown name ends in) do not count, so an
// unknown name reports FontFamilyNotFound, as on Windows.
#include <fontconfig/fontconfig.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

// The largest em size accepted, in pixels.
constexpr double kMaxFontPixels = 16384.0;

// Family names compare as fontconfig compares them: ignoring case and blanks.
bool SameFamily(const char* a, const char* b) {
  auto skip = [](const char*& p) {
    while (*p == ' ') ++p;
  };
  for (;;) {
    skip(a);
    skip(b);
    char ca = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
    char cb = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
    if (ca != cb) return false;
    if (ca == '\0') return true;
    ++a;
    ++b;
  }
}

// The installed family that fontconfig renders the name with. With strict set,
// an empty result means the name is not installed under that name or a strong alias.
std::string ResolveFamily(const std::string& name, bool strict) {
  std::string resolved;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return resolved;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern)) {
    FcDefaultSubstitute(pattern);
    std::vector<std::string> strong;
    FcValue value;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
      if (value.type == FcTypeString && binding == FcValueBindingStrong) {
        strong.emplace_back(reinterpret_cast<const char*>(value.u.s));
      }
    }
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match != nullptr) {
      FcChar8* family = nullptr;
      bool accepted = !strict;
      for (int i = 0; !accepted && FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        for (const std::string& candidate : strong) {
          if (SameFamily(reinterpret_cast<const char*>(family), candidate.c_str())) accepted = true;
        }
      }
      if (accepted && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        resolved = reinterpret_cast<const char*>(family);
      }
      FcPatternDestroy(match);
    }
  }
  FcPatternDestroy(pattern);
  return resolved;
}

std::wstring Utf8ToWide(const std::string& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    size_t j = i + 1;
    for (int k = 0; k < extra && j < text.size(); ++k, ++j) code = (code << 6) | (text[j] & 0x3F);
    out.push_back(static_cast<wchar_t>(code));
    i = j;
  }
  return out;
}

// Pixels per unit of font size at 96 dots per inch; 0 for a unit fonts do not take.
double FontUnitScale(Unit unit) {
  switch (unit) {
    case UnitWorld:
    case UnitPixel:
      return 1.0;
    case UnitPoint:
      return 96.0 / 72.0;
    case UnitInch:
      return 96.0;
    case UnitDocument:
      return 96.0 / 300.0;
    case UnitMillimeter:
      return 96.0 / 25.4;
    case UnitDisplay:
      break;
  }
  return 0.0;
}

GpStatus PublishFamily(std::wstring name, std::string renderFamily, GpFontFamily** family) {
  std::unique_ptr<GdipFontFamilyObject> object(new (std::nothrow) GdipFontFamilyObject);
  if (!object) return OutOfMemory;
  object->name = std::move(name);
  object->renderFamily = std::move(renderFamily);
  return GdipPublish(object.release(), family);
}

}  // namespace

namespace DllExports {

// The collection is ignored: every family comes from the installed fonts.
GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection*, GpFontFamily** family) {
  if (name == nullptr || family == nullptr) return InvalidParameter;
  std::string utf8;
  if (!GdipWideToUtf8(name, -1, &utf8)) return OutOfMemory;
  if (utf8.empty()) return FontFamilyNotFound;
  try {
    std::string resolved = ResolveFamily(utf8, true);
    if (resolved.empty()) return FontFamilyNotFound;
    return PublishFamily(name, std::move(resolved), family);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
}

GpStatus GdipGetGenericFontFamilySansSerif(GpFontFamily** family) {
  if (family == nullptr) return InvalidParameter;
  try {
    std::string resolved = ResolveFamily("sans-serif", false);
    if (resolved.empty()) resolved = "sans-serif";
    return PublishFamily(Utf8ToWide(resolved), resolved, family);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
}

// Writes the name the family was asked for (the installed family for the
// generic one), cut to 31 characters and terminated. The language is ignored.
// Without a buffer there is nothing to write, and the answer is Ok, as GDI+
// on Windows answers.
GpStatus GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID) {
  auto* object = GdipLookup<GdipFontFamilyObject>(family);
  if (object == nullptr) return InvalidParameter;
  if (name == nullptr) return Ok;
  size_t count = std::min<size_t>(object->name.size(), 31);
  for (size_t i = 0; i < count; ++i) name[i] = object->name[i];
  name[count] = L'\0';
  return Ok;
}

GpStatus GdipDeleteFontFamily(GpFontFamily* family) {
  auto* object = GdipLookup<GdipFontFamilyObject>(family);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

// Sizes are converted to pixels at 96 dots per inch. The style's bold and
// italic bits pick the face, underline and strikeout decorate the text; a face
// the family lacks is synthesised rather than refused.
GpStatus GdipCreateFont(const GpFontFamily* family, REAL emSize, INT style, Unit unit, GpFont** font) {
  auto* source = GdipLookup<GdipFontFamilyObject>(family);
  double scale = FontUnitScale(unit);
  if (source == nullptr || font == nullptr || scale == 0.0 || !std::isfinite(emSize) || emSize <= 0.0f) {
    return InvalidParameter;
  }
  double pixels = double(emSize) * scale;
  if (pixels > kMaxFontPixels) return InvalidParameter;
  try {
    std::unique_ptr<GdipFontObject> object(new (std::nothrow) GdipFontObject);
    if (!object) return OutOfMemory;
    object->renderFamily = source->renderFamily;
    object->pixelSize = pixels;
    object->style = style & (FontStyleBoldItalic | FontStyleUnderline | FontStyleStrikeout);
    return GdipPublish(object.release(), font);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
}

GpStatus GdipDeleteFont(GpFont* font) {
  auto* object = GdipLookup<GdipFontObject>(font);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

}  // namespace DllExports
}  // namespace Gdiplus
