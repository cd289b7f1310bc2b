#pragma once
// The overview: a miniature of the whole map over the bottom-right corner of
// the map window, in a frame titled "Обзор". It shows each cell's ground in
// the average colour of its tile, trees in dark green and stacks as dots in
// their owners' colours (the rings' black and white), with the part the map
// window shows outlined. A click or a drag on it scrolls the map there; a
// click on its title folds it to the title and unfolds it again.
//
// The miniature is made again only when the map has changed since it was
// made, and never holds more than kSide x kSide pixels: on a large map each
// pixel shows the ground of one of the cells it covers, while every stack
// still gets its dot.

#include <cstdint>
#include <vector>

#include "graphics/Geometry.h"
#include "platform/Win32.h"
#include "toolkit/TWindow.h"

class TEditorDocument;
class TEditorMap;
class TSprite;

class TEditorOverview : public TWindow {
 public:
  // The longest side of the miniature, in pixels.
  static constexpr int32_t kSide = 180;
  // The title strip above the miniature.
  static constexpr int32_t kTitleHeight = 18;

  // A child of the current desktop; in_document belongs to the screen and
  // outlives it. It shows Map, which the screen sets (and changes with the map).
  explicit TEditorOverview(const TEditorDocument* in_document);
  ~TEditorOverview() override;

  // The miniature (made again first when the map changed), the outline of
  // the visible part and the frame, into the desktop's surface.
  void Draw() override;
  // Keeps to the bottom-right corner of the map window.
  void SetSize(int32_t in_width, int32_t in_height) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  void OnMouseMove() override;
  bool OnKeyDown() override { return false; }

  // Makes the miniature from the world now, whatever it shows already.
  void Rebuild();
  // Where the miniature is drawn, in the desktop's coordinates; empty before it is made.
  TRect PictureRect() const;
  // The colour the miniature shows for each ground tile, row by row of the
  // ground sheet; dark grey for one it cannot read.
  const std::vector<ARGB>& TileColours();

  TEditorMap* Map = nullptr;
  bool Folded = false;

 private:
  // Places the window at the corner for the miniature's size.
  void Place();
  // Scrolls the map to the cell under the mouse, when it is over the miniature.
  void ScrollToMouse();
  void FreeImage();

  const TEditorDocument* Document_;
  TSprite* Ground_;
  std::vector<ARGB> TileColours_;
  // The miniature: its pixels (kept alive for the image made from them) and size.
  std::vector<ARGB> Pixels_;
  GpBitmap* Image_ = nullptr;
  Status LastStatus_ = Ok;
  int32_t PictureWidth_ = 0;
  int32_t PictureHeight_ = 0;
  // What the miniature shows: the document's revisions and the map's size.
  bool Built_ = false;
  uint64_t BuiltRevision_ = 0;
  uint64_t BuiltGrid_ = 0;
  bool Dragging_ = false;
};
