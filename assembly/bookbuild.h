// The book midlets of the lite and tiny editions: the book loaded and normalised, then cut
// into parts of at most 8192 characters spread over as many numbered midlets (01..99) as the
// JAR size limit asks for, each with the pictures its parts refer to.
#pragma once

#include "assembly/booktext.h"
#include "assembly/midletconfig.h"
#include "assembly/zipfile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

class TNormalizedText;

// The pictures of a book as the JAR entries "res/<n>.png" (picture n is item n - 1). With
// reuse every picture is deflated once, at the start on `threads` threads (0: one per core),
// and its packed form stored as often as the book asks; without, every entry is deflated as it
// is stored. The JARs come out the same.
class TPictureEntries {
public:
  explicit TPictureEntries(TPictureList pictures, bool reusePacked = true, unsigned threads = 1);
  std::size_t Count() const { return pictures_.size(); }
  // Appends picture n's entry (1 <= n <= Count()).
  void Add(TZipFile& jar, std::size_t n);
  // The bytes picture n's entry adds to a JAR; without reuse, at least that many.
  int64_t EntrySize(std::size_t n) const;

private:
  TPictureList pictures_;
  bool reuse_;
  std::vector<TPackedData> packed_;  // with reuse
};

// Adds "res/<n>.png" with picture n's bytes for every marker in the piece that names a
// picture of the list (1 <= n <= count); a picture named twice is added twice.
void AddImage(TZipFile& jar, std::string_view piece, TPictureEntries& pictures);

// Looks backwards from min(cut, text length) for a marker start; when found at 0-based
// index q the cut length becomes q (the part ends just before the marker) and the result is
// whether q > 0. Without one the cut length stays and the result is false.
bool CutBeforeLastImage(std::size_t& cutLength, std::string_view text);

// The manifest of a book midlet: midlet name and JAR URL with the two-digit midlet number
// when numbered.
std::string MakeManifest(const BuildContext& context, const TMIDLETCONFIG& config, bool numbered,
                         int midletNumber, const std::string& basePath);

// What became of one book part.
enum class PartOutcome {
  Added,      // the part and its pictures are in the JAR
  Dropped,    // a later part of a midlet found no room: the midlet closes without it
  CannotFit,  // the first part of a midlet found no room: the midlet cannot be built
};

struct PartFit {
  PartOutcome Outcome = PartOutcome::CannotFit;
  std::size_t Length = 0;  // characters taken from the front of the window when added
};

// Fits part k of a midlet ("res/book<k>.txt" and its pictures) from the front of `window`:
// the longest cut, from 8192 characters down, that keeps the JAR's packed size at or below the
// limit less 512 bytes. Cuts fall by 256 for the first part of a book with pictures, else by
// 1024, down to 1024, then by 16; a cut inside a marker moves before it. A first part below
// 1024 characters shows "JARLimitTooSmall" unless `warned` says it was shown, and is cut
// before its last picture. A failed attempt leaves the JAR as it was.
PartFit FitPart(const BuildContext& context, TZipFile& jar, int k, std::string_view window, TPictureEntries& pictures,
                int64_t jarLimit, bool& warned);

struct AssembledMidlet {
  TZipFile Jar;
  std::size_t TakenNonBlank = 0;  // non-blank characters of the parts taken
};

// Midlet number n assembled in memory: the base JAR (core, resources, fonts), its numbered
// manifest and configuration, then part after part from the front of the text (FitPart) while
// parts of 8192 characters fit; the text loses what went in. Nothing when the midlet cannot be
// built: its packed size without book text is not below the limit less 1024 bytes, or its
// first part does not fit.
std::optional<AssembledMidlet> AssembleMidlet(const BuildContext& context, const TMIDLETCONFIG& config,
                                              const TZipFile& base, int midletNumber, const std::string& basePath,
                                              TNormalizedText& text, TPictureEntries& pictures, bool& warned);

// Builds the book midlets of the record from the inputs' book files and introduction text,
// writing base path + ".jar"/".jad", or base path + "01".."99" when the book needs several
// midlets. In test mode nothing is loaded or written and the result carries the packed size of
// the first midlet without book text. A build that stops on an error has shown its message
// through the host and fails; a book with text left after midlet 99 is cut short (midlets
// 01..99 written, "TooManyMidletsMsg" shown). Largest picture sizes other than -1 and 1 or
// more are refused before anything is loaded.
BuildResult BuildBookMidlets(const BuildContext& context, bool testMode, const TMIDLETCONFIG& config, bool showProgress,
                             const std::string& basePath);

}  // namespace assembly
