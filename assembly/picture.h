// Conversion of a book's pictures (GIF, JPEG, PNG) into small palette PNG files for the phone.
#pragma once

#include "assembly/host.h"
#include "assembly/midletconfig.h"

#include <string>

namespace assembly {

// Largest width and height are -1 (no limit) or at least 1: any other value raises
// std::invalid_argument naming them.
void CheckLargestPictureSize(const TImageConversionParameters& params);

// Loads the picture at `path`, filters, scales, reduces and encodes it by `params` (gathered by
// the caller for this picture) and writes the PNG file into `stream`. Returns false when the
// picture is left out of the book: no pictures wanted, skipped by name, size or emptiness,
// an unsupported ending ("Unsupported image format: " + path), or a GIF or JPEG picture that
// cannot be loaded ("Unable to load image: " + path, after which the program is asked to end).
// A PNG picture that cannot be decoded raises the decoder's platform::EImageError, which ends
// the build that converts it. The endings and these rules come from PictureFormatOf.
bool ConvertImage(const std::string& path, std::string& stream, const TImageConversionParameters& params,
                  BuildHost& host);

// The same for a file already in memory; `path` gives the name, the ending and the messages.
bool ConvertImageData(const std::string& path, const std::string& data, std::string& stream,
                      const TImageConversionParameters& params, BuildHost& host);

}  // namespace assembly
