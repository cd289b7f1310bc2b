#include "Catalogue.h"

#include "MapArt.h"
#include "ToolkitArt.h"
#include "UnitExtras.h"
#include "UnitSheets.h"

std::vector<ArtItem> Catalogue() {
  std::vector<ArtItem> items;
  for (const UnitType& type : UnitTypes()) {
    for (int s = 0; s < kStateCount; ++s) {
      const State state = static_cast<State>(s);
      const int size = type.frameSize[s];
      items.push_back({std::string("res/Unit/") + type.folder + "/" + StateName(state) + ".tif", size, size,
                       8, 8, [&type, state] { return RenderUnitSheet(type, state); }});
    }
    const std::string folder = type.folder;
    if (folder == "Queen") items.push_back({"res/Unit/Queen/groundflow.tif", 64, 96, 8, 8, DrawGroundFlow});
    if (folder == "RedArcher")
      items.push_back({"res/Unit/RedArcher/arrow.tif", 32, 64, 8, 8, DrawBoltFlight});
    if (folder == "WhiteMage")
      items.push_back({"res/Unit/WhiteMage/watermagic.tif", 64, 64, 8, 8, DrawWaterMagic});
  }
  items.push_back({"res/map/trees01_96x96.tif", 96, 96, 4, 4, DrawSmallTrees});
  items.push_back({"res/map/trees02_128x128.tif", 128, 128, 4, 4, DrawOrdinaryTrees});
  items.push_back({"res/map/trees03_128x128.tif", 128, 128, 4, 4, DrawBigTrees});
  items.push_back({"res/map/castl.tif", 192, 384, 2, 1, DrawCastle});
  items.push_back({"res/map/grund_iso.tif", 64, 48, kTileColumns, kTileRows, DrawGroundTiles});
  items.push_back({"res/map/arrow.tif", 64, 64, 8, 2, DrawMapArrows});
  items.push_back({"res/button/button1.tif", 21, 21, 1, 4, DrawCheckBoxes});
  items.push_back({"res/button/button3.tif", 150, 30, 1, 3, DrawButtons});
  items.push_back({"res/button/cyprbk.tif", 256, 256, 1, 1, DrawPanel});
  items.push_back({"res/button/back.tif", 1024, 768, 1, 1, DrawMenuBackground});
  items.push_back({"res/button/frame.tif", 102, 256, 1, 1, [] { return DrawFrame(false); }});
  items.push_back({"res/button/frame2.tif", 102, 256, 1, 1, [] { return DrawFrame(true); }});
  items.push_back({"res/button/scroll.tif", 62, 101, 1, 1, DrawScrollPieces});
  return items;
}

std::string CheckGeometry(const ArtItem& item, const Image& image) {
  const int w = image.Width(), h = image.Height();
  if (w % item.frameWidth || h % item.frameHeight)
    return "size " + std::to_string(w) + "x" + std::to_string(h) + " is not whole frames";
  if (item.columns && w / item.frameWidth != item.columns) return "wrong number of columns";
  if (item.rows && h / item.frameHeight != item.rows) return "wrong number of rows";
  return {};
}
