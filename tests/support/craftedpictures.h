// Small pictures assembled byte by byte, for decoders and hostile-input tests: a GIF screen
// with one image somewhere on it, and grey progressive JPEG files whose scans say nothing but
// "all coefficients zero".
#pragma once

#include <string>
#include <vector>

#include <zlib.h>

namespace testing_support {

inline std::string LittleEndian16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
inline std::string BigEndian16(int v) { return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}; }

// LZW data of 2-bit indices without compression: a clear code before every two pixels keeps
// every code 3 bits wide. Returned as GIF sub-blocks, then the block end and the terminator.
inline std::string Uncompressed2BitLzw(const std::vector<int>& indices) {
  std::vector<int> codes;
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) codes.push_back(4);
    codes.push_back(indices[i]);
  }
  codes.push_back(5);
  std::string bytes;
  unsigned bits = 0, count = 0;
  for (int code : codes) {
    bits |= static_cast<unsigned>(code) << count;
    count += 3;
    for (; count >= 8; count -= 8, bits >>= 8) bytes += static_cast<char>(bits & 0xFF);
  }
  if (count > 0) bytes += static_cast<char>(bits & 0xFF);
  std::string out(1, '\x02');  // smallest code size
  for (std::size_t i = 0; i < bytes.size(); i += 255) {
    const std::string block = bytes.substr(i, 255);
    out += static_cast<char>(block.size());
    out += block;
  }
  return out + std::string("\0\x3B", 2);
}

// A GIF of a w x h screen with the global map {red, green, blue, black}, index 3 transparent,
// and one image of iw x ih at (left, top) whose pixel (x, y) has index (x + 2 y) mod 4.
inline std::string ScreenGif(int w, int h, int left, int top, int iw, int ih) {
  std::string gif = "GIF89a" + LittleEndian16(w) + LittleEndian16(h) + std::string("\x81\0\0", 3);
  gif += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0", 12);
  gif += std::string("\x21\xF9\x04\x01\0\0\x03\0", 8);  // transparent index 3
  gif += "\x2C" + LittleEndian16(left) + LittleEndian16(top) + LittleEndian16(iw) + LittleEndian16(ih) +
         std::string(1, '\0');
  std::vector<int> indices;
  for (int y = 0; y < ih; ++y)
    for (int x = 0; x < iw; ++x) indices.push_back((x + 2 * y) % 4);
  return gif + Uncompressed2BitLzw(indices);
}

// A GIF of one w x h image filling its screen, the same colours, whose data stops after the
// first `given` pixels (no block end, no terminator).
inline std::string TruncatedGif(int w, int h, int given) {
  std::string gif = "GIF89a" + LittleEndian16(w) + LittleEndian16(h) + std::string("\x81\0\0", 3);
  gif += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0", 12);
  gif += "\x2C" + LittleEndian16(0) + LittleEndian16(0) + LittleEndian16(w) + LittleEndian16(h) + std::string(1, '\0');
  std::vector<int> indices;
  for (int i = 0; i < given; ++i) indices.push_back(i % 3);
  const std::string data = Uncompressed2BitLzw(indices);
  return gif + data.substr(0, data.size() - 3);
}

inline std::string BigEndian32(unsigned v) {
  return BigEndian16(static_cast<int>(v >> 16)) + BigEndian16(static_cast<int>(v & 0xFFFF));
}

// An RGB PNG of w x h whose IDAT declares `declared` bytes but holds `given` bytes of a
// deflate stream of zero rows: the file ends inside the stream.
inline std::string TruncatedPng(unsigned w, unsigned h, std::size_t given, unsigned declared) {
  const auto chunk = [](const std::string& type, const std::string& data, unsigned length) {
    const std::string body = type + data;
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    return BigEndian32(length) + body + BigEndian32(static_cast<unsigned>(crc));
  };
  const std::string raw(std::size_t{3 * w + 1} * 64, '\0');  // 64 rows, filter "none"
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 0);  // stored: the stream is as long as the rows
  packed.resize(size);
  std::string png =
      "\x89PNG\r\n\x1A\n" + chunk("IHDR", BigEndian32(w) + BigEndian32(h) + std::string("\x08\x02\0\0\0", 5), 13);
  return png + chunk("IDAT", packed.substr(0, given), declared).substr(0, 8 + given);
}

// A grey progressive JPEG of w x h: quantisation 1 everywhere, a DC table whose one code "0"
// means difference 0, an AC table whose one code "0" means a run of 16384 empty blocks (with
// 14 zero bits after it). The DC scan, when dcBytes >= 0, holds dcBytes zero bytes (one bit a
// block: every pixel 128); the AC scan holds acBytes zero bytes.
inline std::string ProgressiveGreyJpeg(int w, int h, int dcBytes, int acBytes) {
  std::string j("\xFF\xD8", 2);
  j += std::string("\xFF\xDB\0\x43\0", 5) + std::string(64, '\x01');
  j += std::string("\xFF\xC2\0\x0B\x08", 5) + BigEndian16(h) + BigEndian16(w) + std::string("\x01\x01\x11\0", 4);
  const std::string oneCode = std::string(1, '\x01') + std::string(15, '\0');
  j += std::string("\xFF\xC4\0\x14\x00", 5) + oneCode + std::string(1, '\x00');  // DC: category 0
  j += std::string("\xFF\xC4\0\x14\x10", 5) + oneCode + std::string(1, '\xE0');  // AC: EOB run 2^14
  if (dcBytes >= 0) j += std::string("\xFF\xDA\0\x08\x01\x01\0\0\0\0", 10) + std::string(dcBytes, '\0');
  j += std::string("\xFF\xDA\0\x08\x01\x01\0\x01\x3F\0", 10) + std::string(acBytes, '\0');
  return j + std::string("\xFF\xD9", 2);
}

}  // namespace testing_support
