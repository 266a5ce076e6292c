// Colour reduction of 24-bit pictures to 8-bit palette pictures: fixed or octree-quantized
// palettes, colour lookups and error-diffusion ditherers.
#pragma once

#include "assembly/octree.h"
#include "platform/imaging/bitmap.h"
#include "platform/imaging/palette.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace assembly {

// Maps a colour to a palette entry.
class TColorLookup {
public:
  explicit TColorLookup(std::uint32_t colors) : Colors(colors) {}
  virtual ~TColorLookup() = default;
  // Returns the entry's index and gives back its colour.
  virtual int FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                        std::uint8_t& outGreen, std::uint8_t& outBlue) = 0;

  std::uint32_t Colors;
};

// The nearest entry of any palette (least squared distance, ties to the lower index).
class TSlowColorLookup : public TColorLookup {
public:
  explicit TSlowColorLookup(const platform::Palette& palette);
  int FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
                std::uint8_t& outBlue) override;

private:
  platform::Palette palette_;
};

// The 6 x 6 x 6 colour cube of steps of 51.
class TNetscapeColorLookup : public TColorLookup {
public:
  TNetscapeColorLookup() : TColorLookup(216) {}
  int FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
                std::uint8_t& outBlue) override;
};

// 256 greys.
class TGrayScaleLookup : public TColorLookup {
public:
  TGrayScaleLookup() : TColorLookup(256) {}
  int FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
                std::uint8_t& outBlue) override;
};

// Black (0) or white (1) by weighted brightness.
class TMonochromeLookup : public TColorLookup {
public:
  TMonochromeLookup() : TColorLookup(2) {}
  int FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
                std::uint8_t& outBlue) override;
};

// Walks the rows in alternating directions and maps each pixel; this base carries no error.
class TDitherEngine {
public:
  TDitherEngine(int width, TColorLookup& lookup);
  virtual ~TDitherEngine() = default;
  // Maps the pixel at Column; returns the index and gives back the chosen entry's colour.
  virtual int MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                       std::uint8_t& outGreen, std::uint8_t& outBlue);
  virtual void StartNextRow();

  int Direction = 1;
  int Column = 0;
  TColorLookup* Lookup;
  int Width;

protected:
  static int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
};

// Floyd-Steinberg in 16ths (7 ahead; 3, 5, 1 below) with one error row per channel and three
// running terms: the current error C, the pending below error B and the pending
// below-previous error P. A pixel reads the entry under the row pointer, which moves one entry
// per pixel; a pixel without error leaves the entry, B and P as they are.
class TFloydSteinbergDitherer : public TDitherEngine {
public:
  TFloydSteinbergDitherer(int width, TColorLookup& lookup);
  int MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
               std::uint8_t& outBlue) override;
  void StartNextRow() override;

private:
  std::vector<int> errors_[3];  // width + 2 entries
  int pointer_ = 0;             // entry 0 at the start of a left-to-right row, width + 1 of a right-to-left one
  int current_[3] = {}, below_[3] = {}, belowPrev_[3] = {};
};

// Error diffusion over several rows with a kernel and divisor of the subclass. Each channel
// keeps `rows` error rows of width + 2 x margin entries; column c is entry c + margin.
class T5by3Ditherer : public TDitherEngine {
public:
  T5by3Ditherer(int width, TColorLookup& lookup, int rows = 3, int margin = 2);
  int MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed, std::uint8_t& outGreen,
               std::uint8_t& outBlue) override;
  void StartNextRow() override;

protected:
  // Spreads the error e of one channel, the pixel being at entry `at` of each row.
  virtual void SpreadError(int channel, int at, int e) = 0;
  virtual int Divisor() const = 0;
  // Adds e x weight at row `row` (0 current), `offset` entries ahead in the scan direction.
  void Put(int channel, int row, int at, int offset, int e, int weight) {
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(channel)]
         [static_cast<std::size_t>(at + offset * Direction)] += e * weight;
  }

private:
  int margin_;
  std::vector<std::vector<std::vector<int>>> rows_;  // [row][channel][entry]
};

class TStuckiDitherer : public T5by3Ditherer {
public:
  using T5by3Ditherer::T5by3Ditherer;
protected:
  void SpreadError(int channel, int at, int e) override;
  int Divisor() const override { return 42; }
};

class TSierraDitherer : public T5by3Ditherer {
public:
  using T5by3Ditherer::T5by3Ditherer;
protected:
  void SpreadError(int channel, int at, int e) override;
  int Divisor() const override { return 32; }
};

class TJaJuNiDitherer : public T5by3Ditherer {
public:
  using T5by3Ditherer::T5by3Ditherer;
protected:
  void SpreadError(int channel, int at, int e) override;
  int Divisor() const override { return 48; }
};

class TBurkesDitherer : public T5by3Ditherer {
public:
  TBurkesDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 2, 2) {}
protected:
  void SpreadError(int channel, int at, int e) override;
  int Divisor() const override { return 32; }
};

class TSteveArcheDitherer : public T5by3Ditherer {
public:
  TSteveArcheDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 4, 3) {}
protected:
  void SpreadError(int channel, int at, int e) override;
  int Divisor() const override { return 200; }
};

// A palette of `colors` entries from the picture's octree (red gives the highest bit of a
// child index); with system colours, 236 quantized
// colours between the first and last ten system colours (256 entries). Unfilled entries are
// black.
platform::Palette BuildOctreePalette(const platform::Bitmap& source, int colors, bool systemColours);

// A new 8-bit palette bitmap of the 24-bit source (the source is not changed).
// Reduction modes: 0 none (a 24-bit copy), 1 the 20 system colours, 2 the halftone palette,
// 3 four greys (0, 128, 192, 255), 4 black and white, 5 256 greys, 6 the 216-colour cube,
// 7 octree to 2^reductionBits colours, 8 octree to 236 colours plus the system colours,
// 9 the custom palette.
// Dither modes: 0 nearest colour, 1 Floyd-Steinberg, 2 Stucki, 3 Sierra,
// 4 Jarvis-Judice-Ninke, 5 Stevenson-Arce, 6 Burkes; rows alternate direction.
// Unknown modes and lookups without colours give an empty bitmap; a source without pixels
// raises platform::EBitmapError ("Invalid image dimensions").
platform::Bitmap ReducePictureColors(const platform::Bitmap& source, std::uint8_t reductionMode,
                                     std::uint8_t ditherMode, int reductionBits = 8,
                                     const platform::Palette* customPalette = nullptr);

}  // namespace assembly
