// The executable's icons and cursors, registered by its generated resource code.
#include "platform/user32/ResourceTable.h"

#include "platform/PlatformTest.h"

ResourceTable& ResourceTable::Get() {
  // Never destroyed: handles stay valid to the very end of the process.
  static ResourceTable* table = new ResourceTable;
  return *table;
}

ResourceTable::ResourceTable()
    : systemIcon_{false, 32, 32, 0, 0, {}}, systemArrow_{true, 32, 32, 0, 0, {}} {
  handles_.insert(&systemIcon_);
  handles_.insert(&systemArrow_);
}

void ResourceTable::Register(bool cursor, int id, int width, int height, int hotX, int hotY, const uint32_t* argb) {
  if (!argb || width < 1 || height < 1 || width > 256 || height > 256) return;
  auto& table = cursor ? cursors_ : icons_;
  std::unique_ptr<IconImage>& slot = table[id];
  if (!slot) {
    slot = std::make_unique<IconImage>();
    handles_.insert(slot.get());
  }
  slot->cursor = cursor;
  slot->width = width;
  slot->height = height;
  slot->hotX = hotX < 0 ? 0 : (hotX >= width ? width - 1 : hotX);
  slot->hotY = hotY < 0 ? 0 : (hotY >= height ? height - 1 : hotY);
  slot->argb.assign(argb, argb + static_cast<size_t>(width) * static_cast<size_t>(height));
}

IconImage* ResourceTable::Load(bool cursor, int id) {
  auto& table = cursor ? cursors_ : icons_;
  auto it = table.find(id);
  return it == table.end() ? nullptr : it->second.get();
}

const IconImage* ResourceTable::Find(const void* handle) const {
  return handles_.count(handle) ? static_cast<const IconImage*>(handle) : nullptr;
}

void PlatformRegisterIconResource(int id, int width, int height, const uint32_t* argb) {
  ResourceTable::Get().Register(false, id, width, height, 0, 0, argb);
}

void PlatformRegisterCursorResource(int id, int width, int height, int hotX, int hotY, const uint32_t* argb) {
  ResourceTable::Get().Register(true, id, width, height, hotX, hotY, argb);
}
