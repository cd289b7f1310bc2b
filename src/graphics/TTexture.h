#pragma once
// One image file under res/, loaded on its first use and freed with its last.
// Users find it by path in the registry, Acquire it in their constructor and
// Release it in their destructor.

#include <string>

#include "platform/Win32.h"

class TTexture {
 public:
  explicit TTexture(std::wstring path);
  TTexture(const TTexture&) = delete;
  TTexture& operator=(const TTexture&) = delete;

  // Frees the image; then, when the texture is still in use, logs "Не верное
  // удалние текстуры, еще есть %d элементов" and throws 0.
  virtual ~TTexture() noexcept(false);
  // Loads the image when the count is 0 (logging "нет текстуры [path]" when it
  // fails), then counts the user. A failed image stays; drawing it draws nothing.
  virtual void Acquire();
  // Uncounts a user; the last one frees the image.
  virtual void Release();

  const std::wstring& Path() const { return Path_; }
  int32_t UseCount() const { return UseCount_; }
  // The loaded image, or null while unused or when loading failed.
  GpImage* Image() const { return Image_; }
  // The image's size in pixels; 0 without an image.
  int ImageWidth() const;
  int ImageHeight() const;

 private:
  std::wstring Path_;
  int32_t UseCount_ = 0;
  GpImage* Image_ = nullptr;
};
