#pragma once
// Internal to the platform layer: the icons and cursors compiled into the
// executable, and the handles LoadIconA / LoadCursorA give out for them.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/WinApi.h"
#include "platform/display/IconImage.h"

class ResourceTable {
 public:
  // The process-wide table. It works during static initialisation, where the
  // generated resource code registers the executable's images.
  static ResourceTable& Get();

  ResourceTable();
  ResourceTable(const ResourceTable&) = delete;
  ResourceTable& operator=(const ResourceTable&) = delete;

  // Stores a copy of the pixels under the id; a second registration replaces the
  // pixels behind the same handle. Sizes outside 1..256 or no pixels are ignored.
  void Register(bool cursor, int id, int width, int height, int hotX, int hotY, const uint32_t* argb);

  // The handle for a resource id of the executable, the same on every call; null if none.
  IconImage* Load(bool cursor, int id);
  IconImage* SystemIcon() { return &systemIcon_; }
  IconImage* SystemArrow() { return &systemArrow_; }

  // The image behind a handle; null for anything that is not one of ours.
  const IconImage* Find(const void* handle) const;

 private:
  std::map<int, std::unique_ptr<IconImage>> icons_;
  std::map<int, std::unique_ptr<IconImage>> cursors_;
  std::set<const void*> handles_;
  IconImage systemIcon_;
  IconImage systemArrow_;
};
