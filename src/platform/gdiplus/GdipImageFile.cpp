// Loading images from files: TIFF through libtiff (every layout and compression
// it reads, alpha associated or not) and PNG through Cairo. Results, chosen to
// resemble the system library:
//   missing file or folder            FileNotFound
//   no permission                     AccessDenied
//   not a regular file, other errors  Win32Error
//   neither a TIFF nor a PNG signature UnknownImageFormat
//   damaged TIFF or PNG, or too large OutOfMemory
// Nothing is ever printed: the decoders' message handlers are silenced.
//
// A program that loads the same pictures again and again headless (a screen's
// background at every change of screen, a unit's sheets with every new game)
// can have the images decoded last kept with the file bytes they came from
// (PlatformTest::KeepDecodedImages): a file whose bytes are the same is then
// copied from there instead of being decoded again. Off by default, so that a
// game holds no second copy of its pictures and every load decodes the file.
#include <cairo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <list>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

// Closes the descriptor when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Reads exactly size bytes unless the file ends first; returns the count read.
size_t ReadFully(int fd, void* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, static_cast<char*>(buffer) + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += size_t(got);
  }
  return done;
}

bool SizeAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= uint64_t(kGdipMaxSide) && height <= uint64_t(kGdipMaxSide) &&
         width * height <= uint64_t(kGdipMaxPixels);
}

// libtiff reads through these, on a descriptor this file owns.
int HandleFd(thandle_t handle) { return int(reinterpret_cast<intptr_t>(handle)); }

tmsize_t TiffRead(thandle_t handle, void* buffer, tmsize_t size) {
  if (size < 0) return -1;
  return tmsize_t(ReadFully(HandleFd(handle), buffer, size_t(size)));
}

tmsize_t TiffWrite(thandle_t, void*, tmsize_t) { return -1; }

toff_t TiffSeek(thandle_t handle, toff_t offset, int whence) {
  off_t result = lseek(HandleFd(handle), off_t(offset), whence);
  return result < 0 ? toff_t(-1) : toff_t(result);
}

int TiffClose(thandle_t) { return 0; }

toff_t TiffSize(thandle_t handle) {
  struct stat info;
  return fstat(HandleFd(handle), &info) == 0 ? toff_t(info.st_size) : 0;
}

int TiffMap(thandle_t, void**, toff_t*) { return 0; }

void TiffUnmap(thandle_t, void*, toff_t) {}

void SilenceTiff() {
  static const bool silenced = [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  (void)silenced;
}

// A channel times alpha, divided by 255 and rounded to nearest, as the general
// RGBA reader multiplies unassociated alpha in.
inline uint32_t MultiplyAlpha(uint32_t channel, uint32_t alpha) {
  const uint32_t t = channel * alpha + 128;
  return (t + (t >> 8)) >> 8;
}

enum class StripResult { Unsupported, Failed, Done };

// The plain layouts (8-bit RGB, or RGBA with associated or unassociated alpha,
// in contiguous strips, top row first, any compression) are decoded strip by
// strip straight into premultiplied ARGB, without the general RGBA reader's
// intermediate image and its per-pixel dispatch. The pixels are the same as
// that reader gives: unassociated alpha is multiplied in, rounded to nearest;
// associated alpha is taken as it is, each channel held to the alpha.
StripResult DecodeStrips(TIFF* tiff, uint32_t width, uint32_t height, uint32_t* out, bool* opaque) {
  uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, orientation = 0, format = 0;
  if (TIFFIsTiled(tiff) || TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) != 1 ||
      TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits) != 1 ||
      TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples) != 1 ||
      TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar) != 1 ||
      TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation) != 1 ||
      TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format) != 1) {
    return StripResult::Unsupported;
  }
  if (bits != 8 || photometric != PHOTOMETRIC_RGB || planar != PLANARCONFIG_CONTIG ||
      orientation != ORIENTATION_TOPLEFT || format != SAMPLEFORMAT_UINT) {
    return StripResult::Unsupported;
  }
  uint16_t extraCount = 0;
  uint16_t* extraTypes = nullptr;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
  bool hasAlpha = false, associated = false;
  if (samples == 4 && extraCount == 1 && extraTypes != nullptr &&
      (extraTypes[0] == EXTRASAMPLE_ASSOCALPHA || extraTypes[0] == EXTRASAMPLE_UNASSALPHA)) {
    hasAlpha = true;
    associated = extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
  } else if (samples != 3 || extraCount != 0) {
    return StripResult::Unsupported;
  }
  uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  rowsPerStrip = std::min(std::max<uint32_t>(rowsPerStrip, 1), height);
  const uint64_t strips = (uint64_t(height) + rowsPerStrip - 1) / rowsPerStrip;
  if (strips > TIFFNumberOfStrips(tiff)) return StripResult::Failed;

  // Every alpha, and-ed together: 255 when the image is opaque.
  uint32_t alphas = 0xFF;
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size_t(rowsPerStrip) * width * samples);
  } catch (const std::bad_alloc&) {
    return StripResult::Failed;
  }
  for (uint32_t strip = 0, row = 0; row < height; ++strip, row += rowsPerStrip) {
    const uint32_t rows = std::min(rowsPerStrip, height - row);
    const tmsize_t wanted = tmsize_t(rows) * width * samples;
    if (TIFFReadEncodedStrip(tiff, strip, buffer.data(), wanted) < wanted) return StripResult::Failed;
    const uint8_t* in = buffer.data();
    uint32_t* target = out + size_t(row) * width;
    const size_t count = size_t(rows) * width;
    if (!hasAlpha) {
      for (size_t i = 0; i < count; ++i, in += 3)
        target[i] = 0xFF000000u | (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | in[2];
    } else if (associated) {
      for (size_t i = 0; i < count; ++i, in += 4) {
        const uint32_t a = in[3];
        alphas &= a;
        target[i] = (a << 24) | (std::min<uint32_t>(in[0], a) << 16) | (std::min<uint32_t>(in[1], a) << 8) |
                    std::min<uint32_t>(in[2], a);
      }
    } else {
      for (size_t i = 0; i < count; ++i, in += 4) {
        const uint32_t a = in[3];
        alphas &= a;
        target[i] = (a << 24) | (MultiplyAlpha(in[0], a) << 16) | (MultiplyAlpha(in[1], a) << 8) |
                    MultiplyAlpha(in[2], a);
      }
    }
  }
  *opaque = alphas == 0xFF;
  return StripResult::Done;
}

std::shared_ptr<GdipPixels> LoadTiff(int fd, GpStatus* status) {
  SilenceTiff();
  *status = OutOfMemory;
  TIFF* tiff = TIFFClientOpen("image", "rm", reinterpret_cast<thandle_t>(intptr_t(fd)), TiffRead, TiffWrite,
                              TiffSeek, TiffClose, TiffSize, TiffMap, TiffUnmap);
  if (tiff == nullptr) return nullptr;
  std::shared_ptr<GdipPixels> pixels;
  uint32_t width = 0, height = 0;
  char message[1024];
  if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) == 1 &&
      TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) == 1 && SizeAllowed(width, height) &&
      TIFFRGBAImageOK(tiff, message) == 1) {
    pixels = GdipAllocatePixels(int(width), int(height), false, status, false);
    bool opaque = false;
    const StripResult strips =
        pixels ? DecodeStrips(tiff, width, height, pixels->data, &opaque) : StripResult::Failed;
    if (strips == StripResult::Done) {
      pixels->knownOpaque = opaque;
      *status = Ok;
    } else if (strips == StripResult::Unsupported &&
               (std::memset(pixels->data, 0, size_t(width) * size_t(height) * sizeof(uint32_t)),
                TIFFReadRGBAImageOriented(tiff, width, height, pixels->data, ORIENTATION_TOPLEFT, 1) == 1)) {
      // The general reader writes A B G R bytes per pixel (red lowest), already premultiplied.
      size_t count = size_t(width) * size_t(height);
      for (size_t i = 0; i < count; ++i) {
        uint32_t value = pixels->data[i];
        uint32_t alpha = TIFFGetA(value);
        uint32_t red = std::min<uint32_t>(TIFFGetR(value), alpha);
        uint32_t green = std::min<uint32_t>(TIFFGetG(value), alpha);
        uint32_t blue = std::min<uint32_t>(TIFFGetB(value), alpha);
        pixels->data[i] = (alpha << 24) | (red << 16) | (green << 8) | blue;
      }
      *status = Ok;
    } else {
      pixels.reset();
      *status = OutOfMemory;
    }
  }
  TIFFClose(tiff);
  return pixels;
}

cairo_status_t PngRead(void* closure, unsigned char* data, unsigned int length) {
  int fd = *static_cast<int*>(closure);
  return ReadFully(fd, data, length) == length ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_READ_ERROR;
}

std::shared_ptr<GdipPixels> LoadPng(int fd, const unsigned char* header, size_t headerSize,
                                    GpStatus* status) {
  *status = OutOfMemory;
  // The size in the header chunk is checked first, so a forged header cannot
  // make the decoder allocate beyond the limits.
  if (headerSize < 24 || std::memcmp(header + 12, "IHDR", 4) != 0) return nullptr;
  auto be32 = [header](int at) {
    return (uint32_t(header[at]) << 24) | (uint32_t(header[at + 1]) << 16) | (uint32_t(header[at + 2]) << 8) |
           uint32_t(header[at + 3]);
  };
  if (!SizeAllowed(be32(16), be32(20)) || lseek(fd, 0, SEEK_SET) != 0) return nullptr;
  cairo_surface_t* png = cairo_image_surface_create_from_png_stream(PngRead, &fd);
  std::shared_ptr<GdipPixels> pixels;
  if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
    int width = cairo_image_surface_get_width(png);
    int height = cairo_image_surface_get_height(png);
    pixels = GdipAllocatePixels(width, height, false, status);
    if (pixels) {
      cairo_surface_t* target = cairo_image_surface_create_for_data(
          reinterpret_cast<unsigned char*>(pixels->data), CAIRO_FORMAT_ARGB32, width, height, width * 4);
      cairo_t* cr = cairo_create(target);
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_surface(cr, png, 0.0, 0.0);
      cairo_paint(cr);
      bool painted = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
      cairo_destroy(cr);
      cairo_surface_finish(target);
      cairo_surface_destroy(target);
      if (!painted) {
        pixels.reset();
        *status = OutOfMemory;
      }
    }
  }
  cairo_surface_destroy(png);
  return pixels;
}

// The images decoded, by path, with the bytes of their files; at most kBudget
// bytes of both together (every picture the game draws, decoded, takes about
// 180 MiB). Once the budget is full, images decoded later are not kept: a
// program loads its pictures in the same order game after game, and making
// room by dropping the least recently used would drop each one just before it
// is asked for again.
class DecodedImages {
 public:
  static constexpr size_t kBudget = size_t(256) << 20;

  static DecodedImages& Get() {
    static DecodedImages images;
    return images;
  }

  bool Enabled() const { return enabled_.load(std::memory_order_relaxed); }

  // Turned off, the kept images are freed.
  void SetEnabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    enabled_.store(enabled, std::memory_order_relaxed);
    if (!enabled) {
      entries_.clear();
      size_ = 0;
    }
  }

  // A fresh copy of the pixels decoded from exactly these bytes under this path; null if none are kept.
  std::shared_ptr<GdipPixels> Find(const std::string& path, const std::string& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path != path || it->bytes != bytes) continue;
      entries_.splice(entries_.begin(), entries_, it);
      return Copy(*it->pixels);
    }
    return nullptr;
  }

  // Keeps a copy of the pixels decoded from the bytes.
  void Add(const std::string& path, std::string bytes, const GdipPixels& pixels) {
    const size_t size = bytes.size() + PixelBytes(pixels);
    if (size > kBudget) return;
    std::shared_ptr<GdipPixels> copy = Copy(pixels);
    if (!copy) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_.load(std::memory_order_relaxed)) return;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path == path) {
        size_ -= it->bytes.size() + PixelBytes(*it->pixels);
        entries_.erase(it);
        break;
      }
    }
    if (size_ + size > kBudget) return;
    entries_.push_front(Entry{path, std::move(bytes), std::move(copy)});
    size_ += size;
  }

 private:
  struct Entry {
    std::string path;
    std::string bytes;
    std::shared_ptr<GdipPixels> pixels;
  };

  static size_t PixelBytes(const GdipPixels& pixels) { return size_t(pixels.width) * size_t(pixels.height) * 4; }

  static std::shared_ptr<GdipPixels> Copy(const GdipPixels& pixels) {
    GpStatus status = Ok;
    std::shared_ptr<GdipPixels> copy = GdipAllocatePixels(pixels.width, pixels.height, pixels.opaque, &status);
    if (copy) std::memcpy(copy->data, pixels.data, PixelBytes(pixels));
    return copy;
  }

  std::mutex mutex_;
  std::atomic<bool> enabled_{false};
  std::list<Entry> entries_;
  size_t size_ = 0;
};

GpStatus OpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return FileNotFound;
    case EACCES:
    case EPERM:
      return AccessDenied;
    default:
      return Win32Error;
  }
}

}  // namespace

void GdipKeepDecodedImages(bool keep) { DecodedImages::Get().SetEnabled(keep); }

namespace DllExports {

GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage** image) {
  if (filename == nullptr || image == nullptr) return InvalidParameter;
  std::string path;
  if (!GdipWideToUtf8(filename, -1, &path)) return OutOfMemory;
  if (path.empty()) return FileNotFound;
  // Non-blocking, so that a named pipe cannot stall the open; only regular files are read.
  FileHandle file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) return OpenError(errno);
  struct stat info;
  if (fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return Win32Error;
  int flags = fcntl(file.Get(), F_GETFL);
  if (flags >= 0) fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK);

  unsigned char header[24] = {};
  size_t headerSize = ReadFully(file.Get(), header, sizeof(header));
  GpStatus status = UnknownImageFormat;
  std::shared_ptr<GdipPixels> pixels;
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  bool tiffLittle = headerSize >= 4 && header[0] == 'I' && header[1] == 'I' &&
                    (header[2] == 42 || header[2] == 43) && header[3] == 0;
  bool tiffBig = headerSize >= 4 && header[0] == 'M' && header[1] == 'M' && header[2] == 0 &&
                 (header[3] == 42 || header[3] == 43);
  const bool png = headerSize >= 8 && std::memcmp(header, kPng, 8) == 0;
  // The whole file, to find its pixels among those decoded before.
  std::string bytes;
  if ((tiffLittle || tiffBig || png) && DecodedImages::Get().Enabled() &&
      uint64_t(info.st_size) <= DecodedImages::kBudget / 4) {
    bytes.resize(size_t(info.st_size));
    if (lseek(file.Get(), 0, SEEK_SET) != 0) return Win32Error;
    if (ReadFully(file.Get(), bytes.data(), bytes.size()) != bytes.size()) bytes.clear();
    pixels = bytes.empty() ? nullptr : DecodedImages::Get().Find(path, bytes);
  }
  if (!pixels) {
    if (tiffLittle || tiffBig) {
      if (lseek(file.Get(), 0, SEEK_SET) != 0) return Win32Error;
      pixels = LoadTiff(file.Get(), &status);
    } else if (png) {
      pixels = LoadPng(file.Get(), header, headerSize, &status);
    }
    if (!pixels) return status == Ok ? OutOfMemory : status;
    if (!bytes.empty()) DecodedImages::Get().Add(path, std::move(bytes), *pixels);
  }

  auto* object = new (std::nothrow) GdipImageObject;
  if (object != nullptr) object->pixels = std::move(pixels);
  return GdipPublish(object, image);
}

}  // namespace DllExports
}  // namespace Gdiplus
