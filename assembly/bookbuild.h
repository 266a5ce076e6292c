// The book midlets of the lite and tiny editions: the book loaded and normalised, then cut
// into parts of at most 8192 characters spread over as many numbered midlets (01..99) as the
// JAR size limit asks for, each with the pictures its parts refer to.
#pragma once

#include "assembly/booktext.h"
#include "assembly/midletconfig.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace assembly {

// Adds "res/<n>.png" with picture n's bytes for every marker in the piece that names a
// picture of the list (1 <= n <= count); a picture named twice is added twice.
void AddImage(TZipFile& jar, std::string_view piece, const TPictureList& pictures);

// Looks backwards from min(cut, text length) for a marker start; when found at 0-based
// index q the cut length becomes q (the part ends just before the marker) and the result is
// whether q > 0. Without one the cut length stays and the result is false.
bool CutBeforeLastImage(std::size_t& cutLength, std::string_view text);

// The manifest of a book midlet: midlet name and JAR URL with the two-digit midlet number
// when numbered.
std::string MakeManifest(const BuildContext& context, const TMIDLETCONFIG& config, bool numbered,
                         int midletNumber, const std::string& basePath);

// Builds the book midlets of the record from the inputs' book files and introduction text,
// writing base path + ".jar"/".jad", or base path + "01".."99" when the book needs several
// midlets. In test mode nothing is loaded or written and the result is the packed size of the
// first midlet without book text. Otherwise the result is 0, or -1 when the build stopped on
// an error (its message shown through the host).
int BuildBookMidlets(const BuildContext& context, bool testMode, const TMIDLETCONFIG& config,
                     bool showProgress, const std::string& basePath);

}  // namespace assembly
