#include "Resources.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width;
  int height;
  std::vector<uint32_t> argb;  // non-premultiplied
};

// Reads a Cairo surface back as non-premultiplied ARGB.
Picture ReadSurface(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Picture p{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      uint32_t px = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
      uint32_t a = px >> 24;
      uint32_t r = (px >> 16) & 0xff, g = (px >> 8) & 0xff, b = px & 0xff;
      if (a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
      }
      p.argb.push_back(a == 0 ? 0 : (a << 24) | (r << 16) | (g << 8) | b);
    }
  }
  return p;
}

void LinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t from, uint32_t to) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, ((from >> 16) & 0xff) / 255.0, ((from >> 8) & 0xff) / 255.0,
                                   (from & 0xff) / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, ((to >> 16) & 0xff) / 255.0, ((to >> 8) & 0xff) / 255.0,
                                   (to & 0xff) / 255.0);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void ShieldPath(cairo_t* cr, double inset) {
  cairo_move_to(cr, 32, 61 - inset * 1.4);
  cairo_curve_to(cr, 13 + inset, 52 - inset, 8 + inset, 36, 8 + inset, 17 + inset);
  cairo_line_to(cr, 56 - inset, 17 + inset);
  cairo_curve_to(cr, 56 - inset, 36, 51 - inset, 52 - inset, 32, 61 - inset * 1.4);
  cairo_close_path(cr);
}

// One sword from the lower left to the upper right (mirrored by the caller).
void Sword(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Blade.
  cairo_move_to(cr, 20, 48);
  cairo_line_to(cr, 46, 22);
  cairo_set_line_width(cr, 5);
  cairo_set_source_rgb(cr, 0.15, 0.15, 0.2);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 3);
  LinearGradient(cr, 30, 30, 36, 36, 0xffffff, 0x8890a0);
  cairo_stroke(cr);
  // Guard and grip.
  cairo_move_to(cr, 17, 43);
  cairo_line_to(cr, 25, 51);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgb(cr, 0.3, 0.18, 0.02);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.4);
  cairo_set_source_rgb(cr, 0.95, 0.78, 0.25);
  cairo_stroke(cr);
  cairo_move_to(cr, 19, 49);
  cairo_line_to(cr, 15, 53);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgb(cr, 0.35, 0.2, 0.1);
  cairo_stroke(cr);
}

// The icon: a crowned red shield with a gold rim and two crossed swords.
// The caller destroys the surface.
cairo_surface_t* DrawIcon() {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
  cairo_t* cr = cairo_create(s);
  ShieldPath(cr, 0);
  cairo_set_source_rgb(cr, 0.23, 0.14, 0.02);
  cairo_fill(cr);
  ShieldPath(cr, 1.2);
  LinearGradient(cr, 8, 17, 56, 61, 0xfff2b8, 0x946418);
  cairo_fill(cr);
  ShieldPath(cr, 4);
  LinearGradient(cr, 8, 17, 56, 61, 0xd83030, 0x6a0c10);
  cairo_fill(cr);
  Sword(cr);
  cairo_save(cr);
  cairo_translate(cr, 64, 0);
  cairo_scale(cr, -1, 1);
  Sword(cr);
  cairo_restore(cr);
  // Crown above the shield.
  cairo_move_to(cr, 15, 16);
  cairo_line_to(cr, 14, 4);
  cairo_line_to(cr, 23, 10);
  cairo_line_to(cr, 32, 1.5);
  cairo_line_to(cr, 41, 10);
  cairo_line_to(cr, 50, 4);
  cairo_line_to(cr, 49, 16);
  cairo_close_path(cr);
  LinearGradient(cr, 14, 2, 50, 16, 0xfff2b8, 0xb07818);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgb(cr, 0.23, 0.14, 0.02);
  cairo_stroke(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_arc(cr, 22 + 10 * i, 12.5, 2, 0, 6.2832);
    if (i == 1)
      cairo_set_source_rgb(cr, 0.2, 0.35, 0.9);
    else
      cairo_set_source_rgb(cr, 0.85, 0.1, 0.2);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return s;
}

// The cursor: a gold arrow with a dark rim whose tip is the hot spot at (0, 0).
Picture DrawCursor() {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
  cairo_t* cr = cairo_create(s);
  cairo_move_to(cr, 0.5, 0.5);
  cairo_line_to(cr, 0.5, 22);
  cairo_line_to(cr, 6, 17);
  cairo_line_to(cr, 10.5, 27);
  cairo_line_to(cr, 14, 25.5);
  cairo_line_to(cr, 9.5, 16);
  cairo_line_to(cr, 17, 16);
  cairo_close_path(cr);
  LinearGradient(cr, 0, 0, 14, 22, 0xfff2b8, 0xb07818);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.2, 0.05, 0.0);
  cairo_stroke(cr);
  cairo_destroy(cr);
  Picture p = ReadSurface(s);
  cairo_surface_destroy(s);
  return p;
}

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(v & 0xff);
  b.push_back((v >> 8) & 0xff);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xffff);
  Put16(b, v >> 16);
}

// One-image .ico (type 1) or .cur (type 2) with a 32-bit DIB and its AND mask.
std::vector<uint8_t> IconFile(const Picture& p, int type, int hotX, int hotY) {
  const int maskStride = ((p.width + 31) / 32) * 4;
  const uint32_t dibSize = 40 + p.width * p.height * 4 + maskStride * p.height;
  std::vector<uint8_t> b;
  Put16(b, 0);
  Put16(b, type);
  Put16(b, 1);
  b.push_back(p.width & 0xff);
  b.push_back(p.height & 0xff);
  b.push_back(0);
  b.push_back(0);
  Put16(b, type == 1 ? 1 : hotX);
  Put16(b, type == 1 ? 32 : hotY);
  Put32(b, dibSize);
  Put32(b, 22);
  // BITMAPINFOHEADER: the height counts the colour and mask halves.
  Put32(b, 40);
  Put32(b, p.width);
  Put32(b, p.height * 2);
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 0);
  Put32(b, p.width * p.height * 4 + maskStride * p.height);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = p.height - 1; y >= 0; --y)
    for (int x = 0; x < p.width; ++x) Put32(b, p.argb[y * p.width + x]);
  for (int y = p.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskStride, 0);
    for (int x = 0; x < p.width; ++x)
      if ((p.argb[y * p.width + x] >> 24) == 0) row[x / 8] |= 0x80 >> (x % 8);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

void WriteArray(std::ofstream& f, const char* name, const Picture& p) {
  f << "const uint32_t " << name << "[" << p.argb.size() << "] = {";
  for (size_t i = 0; i < p.argb.size(); ++i) {
    if (i % 8 == 0) f << "\n   ";
    char buf[16];
    std::snprintf(buf, sizeof buf, " 0x%08X,", p.argb[i]);
    f << buf;
  }
  f << "\n};\n";
}

}  // namespace

bool WriteExecutableResources(const std::filesystem::path& dir) {
  cairo_surface_t* iconSurface = DrawIcon();
  const Picture icon = ReadSurface(iconSurface);
  // The same pixels for desktop menus, which take PNG icons.
  const bool png =
      cairo_surface_write_to_png(iconSurface, (dir / "krambol.png").string().c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(iconSurface);
  if (!png) return false;
  const Picture cursor = DrawCursor();
  if (!WriteBytes(dir / "krambol.ico", IconFile(icon, 1, 0, 0))) return false;
  if (!WriteBytes(dir / "krambol.cur", IconFile(cursor, 2, 0, 0))) return false;
  {
    std::ofstream rc(dir / "krambol.rc");
    // Absolute paths, so the resource compiler finds the files from any directory.
    rc << "102 ICON \"" << std::filesystem::absolute(dir / "krambol.ico").generic_string() << "\"\n"
       << "101 CURSOR \"" << std::filesystem::absolute(dir / "krambol.cur").generic_string() << "\"\n";
    if (!rc) return false;
  }
  std::ofstream f(dir / "ResourcesData.cpp");
  f << "// Generated by artgen: icon 102 and cursor 101 of the executable.\n"
       "#include <cstdint>\n\n#include \"platform/PlatformTest.h\"\n\nnamespace {\n";
  WriteArray(f, "kIcon102", icon);
  WriteArray(f, "kCursor101", cursor);
  f << "struct TRegister {\n  TRegister() {\n"
       "    PlatformRegisterIconResource(102, 64, 64, kIcon102);\n"
       "    PlatformRegisterCursorResource(101, 32, 32, 0, 0, kCursor101);\n  }\n};\n"
       "const TRegister Register;\n}  // namespace\n";
  return static_cast<bool>(f);
}
