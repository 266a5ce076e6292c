// A scripted rasteriser for the glyph images: exact widths and ink pixels per code.
#pragma once

#include "fontcreator/charimage.h"
#include "platform/imaging/textrender.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace fontcreator::testing {

struct Ink {
  int dx = 0;  // from the pen at x + A
  int dy = 0;  // from the top of the cell
  std::uint8_t red = 255, green = 255, blue = 255;  // coverage per channel
};

struct FakeGlyph {
  platform::ABC abc{0, 2, 1};
  bool abcKnown = true;
  int advance = 3;
  std::vector<Ink> ink{{0, 0}, {1, 1}};
};

struct FakeScript {
  int cellHeight = 10;       // text extent height (times the scale the font was made with)
  int scale = 1;             // every glyph drawn this many times larger
  std::map<int, FakeGlyph> glyphs;  // codes not listed use the default glyph
  FakeGlyph fallback;
  // What the fonts saw.
  std::vector<platform::LogFont> created;
  std::vector<unsigned char> drawn;
  bool fail = false;
};

class FakeFont : public platform::TextFont {
public:
  FakeFont(const platform::LogFont& f, FakeScript& s) : TextFont(f), s_(s) {}
  const FakeGlyph& G(unsigned char code) const {
    auto it = s_.glyphs.find(code);
    return it == s_.glyphs.end() ? s_.fallback : it->second;
  }
  platform::TextSize TextExtent(unsigned char code) override {
    return {G(code).advance * s_.scale, s_.cellHeight * s_.scale};
  }
  bool CharABCWidths(unsigned char code, platform::ABC& abc) override {
    const FakeGlyph& g = G(code);
    abc = {g.abc.AbcA * s_.scale, g.abc.AbcB * s_.scale, g.abc.AbcC * s_.scale};
    return g.abcKnown;
  }
  void DrawChar(platform::Bitmap& b, int x, int y, unsigned char code, platform::ColorRef text, bool opaque,
                platform::ColorRef back) override {
    s_.drawn.push_back(code);
    const FakeGlyph& g = G(code);
    const int k = s_.scale;
    auto inside = [&](int px, int py) { return px >= 0 && py >= 0 && px < b.Width() && py < b.Height(); };
    if (opaque)
      for (int j = 0; j < s_.cellHeight * k; ++j)
        for (int i = 0; i < g.advance * k; ++i)
          if (inside(x + i, y + j)) b.SetPixel(x + i, y + j, platform::RgbOf(back));
    platform::Rgb t = platform::RgbOf(text);
    for (const Ink& ink : g.ink)
      for (int j = 0; j < k; ++j)
        for (int i = 0; i < k; ++i) {
          int px = x + g.abc.AbcA * k + ink.dx * k + i, py = y + ink.dy * k + j;
          if (!inside(px, py)) continue;
          if (b.Format() == platform::PixelFormat::pf1bit) {
            b.SetPixel(px, py, t);
            continue;
          }
          platform::Rgb d = b.GetPixel(px, py);
          auto mix = [](int dst, int src, int a) { return static_cast<std::uint8_t>((dst * (255 - a) + src * a + 127) / 255); };
          b.SetPixel(px, py,
                     {mix(d.Red, t.Red, ink.red), mix(d.Green, t.Green, ink.green), mix(d.Blue, t.Blue, ink.blue)});
        }
  }

private:
  FakeScript& s_;
};

inline FontFactory FakeFactory(FakeScript& s) {
  return [&s](const platform::LogFont& f) -> std::unique_ptr<platform::TextFont> {
    s.created.push_back(f);
    if (s.fail) return nullptr;
    return std::make_unique<FakeFont>(f, s);
  };
}

}  // namespace fontcreator::testing
