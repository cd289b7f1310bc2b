#include "graphics/TTexture.h"

#include "shell/ErrorLog.h"

TTexture::TTexture(std::wstring path) : Path_(std::move(path)) {}

TTexture::~TTexture() noexcept(false) {
  // The object is gone whatever happens, so its image goes with it; a texture
  // still in use is reported on the way out.
  if (Image_) GdipDisposeImage(Image_);
  Image_ = nullptr;
  if (UseCount_ != 0) {
    LogError("Не верное удалние текстуры, еще есть %d элементов", UseCount_);
    throw 0;
  }
}

void TTexture::Acquire() {
  if (UseCount_ == 0) {
    GpImage* image = nullptr;
    if (GdipLoadImageFromFile(Path_.c_str(), &image) != Ok) {
      image = nullptr;
      LogError("нет текстуры [%S]", Path_.c_str());
    }
    Image_ = image;
  }
  ++UseCount_;
}

void TTexture::Release() {
  if (UseCount_ == 1) {
    if (Image_) GdipDisposeImage(Image_);
    Image_ = nullptr;
    UseCount_ = 0;
  } else {
    --UseCount_;
  }
}

int TTexture::ImageWidth() const {
  UINT width = 0;
  if (!Image_ || GdipGetImageWidth(Image_, &width) != Ok) return 0;
  return static_cast<int>(width);
}

int TTexture::ImageHeight() const {
  UINT height = 0;
  if (!Image_ || GdipGetImageHeight(Image_, &height) != Ok) return 0;
  return static_cast<int>(height);
}
