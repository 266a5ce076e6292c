#include "assembly/normalize.h"

#include <algorithm>

namespace assembly {

namespace {

// Blanks: runs of spaces become one space; no space at the start or after an LF.
std::string CollapseBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ' || (!out.empty() && out.back() != ' ' && out.back() != '\n')) out += c;
  }
  return out;
}

// Gluing. Every deletion removes a blank, so each maximal run of blanks is settled by its
// own characters and the two characters around it: a run after a marker end or before a
// marker start vanishes; in any other run spaces before an LF go and LFs are kept to three in
// a row. This is the fixed point that repeated single deletions reach.
std::string GlueMarkers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    if (!IsBookBlank(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < n && IsBookBlank(text[end])) ++end;
    const bool afterMarker = !out.empty() && out.back() == kMarkerEnd;
    const bool beforeMarker = end < n && text[end] == kMarkerStart;
    if (!afterMarker && !beforeMarker) {
      const std::size_t runStart = out.size();
      for (std::size_t k = i; k < end; ++k) {
        const char c = text[k];
        if (c == '\n') {
          while (out.size() > runStart && out.back() == ' ') out.pop_back();
          const std::size_t len = out.size() - runStart;
          if (len >= 3 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n' &&
              out[out.size() - 3] == '\n')
            continue;
        }
        out += c;
      }
    }
    i = end;
  }
  return out;
}

std::size_t RoundUpToBlock(std::size_t i) { return (i + kBlockSize - 1) / kBlockSize * kBlockSize; }

void FindMarkers(std::string_view text, std::vector<std::size_t>& starts,
                 std::vector<std::size_t>& ends) {
  starts.clear();
  ends.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kMarkerStart) starts.push_back(i);
    else if (text[i] == kMarkerEnd) ends.push_back(i);
  }
}

}  // namespace

std::string GlueBookText(std::string_view text) { return GlueMarkers(CollapseBlanks(text)); }

std::string AlignPictureMarkers(std::string_view glued) {
  std::string out;
  out.reserve(glued.size() + glued.size() / 16);
  const std::size_t n = glued.size();
  std::size_t end = 0;  // index of the next marker end after x, or n
  for (std::size_t x = 0; x < n; ++x) {
    const char c = glued[x];
    if (c == kMarkerStart) {
      if (end <= x) {
        end = x + 1;
        while (end < n && glued[end] != kMarkerEnd) ++end;
      }
      const std::size_t i = out.size();
      const std::size_t j = i + (end - x);
      const std::size_t b = RoundUpToBlock(i);
      if (i < b && j >= b) out.append(b - i, ' ');
    }
    out += c;
  }
  return out;
}

std::string NormalizeBookText(std::string_view text) {
  return AlignPictureMarkers(GlueBookText(text));
}

// --- TNormalizedText ---

TNormalizedText::TNormalizedText(std::string_view text) : book_(GlueBookText(text)) {
  FindMarkers(book_, bookStarts_, bookEnds_);
}

std::size_t TNormalizedText::NextStart(std::size_t i) const {
  if (i < head_.size()) {
    const std::size_t p = head_.find(kMarkerStart, i);
    if (p != std::string::npos) return p;
    i = head_.size();
  }
  const std::size_t at = offset_ + (i - head_.size());
  const auto it = std::lower_bound(bookStarts_.begin(), bookStarts_.end(), at);
  if (it == bookStarts_.end()) return GluedLength();
  return *it - offset_ + head_.size();
}

std::size_t TNormalizedText::NextEnd(std::size_t i) const {
  ++i;
  if (i < head_.size()) {
    const std::size_t p = head_.find(kMarkerEnd, i);
    if (p != std::string::npos) return p;
    i = head_.size();
  }
  const std::size_t at = offset_ + (i - head_.size());
  const auto it = std::lower_bound(bookEnds_.begin(), bookEnds_.end(), at);
  if (it == bookEnds_.end()) return GluedLength();
  return *it - offset_ + head_.size();
}

void TNormalizedText::ResetPlan() {
  plan_.clear();
  plannedGlued_ = 0;
  plannedSpaces_ = 0;
}

void TNormalizedText::PlanUntil(std::size_t until) {
  const std::size_t length = GluedLength();
  while (plannedGlued_ < length && plannedGlued_ + plannedSpaces_ <= until) {
    const std::size_t x = NextStart(plannedGlued_);
    if (x >= length) {
      plannedGlued_ = length;
      break;
    }
    const std::size_t i = x + plannedSpaces_;
    if (i > until) {
      plannedGlued_ = x;
      break;
    }
    const std::size_t j = i + (NextEnd(x) - x);
    const std::size_t b = RoundUpToBlock(i);
    if (i < b && j >= b) {
      plannedSpaces_ += b - i;
      plan_.push_back({x, plannedSpaces_});
    }
    plannedGlued_ = x + 1;
  }
}

void TNormalizedText::PlanBook() {
  if (bookPlanned_) return;
  bookPlanned_ = true;
  bookSpaces_.resize(bookStarts_.size());
  std::size_t spaces = 0;
  std::size_t e = 0;  // the first marker end after the marker
  for (std::size_t k = 0; k < bookStarts_.size(); ++k) {
    const std::size_t x = bookStarts_[k];
    while (e < bookEnds_.size() && bookEnds_[e] <= x) ++e;
    const std::size_t end = e < bookEnds_.size() ? bookEnds_[e] : book_.size();
    const std::size_t i = x + spaces;
    const std::size_t b = RoundUpToBlock(i);
    if (i < b && i + (end - x) >= b) spaces += b - i;
    bookSpaces_[k] = spaces;
  }
  bookTotalSpaces_ = spaces;
}

std::size_t TNormalizedText::Length() {
  PlanBook();
  const std::size_t length = GluedLength();
  std::size_t spaces = 0;
  std::size_t k = std::string::npos;  // bookStarts_ index of x once x lies in book_
  for (std::size_t x = NextStart(0); x < length; x = NextStart(x + 1)) {
    const std::size_t i = x + spaces;
    const std::size_t b = RoundUpToBlock(i);
    if (i < b && i + (NextEnd(x) - x) >= b) spaces += b - i;
    if (x < head_.size()) continue;
    const std::size_t at = offset_ + (x - head_.size());
    k = k == std::string::npos ? static_cast<std::size_t>(std::lower_bound(bookStarts_.begin(), bookStarts_.end(), at) -
                                                          bookStarts_.begin())
                               : k + 1;
    // Both alignments put this marker at a block start: the rest follows the book's.
    if ((x + spaces) % kBlockSize == 0 && (at + bookSpaces_[k]) % kBlockSize == 0)
      return length + spaces + (bookTotalSpaces_ - bookSpaces_[k]);
  }
  return length + spaces;
}

bool TNormalizedText::LengthAtMost(std::size_t n) {
  if (GluedLength() > n) return false;
  PlanUntil(n);
  return plannedGlued_ == GluedLength() && GluedLength() + plannedSpaces_ <= n;
}

std::string TNormalizedText::Head(std::size_t n) {
  PlanUntil(n);
  std::string out;
  const std::size_t length = GluedLength();
  auto copy = [&](std::size_t from, std::size_t to) {  // glued [from, to), bounded by n
    if (out.size() >= n) return;
    to = std::min(to, from + (n - out.size()));
    if (from < head_.size()) {
      const std::size_t e = std::min(to, head_.size());
      out.append(head_, from, e - from);
      from = e;
    }
    if (from < to) out.append(book_, offset_ + from - head_.size(), to - from);
  };
  std::size_t g = 0;
  std::size_t before = 0;
  for (const Pad& pad : plan_) {
    if (out.size() >= n) break;
    copy(g, pad.Glued);
    g = pad.Glued;
    if (out.size() < n) out.append(std::min(pad.Spaces - before, n - out.size()), ' ');
    before = pad.Spaces;
  }
  copy(g, length);
  return out;
}

std::size_t TNormalizedText::GluedIndexOf(std::size_t n) {
  PlanUntil(n);
  const auto it = std::upper_bound(plan_.begin(), plan_.end(), n,
                                   [](std::size_t v, const Pad& p) { return v < p.Glued + p.Spaces; });
  const std::size_t before = it == plan_.begin() ? 0 : std::prev(it)->Spaces;
  if (it != plan_.end() && n >= it->Glued + before) return it->Glued;
  return n - before;
}

void TNormalizedText::StartAt(std::size_t g) {
  if (g < head_.size()) {
    head_.erase(0, g);
  } else {
    offset_ += g - head_.size();
    head_.clear();
  }
  ResetPlan();
}

void TNormalizedText::DropFront(std::size_t n) {
  if (n == 0) return;
  if (LengthAtMost(n)) {
    head_.clear();
    offset_ = book_.size();
    ResetPlan();
    return;
  }
  // Unless the cut is on a block boundary the rest is aligned afresh, which the plan does
  // from the new start; a space right after the cut stays.
  StartAt(GluedIndexOf(n));
}

void TNormalizedText::Prepend(std::string_view prefix) {
  if (prefix.empty()) return;
  // Gluing is settled per run of blanks, so only the text up to and including its first
  // character that is not a blank can change; the rest stays glued as it is.
  const std::size_t length = GluedLength();
  std::size_t t = 0;
  while (t < length && IsBookBlank(GluedAt(t))) ++t;
  const std::size_t keep = t < length ? t + 1 : length;
  std::string piece(prefix);
  for (std::size_t i = 0; i < keep; ++i) piece += GluedAt(i);
  std::string glued = GlueBookText(piece);
  StartAt(keep);
  head_.insert(0, glued);
}

}  // namespace assembly
