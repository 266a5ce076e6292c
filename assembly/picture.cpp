#include "assembly/picture.h"

#include "assembly/bitmaputils.h"
#include "assembly/colorreduce.h"
#include "assembly/downsample.h"
#include "assembly/pictureformats.h"
#include "assembly/textpaths.h"
#include "platform/system/codepage.h"
#include "platform/imaging/imagefile.h"
#include "platform/imaging/png.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <new>
#include <sstream>
#include <stdexcept>

namespace assembly {
namespace {

using platform::Bitmap;
using platform::PixelFormat;

std::string NameOnly(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IgnoredByName(const std::string& path, const std::string& words) {
  if (words.empty()) return false;
  // The words are code-page text, the name a UTF-8 host path; a letter the code page lacks
  // matches no word.
  const std::string name = platform::UpperCase(platform::FromUtf8(NameOnly(path), platform::AnsiCodePage(), '\x01'));
  std::string list = platform::UpperCase(words);
  std::replace(list.begin(), list.end(), ';', '\n');
  std::istringstream lines(list);
  for (std::string word; std::getline(lines, word);) {
    if (!word.empty() && word.back() == '\r') word.pop_back();
    if (!word.empty() && name.find(word) != std::string::npos) return true;
  }
  return false;
}

// The largest size allowed, width fitted first; never below one pixel.
void FitSize(int& w, int& h, int maxW, int maxH) {
  if (maxW != -1 && w > maxW) {
    h = static_cast<int>(static_cast<long long>(h) * maxW / w);
    w = maxW;
  }
  if (maxH != -1 && h > maxH) {
    w = static_cast<int>(static_cast<long long>(w) * maxH / h);
    h = maxH;
  }
  w = std::max(w, 1);
  h = std::max(h, 1);
}

bool ConvertPicture(const TPictureFormat& format, const std::string& path, const std::string& data, std::string& stream,
                    const TImageConversionParameters& params, BuildHost& host);

bool LoadFailed(const std::string& path, BuildHost& host) {
  host.ShowComposedMessage(platform::TMessage("Unable to load image: ", platform::AnsiCodePage()).Path(path), "Error",
                           MessageIcon::None);
  host.RequestTerminate();
  return false;
}

// Decodes the picture into `picture`. A decoder's error does what the format's rule says: it
// ends the build, naming the picture, or the picture is left out (false).
bool DecodePicture(const TPictureFormat& format, const std::string& path, const std::string& data, Bitmap& picture,
                   BuildHost& host) {
  try {
    picture = format.Decoder.Decode(data);
    return true;
  } catch (const platform::EImageError& e) {
    if (format.OnFailure == DecodeFailure::SkipPicture) return LoadFailed(path, host);
    throw platform::EImageError(std::string(e.what()) + " in \"" + PathText(path) + "\"");
  }
}

}  // namespace

void CheckLargestPictureSize(const TImageConversionParameters& params) {
  const auto refused = [](int32_t limit) { return limit != -1 && limit < 1; };
  if (refused(params.MaxWidth) || refused(params.MaxHeight))
    throw std::invalid_argument("Largest picture size out of range: " + std::to_string(params.MaxWidth) + " x " +
                                std::to_string(params.MaxHeight) + " (at least 1, or -1 for no limit).");
}

bool ConvertImage(const std::string& path, std::string& stream, const TImageConversionParameters& params,
                  BuildHost& host) {
  if (params.Colors == 0) return false;
  if (IgnoredByName(path, params.IgnoreNames)) return false;
  if (PictureFormatOf(path) == nullptr) return ConvertImageData(path, std::string(), stream, params, host);
  std::ifstream f(path, std::ios::binary);
  if (!f) return LoadFailed(path, host);
  std::string data{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  if (f.bad()) return LoadFailed(path, host);
  return ConvertImageData(path, data, stream, params, host);
}

bool ConvertImageData(const std::string& path, const std::string& data, std::string& stream,
                      const TImageConversionParameters& params, BuildHost& host) {
  if (params.Colors == 0) return false;
  if (IgnoredByName(path, params.IgnoreNames)) return false;
  const TPictureFormat* format = PictureFormatOf(path);
  if (format == nullptr) {
    host.ShowComposedMessage(platform::TMessage("Unsupported image format: ", platform::AnsiCodePage()).Path(path),
                             "Error", MessageIcon::None);
    return false;
  }
  // The picture's share of the memory of the pictures converted at once.
  const platform::TPictureMemory memory;
  try {
    return ConvertPicture(*format, path, data, stream, params, host);
  } catch (const std::bad_alloc&) {
    throw platform::EImageError("Not enough memory to convert the picture \"" + PathText(path) + "\"");
  }
}

namespace {

bool ConvertPicture(const TPictureFormat& format, const std::string& path, const std::string& data, std::string& stream,
                    const TImageConversionParameters& params, BuildHost& host) {
  Bitmap picture;
  if (!DecodePicture(format, path, data, picture, host)) return false;

  if (params.MinWidth > picture.Width() || params.MinHeight > picture.Height()) return false;

  int w = picture.Width(), h = picture.Height();
  CheckLargestPictureSize(params);
  FitSize(w, h, params.MaxWidth, params.MaxHeight);
  if (w != picture.Width() || h != picture.Height()) {
    Bitmap scaled(w, h, PixelFormat::pf24bit);
    DownsampleBitmap(picture, scaled);
    picture = std::move(scaled);
  }

  const bool dither = params.Dithering == 1;
  Bitmap reduced;
  switch (params.Colors) {
    case 1: reduced = ReducePictureColors(picture, 4, dither ? 2 : 0); break;
    case 2: reduced = ReducePictureColors(picture, 7, dither ? 1 : 0, 4); break;
    case 3: reduced = ReducePictureColors(picture, 7, dither ? 1 : 0, 6); break;
    case 4: reduced = ReducePictureColors(picture, 7, dither ? 1 : 0, 8); break;
    default: return false;
  }
  picture = Bitmap();

  if (params.Colors == 1) reduced = reduced.Converted(PixelFormat::pf1bit, reduced.GetPalette());
  else if (params.Colors == 2) ConvertTo16Colors(reduced);

  if (params.IgnoreEmpty && IsMostlyOneColor(reduced)) return false;

  stream = platform::EncodePalettePng(reduced);
  return true;
}

}  // namespace
}  // namespace assembly
