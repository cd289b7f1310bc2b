#pragma once
// Map objects: something that stands on a cell and blocks it, drawn from one
// frame of a sheet. The trees are the only kinds a map file can hold.

#include <cstdint>
#include <ostream>
#include <string>

#include "graphics/Geometry.h"
#include "graphics/TGraphics.h"
#include "graphics/TSprite.h"

class TPlace {
 public:
  // Looks up the sheet by path and acquires it; a path that is not registered
  // throws there. Frame index N shows frame column N mod F and frame row N div F,
  // where F is the sheet's row count (its frames down the sheet); a sheet that
  // failed to load has no rows, and then the frame is (0, 0).
  TPlace(const std::wstring& in_texturePath, int32_t in_frame);
  TPlace(const TPlace&) = delete;
  TPlace& operator=(const TPlace&) = delete;
  // Releases the sheet. The owning cell deletes the place.
  virtual ~TPlace();

  // Draws the frame with its anchor on (in_x, in_y): the top-left corner of the
  // cell plus the cell's drawing offsets. A frame outside the sheet draws nothing.
  virtual void Draw(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const;
  // Writes the place token of a map file; a plain place writes nothing.
  virtual void Write(std::wostream& out) const;
  // Appends the information text; a plain place has only a placeholder.
  virtual void Describe(std::wostream& out) const;

  // The rectangle Draw covers when given (in_x, in_y).
  TRect DrawBounds(int32_t in_x, int32_t in_y) const;

  TUnitSprite* Texture;
  int32_t FrameColumn = 0;
  int32_t FrameRow = 0;
  int32_t Frame;
};

// An ordinary tree, type digit 2 of the map file.
class TTree02 : public TPlace {
 public:
  explicit TTree02(int32_t in_frame);
  // Writes "(2 frame)".
  void Write(std::wostream& out) const override;
  void Describe(std::wostream& out) const override;
};

// A big tree, type digit 3 of the map file.
class TTree03 : public TPlace {
 public:
  explicit TTree03(int32_t in_frame);
  // Writes "(3 frame)".
  void Write(std::wostream& out) const override;
  void Describe(std::wostream& out) const override;
};
