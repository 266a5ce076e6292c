#include "platform/imaging/picturedecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace platform {
namespace {

struct JpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
  const char* Refusal;  // why the picture was refused before decoding, or nullptr
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// Warnings pass, except running out of data: a truncated file counts as broken.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegErrorExit(cinfo);
}

// One row of CMYK samples (inverted inks when `inverted`) as blue, green, red.
void CmykToBgr(const std::uint8_t* s, std::uint8_t* p, int w, bool inverted) {
  for (int x = 0; x < w; ++x, s += 4, p += 3) {
    unsigned c = s[0], m = s[1], yy = s[2], k = s[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      yy = 255 - yy;
      k = 255 - k;
    }
    p[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    p[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    p[0] = static_cast<std::uint8_t>((yy * k + 127) / 255);
  }
}

// Bytes of the entropy-coded data from `at` to the next marker other than a restart; `at`
// is left at that marker.
std::size_t EntropyBytes(const std::string& d, std::size_t& at) {
  const std::size_t start = at;
  while (at + 1 < d.size()) {
    const auto next = static_cast<std::uint8_t>(d[at + 1]);
    if (static_cast<std::uint8_t>(d[at]) == 0xFF && next != 0x00 && next != 0xFF && (next < 0xD0 || next > 0xD7)) break;
    ++at;
  }
  return at - start;
}

// Whether every component of a progressive picture has a first DC scan holding at least one
// bit for each of its blocks. Scans of AC codes alone would leave every pixel to be made up.
bool DcScansCoverBlocks(const std::string& d, const jpeg_decompress_struct& cinfo) {
  std::vector<bool> covered(static_cast<std::size_t>(cinfo.num_components), false);
  std::size_t at = 2;
  while (at + 4 <= d.size()) {
    const auto marker = static_cast<std::uint8_t>(d[at + 1]);
    if (static_cast<std::uint8_t>(d[at]) != 0xFF || marker == 0xFF || marker == 0x01 ||
        (marker >= 0xD0 && marker <= 0xD8)) {
      ++at;
      continue;
    }
    if (marker == 0xD9) break;
    const std::size_t length =
        static_cast<std::size_t>(static_cast<std::uint8_t>(d[at + 2])) << 8 | static_cast<std::uint8_t>(d[at + 3]);
    const std::size_t head = at + 4;
    at += 2 + length;
    if (marker != 0xDA) continue;
    const std::size_t count = head < d.size() ? static_cast<std::uint8_t>(d[head]) : 0;
    if (length < 6 + 2 * count || at > d.size()) break;
    const std::size_t bytes = EntropyBytes(d, at);
    if (d[head + 1 + 2 * count] != 0 || (static_cast<std::uint8_t>(d[head + 3 + 2 * count]) >> 4) != 0) continue;
    std::uint64_t blocks = 0;
    std::vector<std::size_t> scanned;
    for (std::size_t i = 0; i < count; ++i)
      for (int c = 0; c < cinfo.num_components; ++c)
        if (cinfo.comp_info[c].component_id == static_cast<std::uint8_t>(d[head + 1 + 2 * i])) {
          blocks += std::uint64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks;
          scanned.push_back(static_cast<std::size_t>(c));
        }
    if (std::uint64_t{bytes} * 8 >= blocks)
      for (std::size_t c : scanned) covered[c] = true;
  }
  return std::all_of(covered.begin(), covered.end(), [](bool b) { return b; });
}

// Why the picture is refused before it is decoded (nullptr when it is not), having booked
// its memory: the bitmap, and the coefficients of every block when the file has several scans.
const char* JpegRefusal(const std::string& data, const jpeg_decompress_struct& cinfo) {
  try {
    CheckPictureSize(cinfo.image_width, cinfo.image_height, data.size(), kJpegPixelsPerFileByte);
  } catch (const EImageError&) {
    return "Picture too large";
  }
  if (cinfo.progressive_mode && !DcScansCoverBlocks(data, cinfo))
    return "Progressive JPEG picture without the data of its pixels";
  std::uint64_t coefficients = 0;
  if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo)))
    for (int c = 0; c < cinfo.num_components; ++c)
      coefficients += std::uint64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks *
                      DCTSIZE2 * sizeof(JCOEF);
  try {
    BookPictureMemory(std::uint64_t{cinfo.image_width} * cinfo.image_height * kConversionBytesPerPixel + coefficients);
  } catch (const EImageError&) {
    return "Picture too large for the memory of the conversion";
  }
  return nullptr;
}

// Plain data only between setjmp and longjmp; the bitmap and the row live in the caller.
bool DecodeJpegInto(const std::string& data, Bitmap* out, std::vector<std::uint8_t>* row, JpegError* err) {
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&err->Mgr);
  err->Mgr.error_exit = JpegErrorExit;
  err->Mgr.emit_message = JpegMessage;
  err->Message[0] = 0;
  err->Refusal = nullptr;
  if (setjmp(err->Jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = static_cast<long>(kPictureMemoryBudget);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  err->Refusal = JpegRefusal(data, cinfo);
  if (err->Refusal != nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
  try {
    *out = Bitmap(w, h, PixelFormat::pf24bit);
    if (cmyk) row->assign(static_cast<std::size_t>(w) * 4, 0);
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  // Adobe's CMYK files store the inks inverted.
  const bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW target = cmyk ? row->data() : out->ScanLine(y);
    jpeg_read_scanlines(&cinfo, &target, 1);
    if (!cmyk) continue;
    CmykToBgr(row->data(), out->ScanLine(y), w, inverted);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Bitmap TJpegDecoder::Decode(const std::string& data) const {
  Bitmap out;
  std::vector<std::uint8_t> row;
  auto err = std::make_unique<JpegError>();
  if (!DecodeJpegInto(data, &out, &row, err.get())) {
    if (err->Refusal != nullptr) throw EImageError(err->Refusal);
    throw EImageError(std::string("Broken JPEG picture: ") + err->Message);
  }
  return out;
}

}  // namespace platform
