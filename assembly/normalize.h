// Book text normalisation: blanks collapsed, picture markers glued to their neighbours,
// empty lines limited, and markers moved off the 128-character block boundaries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

// A picture marker is kMarkerStart, the picture number, ".png", kMarkerEnd.
constexpr char kMarkerStart = '\x01';
constexpr char kMarkerEnd = '\x02';
constexpr std::size_t kBlockSize = 128;

// The whole normalisation. Linear in the text's length; applying it twice changes nothing.
std::string NormalizeBookText(std::string_view text);

// The first two steps alone: blanks collapsed and markers glued (no block alignment).
std::string GlueBookText(std::string_view text);
// The last step alone: spaces inserted before every marker that would cross a block boundary.
std::string AlignPictureMarkers(std::string_view glued);

// True for the blanks that normalisation removes around markers: space, LF, CR and TAB.
inline bool IsBookBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// The text a book build cuts its parts from, kept in normalised form while parts are taken off
// its front and the introduction is put in front again for every further midlet. Equal to
// doing the same with NormalizeBookText on whole strings, but the book is neither copied nor
// normalised again as a whole: it is kept glued once, and only the block alignment of the part
// being cut is worked out.
class TNormalizedText {
public:
  TNormalizedText() = default;
  // NormalizeBookText(text).
  explicit TNormalizedText(std::string_view text);

  bool Empty() const { return GluedLength() == 0; }
  // Length of the normalised text. Walks the markers only until their alignment agrees with
  // that of the whole book, worked out once: from a marker that starts a block in both, the
  // alignment of everything after it is the same.
  std::size_t Length();
  // Whether the normalised text has at most n characters (looks at no more than n + 1 of them).
  bool LengthAtMost(std::size_t n);
  // The first n characters (all of them when the text is shorter).
  std::string Head(std::size_t n);
  // The whole normalised text.
  std::string ToString() { return Head(std::string::npos); }

  // The text loses its first n characters. Unless n is a multiple of the block size the rest
  // is normalised again as the continuation of what was cut off: NormalizeBookText of the
  // rest, except that a space right after the cut is kept (at a cut between two words the
  // space is the only thing that separates them). Otherwise the rest stays as it is.
  void DropFront(std::size_t n);
  // The text becomes NormalizeBookText(prefix + text). An empty prefix leaves the text as a
  // continuation: realigned as DropFront does, its first space kept.
  void Prepend(std::string_view prefix);

private:
  // The glued text is head_ followed by book_[offset_..]; its alignment starts at index 0.
  std::size_t GluedLength() const { return head_.size() + (book_.size() - offset_); }
  char GluedAt(std::size_t i) const {
    return i < head_.size() ? head_[i] : book_[offset_ + i - head_.size()];
  }
  // Index in the glued text of the next marker start at or after i, or the glued length.
  std::size_t NextStart(std::size_t i) const;
  // Index of the next marker end after i, or the glued length.
  std::size_t NextEnd(std::size_t i) const;
  // Works out the alignment of the markers until the normalised text is longer than `until`.
  void PlanUntil(std::size_t until);
  void ResetPlan();
  // Moves the glued text's start to glued index g (g <= GluedLength()).
  void StartAt(std::size_t g);
  // Glued index of normalised index n (a position inside padding maps to its marker).
  std::size_t GluedIndexOf(std::size_t n);

  std::string book_;  // the glued book text, never changed after construction
  std::vector<std::size_t> bookStarts_, bookEnds_;  // marker characters in book_
  std::size_t offset_ = 0;
  std::string head_;  // a short glued piece before book_[offset_..]

  // Alignment plan: for markers in glued order, their glued index and the padding before them.
  struct Pad {
    std::size_t Glued;
    std::size_t Spaces;
  };
  std::vector<Pad> plan_;
  std::size_t plannedGlued_ = 0;   // glued indices below this are planned
  std::size_t plannedSpaces_ = 0;  // total padding of the plan

  // Alignment of the whole of book_ from its start: for each entry of bookStarts_ the padding
  // up to and including that marker's, and the padding of all of them.
  void PlanBook();
  std::vector<std::size_t> bookSpaces_;
  std::size_t bookTotalSpaces_ = 0;
  bool bookPlanned_ = false;
};

}  // namespace assembly
