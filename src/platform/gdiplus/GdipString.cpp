// String formats, and drawing and measuring text with Pango.
//
// Layout follows the default string format: text is inset by a sixth of the em
// size at both ends of its lines (so near-aligned text starts a little right of
// the layout rectangle), wraps at word boundaries to the rectangle's width
// (breaking inside a word only when the word alone does not fit), is aligned
// along its lines by Align and across them by LineAlign, and is clipped to the
// rectangle. A zero width or height leaves that direction unbounded: no
// wrapping, no clipping, and alignment relative to the rectangle's origin. A
// negative width or height draws nothing.
//
// With StringFormatFlagsDirectionVertical the whole layout is turned a quarter
// turn clockwise: lines run top to bottom, the first line at the right, Align
// works along the vertical axis and LineAlign along the horizontal one.
// Also honoured: NoWrap and NoClip. Other flags (right to left, line limit,
// font fallback, trailing spaces) are accepted and have no effect.
#include <cairo.h>
#include <pango/pangocairo.h>
#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <utility>

#include "platform/gdiplus/GdipCall.h"
#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipFrameRecord.h"
#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

// The leading and trailing inset, as a fraction of the em size.
constexpr double kPadding = 1.0 / 6.0;

bool ValidAlignment(StringAlignment align) {
  return align == StringAlignmentNear || align == StringAlignmentCenter || align == StringAlignmentFar;
}

// Pango state is shared by every call and used under this lock.
std::mutex& TextMutex() {
  static std::mutex mutex;
  return mutex;
}

// One Pango context for every layout, so measuring and drawing agree: greyscale
// antialiasing, slight hinting, whole-pixel advances.
PangoContext* SharedContext() {
  static PangoContext* context = [] {
    PangoFontMap* fontMap = pango_cairo_font_map_new();
    PangoContext* created = pango_font_map_create_context(fontMap);
    g_object_unref(fontMap);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(created, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(created, 96.0);
    return created;
  }();
  return context;
}

struct LayoutDeleter {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};

// Text laid out in its own frame: u along the lines, v across them, with the
// layout rectangle's origin at (0, 0). The frame is the device space, or for
// vertical text the device space turned a quarter turn clockwise about the
// rectangle's top-right corner.
struct Arrangement {
  std::unique_ptr<PangoLayout, LayoutDeleter> layout;
  // Where the layout's own origin goes in the frame.
  double originU = 0.0;
  double originV = 0.0;
  // The bounding box in the frame, insets included.
  double boxU = 0.0;
  double boxV = 0.0;
  double boxLength = 0.0;
  double boxThickness = 0.0;
  int lines = 0;
};

// Position of a block of the given size in a span of the given length (0:
// unbounded, measured from the origin) for an alignment, keeping inset from the
// ends of the span.
double Place(StringAlignment align, double span, double size, double inset) {
  switch (align) {
    case StringAlignmentCenter:
      return (span - size) / 2.0;
    case StringAlignmentFar:
      return span - inset - size;
    case StringAlignmentNear:
      break;
  }
  return inset;
}

bool Arrange(const std::string& text, const GdipFontObject& font, const RectF& rect,
             const GdipStringFormatObject& format, Arrangement* out) {
  bool vertical = (format.flags & StringFormatFlagsDirectionVertical) != 0;
  double lineSpan = vertical ? rect.Height : rect.Width;
  double crossSpan = vertical ? rect.Width : rect.Height;
  double inset = font.pixelSize * kPadding;

  out->layout.reset(pango_layout_new(SharedContext()));
  PangoLayout* layout = out->layout.get();
  if (layout == nullptr) return false;
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.renderFamily.c_str());
  pango_font_description_set_absolute_size(description, font.pixelSize * PANGO_SCALE);
  if (font.style & FontStyleBold) pango_font_description_set_weight(description, PANGO_WEIGHT_BOLD);
  if (font.style & FontStyleItalic) pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  if (font.style & (FontStyleUnderline | FontStyleStrikeout)) {
    PangoAttrList* attributes = pango_attr_list_new();
    if (font.style & FontStyleUnderline)
      pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.style & FontStyleStrikeout)
      pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  pango_layout_set_text(layout, text.data(), int(text.size()));
  if (lineSpan > 0.0 && !(format.flags & StringFormatFlagsNoWrap)) {
    double wrapAt = std::max(1.0, lineSpan - 2.0 * inset);
    pango_layout_set_width(layout,
                           int(std::min(wrapAt * PANGO_SCALE, double(kGdipMaxCoordinate) * PANGO_SCALE)));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_alignment(layout, format.align == StringAlignmentCenter ? PANGO_ALIGN_CENTER
                                     : format.align == StringAlignmentFar  ? PANGO_ALIGN_RIGHT
                                                                           : PANGO_ALIGN_LEFT);

  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  double x = double(logical.x) / PANGO_SCALE, y = double(logical.y) / PANGO_SCALE;
  double width = double(logical.width) / PANGO_SCALE, height = double(logical.height) / PANGO_SCALE;
  double blockU = Place(format.align, lineSpan, width, inset);
  double blockV = Place(format.lineAlign, crossSpan, height, 0.0);
  out->originU = blockU - x;
  out->originV = blockV - y;
  out->boxU = blockU - inset;
  out->boxLength = width + 2.0 * inset;
  out->boxV = blockV;
  out->boxThickness = height;
  if (lineSpan > 0.0) {
    double end = std::min(out->boxU + out->boxLength, lineSpan);
    out->boxU = std::max(out->boxU, 0.0);
    out->boxLength = std::max(0.0, end - out->boxU);
  }
  if (crossSpan > 0.0) {
    double end = std::min(out->boxV + out->boxThickness, crossSpan);
    out->boxV = std::max(out->boxV, 0.0);
    out->boxThickness = std::max(0.0, end - out->boxV);
  }
  out->lines = pango_layout_get_line_count(layout);
  return true;
}

// Layouts are kept for the texts drawn again and again (a window redrawn every
// frame draws the same captions each time): the arrangement depends only on
// the text, the font, the format and the layout rectangle's size, and a layout
// on the shared context draws the same on any surface.
struct ArrangementKey {
  std::string text;
  std::string family;
  double pixelSize;
  INT style;
  float width;
  float height;
  INT flags;
  StringAlignment align;
  StringAlignment lineAlign;
  bool operator==(const ArrangementKey&) const = default;
};

constexpr size_t kKeptArrangements = 64;

// The arrangement of the text, kept or made; valid until the next call (which
// may drop the least recently used one). Null when memory runs out.
const Arrangement* ArrangeKept(const std::string& text, const GdipFontObject& font, const RectF& rect,
                               const GdipStringFormatObject& format) {
  static std::list<std::pair<ArrangementKey, Arrangement>> kept;
  ArrangementKey key{text,        font.renderFamily, font.pixelSize, font.style,      rect.Width,
                     rect.Height, format.flags,      format.align,   format.lineAlign};
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->first == key) {
      kept.splice(kept.begin(), kept, it);
      return &kept.front().second;
    }
  }
  Arrangement made;
  if (!Arrange(text, font, rect, format, &made)) return nullptr;
  kept.emplace_front(std::move(key), std::move(made));
  if (kept.size() > kKeptArrangements) kept.pop_back();
  return &kept.front().second;
}

// The shared checks of drawing and measuring. Fills text and picks the format
// (the default one when none is given); returns Ok to go on.
GpStatus PrepareText(const WCHAR* string, INT length, const RectF* layoutRect, std::string* text) {
  if (string == nullptr || layoutRect == nullptr || length < -1) return InvalidParameter;
  const RectF& rect = *layoutRect;
  if (!std::isfinite(rect.X) || !std::isfinite(rect.Y) || !std::isfinite(rect.Width) ||
      !std::isfinite(rect.Height)) {
    return InvalidParameter;
  }
  if (!GdipCoordinatesFit({rect.X, rect.Y, double(rect.X) + rect.Width, double(rect.Y) + rect.Height})) {
    return ValueOverflow;
  }
  if (!GdipWideToUtf8(string, length, text)) return OutOfMemory;
  return Ok;
}

}  // namespace

namespace DllExports {

// The language is ignored.
GpStatus GdipCreateStringFormat(INT formatAttributes, LANGID, GpStringFormat** format) {
  if (format == nullptr) return InvalidParameter;
  auto* object = new (std::nothrow) GdipStringFormatObject;
  if (object != nullptr) object->flags = formatAttributes;
  return GdipPublish(object, format);
}

GpStatus GdipDeleteStringFormat(GpStringFormat* format) {
  auto* object = GdipLookup<GdipStringFormatObject>(format);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
  auto* object = GdipLookup<GdipStringFormatObject>(format);
  if (object == nullptr || !ValidAlignment(align)) return InvalidParameter;
  object->align = align;
  return Ok;
}

GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
  auto* object = GdipLookup<GdipStringFormatObject>(format);
  if (object == nullptr || !ValidAlignment(align)) return InvalidParameter;
  object->lineAlign = align;
  return Ok;
}

GpStatus GdipSetStringFormatFlags(GpStringFormat* format, INT flags) {
  auto* object = GdipLookup<GdipStringFormatObject>(format);
  if (object == nullptr) return InvalidParameter;
  object->flags = flags;
  return Ok;
}

GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                        const RectF* layoutRect, const GpStringFormat* format, const GpBrush* brush) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* face = GdipLookup<GdipFontObject>(font);
  auto* fill = GdipLookup<GdipSolidFillObject>(brush);
  auto* chosen = GdipLookup<GdipStringFormatObject>(format);
  if (target == nullptr || face == nullptr || fill == nullptr || (format != nullptr && chosen == nullptr)) {
    return InvalidParameter;
  }
  try {
    std::string text;
    GpStatus status = PrepareText(string, length, layoutRect, &text);
    if (status != Ok) return status;
    const RectF rect = *layoutRect;
    if (text.empty() || rect.Width < 0.0f || rect.Height < 0.0f) return Ok;
    // Laying text out is the dear part of drawing it: skipped with the pixels.
    if (GdipCanvas::Discarded()) return Ok;
    const GdipStringFormatObject defaults;
    const GdipStringFormatObject& settings = chosen != nullptr ? *chosen : defaults;
    auto held = std::make_shared<GdipTextCall>();
    held->text = std::move(text);
    held->family = face->renderFamily;
    held->pixelSize = face->pixelSize;
    held->style = face->style;
    held->rect = rect;
    held->flags = settings.flags;
    held->align = settings.align;
    held->lineAlign = settings.lineAlign;
    GdipCall call;
    call.kind = GdipCallKind::DrawString;
    call.color = fill->color;
    call.text = std::move(held);
    return GdipFrameRecord::Submit(*target, std::move(call));
  } catch (const std::exception&) {
    return OutOfMemory;
  }
}

GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                           const RectF* layoutRect, const GpStringFormat* format, RectF* boundingBox,
                           INT* codepointsFitted, INT* linesFilled) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* face = GdipLookup<GdipFontObject>(font);
  auto* chosen = GdipLookup<GdipStringFormatObject>(format);
  if (target == nullptr || face == nullptr || boundingBox == nullptr ||
      (format != nullptr && chosen == nullptr)) {
    return InvalidParameter;
  }
  try {
    std::string text;
    GpStatus status = PrepareText(string, length, layoutRect, &text);
    if (status != Ok) return status;
    const RectF rect = *layoutRect;
    INT characters = 0;
    while ((length < 0 || characters < length) && string[characters] != L'\0') ++characters;
    *boundingBox = RectF(rect.X, rect.Y, 0.0f, 0.0f);
    if (codepointsFitted != nullptr) *codepointsFitted = 0;
    if (linesFilled != nullptr) *linesFilled = 0;
    if (text.empty() || rect.Width < 0.0f || rect.Height < 0.0f) return Ok;
    const GdipStringFormatObject defaults;
    const GdipStringFormatObject& settings = chosen != nullptr ? *chosen : defaults;

    std::lock_guard<std::mutex> lock(TextMutex());
    const Arrangement* kept = ArrangeKept(text, *face, rect, settings);
    if (kept == nullptr) return OutOfMemory;
    const Arrangement& arrangement = *kept;
    if (settings.flags & StringFormatFlagsDirectionVertical) {
      double corner = rect.X + std::max(0.0f, rect.Width);
      *boundingBox =
          RectF(REAL(corner - arrangement.boxV - arrangement.boxThickness), REAL(rect.Y + arrangement.boxU),
                REAL(arrangement.boxThickness), REAL(arrangement.boxLength));
    } else {
      *boundingBox = RectF(REAL(rect.X + arrangement.boxU), REAL(rect.Y + arrangement.boxV),
                           REAL(arrangement.boxLength), REAL(arrangement.boxThickness));
    }
    if (codepointsFitted != nullptr) *codepointsFitted = characters;
    if (linesFilled != nullptr) *linesFilled = arrangement.lines;
    return Ok;
  } catch (const std::exception&) {
    return OutOfMemory;
  }
}

}  // namespace DllExports

GpStatus GdipRunText(GdipGraphicsObject& target, const GdipCall& call) {
  if (!call.text) return InvalidParameter;
  const GdipTextCall& held = *call.text;
  GdipFontObject font;
  font.renderFamily = held.family;
  font.pixelSize = held.pixelSize;
  font.style = held.style;
  GdipStringFormatObject settings;
  settings.flags = held.flags;
  settings.align = held.align;
  settings.lineAlign = held.lineAlign;
  const RectF rect = held.rect;
  try {
    std::lock_guard<std::mutex> lock(TextMutex());
    const Arrangement* kept = ArrangeKept(held.text, font, rect, settings);
    if (kept == nullptr) return OutOfMemory;
    const Arrangement& arrangement = *kept;
    GdipCanvas canvas(target);
    if (canvas.Status() != Ok) return canvas.Status();
    if (canvas.Empty()) return Ok;
    auto* cr = static_cast<cairo_t*>(canvas.Cairo());
    if (cr == nullptr) return OutOfMemory;

    if (!(settings.flags & StringFormatFlagsNoClip) && (rect.Width > 0.0f || rect.Height > 0.0f)) {
      // Whole-pixel clip edges, like the rest of the non-antialiased drawing.
      double beyond = kGdipMaxCoordinate * 1.5;
      double left = rect.Width > 0.0f ? rect.X : -beyond,
             right = rect.Width > 0.0f ? rect.X + rect.Width : beyond;
      double top = rect.Height > 0.0f ? rect.Y : -beyond,
             bottom = rect.Height > 0.0f ? rect.Y + rect.Height : beyond;
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
      cairo_rectangle(cr, left, top, right - left, bottom - top);
      cairo_clip(cr);
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    }
    ARGB color = call.color;
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, (color >> 24) / 255.0);
    // Whole-pixel placement keeps the hinted glyphs crisp.
    if (settings.flags & StringFormatFlagsDirectionVertical) {
      double corner = rect.X + std::max(0.0f, rect.Width);
      cairo_translate(cr, std::round(corner - arrangement.originV), std::round(rect.Y + arrangement.originU));
      cairo_rotate(cr, M_PI / 2.0);
    } else {
      cairo_translate(cr, std::round(rect.X + arrangement.originU), std::round(rect.Y + arrangement.originV));
    }
    cairo_move_to(cr, 0.0, 0.0);
    pango_cairo_show_layout(cr, arrangement.layout.get());
    canvas.Changed();
    return Ok;
  } catch (const std::exception&) {
    return OutOfMemory;
  }
}

}  // namespace Gdiplus
