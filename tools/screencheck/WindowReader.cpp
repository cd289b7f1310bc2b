#include "WindowReader.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Set by the error handler: a window that went away mid-read is no reason to end the program.
bool XRequestFailed = false;

int RecordError(Display*, XErrorEvent*) {
  XRequestFailed = true;
  return 0;
}

// Where a channel of the visual's mask starts and how wide it is.
void MaskShape(unsigned long mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (!mask) return;
  while (!(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++bits;
  }
}

uint32_t Channel(unsigned long pixel, unsigned long mask) {
  int shift = 0, bits = 0;
  MaskShape(mask, shift, bits);
  if (bits == 0) return 0;
  const unsigned long value = (pixel & mask) >> shift;
  const unsigned long top = (1ul << bits) - 1;
  return static_cast<uint32_t>((value * 255 + top / 2) / top);
}

}  // namespace

WindowReader::WindowReader() : display_(XOpenDisplay(nullptr)) {
  if (display_) XSetErrorHandler(RecordError);
}

WindowReader::~WindowReader() {
  if (display_) XCloseDisplay(display_);
}

Picture WindowReader::Capture(unsigned long window) {
  if (!display_) return Picture();
  XRequestFailed = false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes) || XRequestFailed) return Picture();
  if (attributes.map_state != IsViewable || attributes.width <= 0 || attributes.height <= 0) return Picture();
  XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  XSync(display_, False);
  if (!image || XRequestFailed) {
    if (image) XDestroyImage(image);
    return Picture();
  }
  Picture picture(image->width, image->height);
  const bool fast = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                    image->blue_mask == 0xFF && image->byte_order == LSBFirst;
  for (int y = 0; y < image->height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image->data + static_cast<long>(y) * image->bytes_per_line);
    for (int x = 0; x < image->width; ++x) {
      if (fast) {
        picture.Set(x, y, row[x]);
      } else {
        const unsigned long p = XGetPixel(image, x, y);
        picture.Set(x, y,
                    Channel(p, image->red_mask) << 16 | Channel(p, image->green_mask) << 8 |
                        Channel(p, image->blue_mask));
      }
    }
  }
  XDestroyImage(image);
  return picture;
}
