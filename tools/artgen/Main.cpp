// artgen <output dir> [--only <text>] [--contact-sheet <file.png>]: draws the
// game's art into <output dir>/res and the executable's icon and cursor (the
// icon also as a PNG) into <output dir>/resources, then touches
// <output dir>/res/.generated.
// --only draws just the pictures whose path contains the text (for work on
// the art, and leaves the stamp alone); --contact-sheet also writes one PNG
// showing every picture drawn.
// Deterministic: the same bytes on every run, whatever the thread timing.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Catalogue.h"
#include "ContactSheet.h"
#include "Resources.h"
#include "Tiff.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: artgen <output dir> [--only <text>] [--contact-sheet <file.png>]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::string only;
  std::filesystem::path contact;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--only") && i + 1 < argc) {
      only = argv[++i];
    } else if (!std::strcmp(argv[i], "--contact-sheet") && i + 1 < argc) {
      contact = argv[++i];
    } else {
      std::fprintf(stderr, "artgen: unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  std::error_code ec;
  std::filesystem::create_directories(out / "res", ec);
  std::filesystem::create_directories(out / "resources", ec);
  if (!WriteExecutableResources(out / "resources")) {
    std::fprintf(stderr, "artgen: cannot write the icon and cursor\n");
    return 1;
  }

  std::vector<ArtItem> items;
  for (ArtItem& item : Catalogue())
    if (only.empty() || item.path.find(only) != std::string::npos) items.push_back(std::move(item));

  // Pictures are independent: two workers take them in turn. Each result goes
  // to its own file and thumbnail slot, so the output does not depend on timing.
  std::vector<Thumbnail> thumbnails(items.size());
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::mutex report;
  auto work = [&] {
    for (size_t i = next++; i < items.size() && !failed; i = next++) {
      const ArtItem& item = items[i];
      const Image image = item.draw();
      const std::string problem = CheckGeometry(item, image);
      const bool written = problem.empty() && WriteTiff(out / item.path, image);
      if (!written) {
        std::lock_guard<std::mutex> lock(report);
        std::fprintf(stderr, "artgen: %s: %s\n", item.path.c_str(),
                     problem.empty() ? "cannot write" : problem.c_str());
        failed = true;
        continue;
      }
      if (!contact.empty()) thumbnails[i] = MakeThumbnail(item.path, image);
    }
  };
  std::thread helper(work);
  work();
  helper.join();
  if (failed) return 1;

  if (!contact.empty() && !WriteContactSheet(contact, thumbnails)) {
    std::fprintf(stderr, "artgen: cannot write %s\n", contact.string().c_str());
    return 1;
  }
  // Only a complete run vouches for the whole of res/.
  if (!only.empty()) return 0;
  std::FILE* stamp = std::fopen((out / "res" / ".generated").string().c_str(), "wb");
  if (!stamp) return 1;
  std::fclose(stamp);
  return 0;
}
