#include "fontcreator/colorquantizer.h"

#include <stdexcept>

namespace fontcreator {

using platform::PixelFormat;

namespace {
[[noreturn]] void Fail() { throw std::logic_error("Assertion failure (ColorQuantizer)"); }

void Collect(const TOctreeNode& node, std::vector<platform::PaletteEntry>& out) {
  if (node.Leaf) {
    platform::PaletteEntry e;
    if (node.PixelCount != 0) {
      e.red = static_cast<std::uint8_t>(node.Sums[2] / node.PixelCount);
      e.green = static_cast<std::uint8_t>(node.Sums[1] / node.PixelCount);
      e.blue = static_cast<std::uint8_t>(node.Sums[0] / node.PixelCount);
    }
    out.push_back(e);
    return;
  }
  for (const auto& child : node.Children)
    if (child) Collect(*child, out);
}
}  // namespace

TColorQuantizer::TColorQuantizer(std::uint32_t colourLimit, std::uint32_t depth)
    : limit_(colourLimit), depth_(depth) {
  if (depth > 8 || depth == 0 || colourLimit == 0) Fail();
}

void TColorQuantizer::AddPixel(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
  std::unique_ptr<TOctreeNode>* slot = &root_;
  for (std::uint32_t level = 0;; ++level) {
    if (!*slot) {
      *slot = std::make_unique<TOctreeNode>();
      TOctreeNode* n = slot->get();
      if (level == depth_) {
        n->Leaf = true;
        ++leaves_;
      } else {
        n->Next = reducible_[level];
        reducible_[level] = n;
      }
    }
    TOctreeNode* node = slot->get();
    if (node->Leaf) {
      ++node->PixelCount;
      node->Sums[0] += b0;
      node->Sums[1] += b1;
      node->Sums[2] += b2;
      break;
    }
    const int shift = 7 - static_cast<int>(level);
    const int index = ((b0 >> shift) & 1) * 4 + ((b1 >> shift) & 1) * 2 + ((b2 >> shift) & 1);
    slot = &node->Children[static_cast<std::size_t>(index)];
  }
  while (leaves_ > limit_) Reduce();
}

void TColorQuantizer::Reduce() {
  int level = static_cast<int>(depth_) - 1;
  while (level > 0 && !reducible_[static_cast<std::size_t>(level)]) --level;
  TOctreeNode* node = reducible_[static_cast<std::size_t>(level)];
  if (!node) Fail();  // cannot happen while there are more leaves than the limit
  reducible_[static_cast<std::size_t>(level)] = node->Next;
  node->Next = nullptr;
  std::uint32_t children = 0;
  for (auto& child : node->Children) {
    if (!child) continue;
    node->Sums[0] += child->Sums[0];
    node->Sums[1] += child->Sums[1];
    node->Sums[2] += child->Sums[2];
    node->PixelCount += child->PixelCount;
    child.reset();
    ++children;
  }
  node->Leaf = true;
  leaves_ = leaves_ - children + 1;
}

std::vector<platform::PaletteEntry> TColorQuantizer::PaletteTable() const {
  std::vector<platform::PaletteEntry> table;
  if (root_) Collect(*root_, table);
  table.resize(256);
  return table;
}

void ReduceToPalette(platform::Bitmap& bitmap, PixelFormat target, int colourLimit) {
  if (bitmap.Format() != PixelFormat::pf24bit) Fail();
  if (target != PixelFormat::pf8bit && target != PixelFormat::pf4bit) Fail();
  const int max = target == PixelFormat::pf8bit ? 256 : 16;
  if (colourLimit < 1 || colourLimit > max) Fail();
  std::vector<platform::PaletteEntry> table;
  {
    TColorQuantizer q(static_cast<std::uint32_t>(colourLimit), 8);
    for (int y = 0; y < bitmap.Height(); ++y) {
      const std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < bitmap.Width(); ++x, p += 3) q.AddPixel(p[0], p[1], p[2]);
    }
    table = q.PaletteTable();
  }
  bitmap = bitmap.Converted(target, platform::Palette(std::move(table)));
}

}  // namespace fontcreator
