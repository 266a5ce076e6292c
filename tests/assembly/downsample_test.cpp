#include "assembly/downsample.h"

#include <gtest/gtest.h>

#include <random>

using namespace assembly;
using platform::Bitmap;
using platform::PixelFormat;
using platform::Rgb;

TEST(AccumulationBuffer, SpreadsAPixelOverTheCellsItCovers) {
  // Three pixels to two (sx = 2/3): pixel 1 at 0.667 gives a third to each cell.
  TAccumulationBuffer b(2, 1);
  const float s = 2.0f / 3.0f;
  b.AddPixel(0.0f, 0.0f, s, 1.0f, 30, 0, 0);
  b.AddPixel(2.0f / 3.0f, 0.0f, s, 1.0f, 90, 0, 0);
  b.AddPixel(4.0f / 3.0f, 0.0f, s, 1.0f, 150, 0, 0);
  // Cell 0: (30 x 2/3 + 90 x 1/3) / 1 = 50; cell 1: (90 x 1/3 + 150 x 2/3) / 1 = 130.
  EXPECT_EQ(b.GetColor(0, 0), 50u << 16);
  EXPECT_EQ(b.GetColor(1, 0), 130u << 16);
  // Outside the grid and empty cells are black; samples outside are ignored.
  b.AddSample(-1, 0, 255, 255, 255, 1);
  b.AddSample(2, 0, 255, 255, 255, 1);
  EXPECT_EQ(b.GetColor(2, 0), 0u);
  EXPECT_EQ(b.GetColor(0, 0), 50u << 16);
  TAccumulationBuffer empty(1, 1);
  EXPECT_EQ(empty.GetColor(0, 0), 0u);
  // Rounding half up, capped at 255, channels packed red high.
  TAccumulationBuffer r(1, 1);
  r.AddSample(0, 0, 127.5f, 300.0f, 1.0f, 1.0f);
  EXPECT_EQ(r.GetColor(0, 0), (128u << 16) | (255u << 8) | 1u);
  EXPECT_THROW(r.AddPixel(0, 0, 1.5f, 1.0f, 0, 0, 0), std::logic_error);
}

TEST(DownsampleBitmap, AveragesAreasAndKeepsFlatPictures) {
  Bitmap two(2, 2, PixelFormat::pf24bit);
  two.SetPixel(0, 0, {0, 10, 255});
  two.SetPixel(1, 0, {255, 20, 0});
  two.SetPixel(0, 1, {255, 30, 0});
  two.SetPixel(1, 1, {0, 41, 255});
  Bitmap one(1, 1, PixelFormat::pf24bit);
  DownsampleBitmap(two, one);
  EXPECT_EQ(one.GetPixel(0, 0), (Rgb{128, 25, 128}));  // 127.5 -> 128, 25.25 -> 25

  // One colour stays exactly that colour at any size.
  Bitmap flat(37, 23, PixelFormat::pf24bit);
  flat.Fill({17, 200, 99});
  for (auto [w, h] : {std::pair{5, 3}, {36, 22}, {1, 23}, {37, 1}}) {
    Bitmap dst(w, h, PixelFormat::pf24bit);
    DownsampleBitmap(flat, dst);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(dst.GetPixel(x, y), (Rgb{17, 200, 99})) << w << "x" << h;
  }

  // Equal sizes copy the picture unchanged.
  std::mt19937 rng(1);
  Bitmap noise(9, 7, PixelFormat::pf24bit);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      noise.SetPixel(x, y, {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng())});
  Bitmap same(9, 7, PixelFormat::pf24bit);
  DownsampleBitmap(noise, same);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(same.GetPixel(x, y), noise.GetPixel(x, y));

  // The fast path gives the sums of pixel-by-pixel AddPixel calls.
  Bitmap small(4, 3, PixelFormat::pf24bit);
  DownsampleBitmap(noise, small);
  TAccumulationBuffer ref(4, 3);
  const float sx = 4.0f / 9.0f, sy = 3.0f / 7.0f;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const Rgb c = noise.GetPixel(x, y);
      ref.AddPixel(static_cast<float>(4.0L * (x / 9.0L)), static_cast<float>(3.0L * (y / 7.0L)), sx, sy, c.Red, c.Green,
                   c.Blue);
    }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const std::uint32_t c = ref.GetColor(x, y);
      EXPECT_EQ(small.GetPixel(x, y), (Rgb{static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                           static_cast<std::uint8_t>(c)}));
    }
}

TEST(DownsampleBitmap, RefusesWrongFormatsAndAcceptsEmptyDestinations) {
  Bitmap src(10, 2, PixelFormat::pf24bit);
  Bitmap flat(5, 0, PixelFormat::pf24bit);
  EXPECT_NO_THROW(DownsampleBitmap(src, flat));
  Bitmap eight(5, 1, PixelFormat::pf8bit);
  EXPECT_THROW(DownsampleBitmap(src, eight), std::logic_error);
  Bitmap bigger(11, 2, PixelFormat::pf24bit);
  EXPECT_THROW(DownsampleBitmap(src, bigger), std::logic_error);
}
