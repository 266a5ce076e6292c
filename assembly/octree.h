// Octree colour quantizer: each colour goes down the tree one bit of each channel per level
// (the most significant first); whenever the tree holds more leaves than the limit, the
// reducible node of the deepest level that was made last is merged into one leaf with the
// sums of its children. The leaves' mean colours make the palette.
#pragma once

#include "platform/imaging/bitmap.h"
#include "platform/imaging/palette.h"

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace assembly {

// The channel that gives the highest bit of a child index; green gives the middle bit and
// the other channel the lowest. The order decides which colours share a node, and the order
// of the palette.
enum class OctreeKey { RedHigh, BlueHigh };

template <OctreeKey Key>
class TOctreeQuantizer {
public:
  // A limit of 0, or a depth of 0 or above 8, raises std::logic_error
  // "Assertion failure (ColorQuantizer)".
  explicit TOctreeQuantizer(std::uint32_t colourLimit, std::uint32_t depth = 8) : limit_(colourLimit), depth_(depth) {
    if (colourLimit == 0 || depth == 0 || depth > 8) Fail();
  }

  // Adds one colour, then merges nodes until at most the limit of leaves remain.
  void AddColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::unique_ptr<Node>* slot = &root_;
    for (std::uint32_t level = 0;; ++level) {
      if (!*slot) {
        *slot = std::make_unique<Node>();
        Node* made = slot->get();
        if (level == depth_) {
          made->Leaf = true;
          ++leaves_;
        } else {
          made->Next = reducible_[level];
          reducible_[level] = made;
        }
      }
      Node* node = slot->get();
      if (node->Leaf) {
        ++node->PixelCount;
        node->Red += red;
        node->Green += green;
        node->Blue += blue;
        break;
      }
      const int shift = 7 - static_cast<int>(level);
      const int high = Key == OctreeKey::RedHigh ? red : blue;
      const int low = Key == OctreeKey::RedHigh ? blue : red;
      const int index = ((high >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((low >> shift) & 1);
      slot = &node->Children[static_cast<std::size_t>(index)];
    }
    while (leaves_ > limit_) Reduce();
  }

  // Adds every pixel of a 24-bit bitmap, row by row (else "Assertion failure (ColorQuantizer)").
  void AddPixels(const platform::Bitmap& bitmap) {
    if (bitmap.Format() != platform::PixelFormat::pf24bit) Fail();
    for (int y = 0; y < bitmap.Height(); ++y) {
      const std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < bitmap.Width(); ++x, p += 3) AddColor(p[2], p[1], p[0]);
    }
  }

  // The leaves' mean colours, depth first with the children in index order.
  std::vector<platform::PaletteEntry> LeafColors() const {
    std::vector<platform::PaletteEntry> out;
    if (root_) Collect(*root_, out);
    return out;
  }

  std::uint32_t Leaves() const { return leaves_; }

private:
  struct Node {
    bool Leaf = false;
    std::uint32_t PixelCount = 0;
    // 64-bit sums: a leaf of a large picture can sum more than 2^32.
    std::uint64_t Red = 0, Green = 0, Blue = 0;
    std::array<std::unique_ptr<Node>, 8> Children;
    Node* Next = nullptr;  // the next node of the same level's reducible list
  };

  [[noreturn]] static void Fail() { throw std::logic_error("Assertion failure (ColorQuantizer)"); }

  void Reduce() {
    int level = static_cast<int>(depth_) - 1;
    while (level > 0 && !reducible_[static_cast<std::size_t>(level)]) --level;
    Node* node = reducible_[static_cast<std::size_t>(level)];
    if (!node) Fail();  // cannot happen while there are more leaves than a limit of 1 or more
    reducible_[static_cast<std::size_t>(level)] = node->Next;
    node->Next = nullptr;
    std::uint32_t children = 0;
    for (std::unique_ptr<Node>& child : node->Children) {
      if (!child) continue;
      node->Red += child->Red;
      node->Green += child->Green;
      node->Blue += child->Blue;
      node->PixelCount += child->PixelCount;
      child.reset();
      ++children;
    }
    node->Leaf = true;
    leaves_ = leaves_ - children + 1;
  }

  static void Collect(const Node& node, std::vector<platform::PaletteEntry>& out) {
    if (node.Leaf) {
      platform::PaletteEntry e;
      if (node.PixelCount != 0) {
        e.Red = static_cast<std::uint8_t>(node.Red / node.PixelCount);
        e.Green = static_cast<std::uint8_t>(node.Green / node.PixelCount);
        e.Blue = static_cast<std::uint8_t>(node.Blue / node.PixelCount);
      }
      out.push_back(e);
      return;
    }
    for (const std::unique_ptr<Node>& child : node.Children)
      if (child) Collect(*child, out);
  }

  std::unique_ptr<Node> root_;
  std::uint32_t leaves_ = 0;
  std::uint32_t limit_;
  std::uint32_t depth_;
  std::array<Node*, 8> reducible_{};
};

}  // namespace assembly
