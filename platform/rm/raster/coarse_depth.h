#pragma once
// Coarse depth: the farthest depth stored in each 8 x 8 block of a target, worked out when first
// asked and forgotten when the block is drawn into. With the nearest surfaces drawn first, a
// triangle's blocks that lie wholly behind everything already there can be skipped without
// reading their pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rm/raster/target.h"

namespace rm::raster {

// A triangle's depth as a plane: z at the centre of pixel (x, y) is
// z + zdx (x + 0.5 - x0) + zdy (y + 0.5 - y0).
struct DepthPlane {
  float x0 = 0, y0 = 0, z = 0, zdx = 0, zdy = 0;
};

class CoarseDepth {
 public:
  static constexpr int kShift = 3;
  static constexpr int kBlock = 1 << kShift;

  // Starts over for the blocks that meet area: every block unknown.
  void reset(const RenderTarget& target, const PixelRect& area);
  // The blocks wholly inside rect hold depth everywhere (just cleared).
  void setKnown(const PixelRect& rect, float depth);
  // The farthest depth in block (bx, by) of the area; +infinity where a pixel holds no number.
  float farthest(int bx, int by);
  // Blocks [bx0, bx1] of block row by may have been written.
  void forget(int bx0, int bx1, int by);
  // For the pixels [left, right] x [y0, y1) of one block row, which blocks a surface on plane may
  // show in with the test less-or-equal: open[i] for block (left >> kShift) + i. Returns how
  // many. A block is closed only when the plane's nearest depth over the block's part lies
  // beyond everything stored in the block.
  int openBlocks(const DepthPlane& plane, int y0, int y1, int left, int right, uint8_t* open);
  // Scratch flags for one block row, one per block column of the area.
  std::vector<uint8_t>& rowFlags() { return flags_; }

 private:
  float measure(int bx, int by) const;
  std::size_t index(int bx, int by) const {
    return static_cast<std::size_t>(by - top_) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(bx - left_);
  }

  RenderTarget target_;
  int left_ = 0, top_ = 0, columns_ = 0, rows_ = 0;  // in blocks
  std::vector<float> far_;
  std::vector<uint8_t> known_;
  std::vector<uint8_t> flags_;
};

}  // namespace rm::raster
