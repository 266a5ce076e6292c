#include "controls/gradient.h"
#include "controls/bitmapdraw.h"
#include "controls/headerpaint.h"
#include "platform/ui/control.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace controls {
namespace {

constexpr TColor kRed = MakeColor(255, 0, 0), kBlue = MakeColor(0, 0, 255), kWhite = MakeColor(255, 255, 255);

TColor At(const QImage& img, int x, int y) { return FromQColor(QColor::fromRgb(img.pixel(x, y))); }

// Band i of n bands from red to blue has blue 255 x i / (n - 1), rounded, and red 255 less
// that: worked out by hand for the bands the tests look at.
constexpr TColor kBand1Of10 = MakeColor(227, 0, 28);      // 255 / 9 = 28.3
constexpr TColor kBand4Of10 = MakeColor(142, 0, 113);     // 1020 / 9 = 113.3
constexpr TColor kBand128Of255 = MakeColor(126, 0, 129);  // 32640 / 254 = 128.5
constexpr TColor kBand1Of40 = MakeColor(248, 0, 7);       // 255 / 39 = 6.5
constexpr TColor kBand37Of40 = MakeColor(13, 0, 242);     // 9435 / 39 = 241.9

struct Canvas {
  explicit Canvas(int w, int h, QImage::Format f = QImage::Format_RGB32) : img(w, h, f) { img.fill(Qt::white); }
  void Paint(TGradient& g, TRect r, int ps = 0, int pw = 1) {
    QPainter p(&img);
    PaintGradient(g, p, r, ps, pw);
  }
  QImage img;
};

TGradient RedToBlue(TGradientDir dir, int steps = 255) {
  TGradient g;
  g.SetFromColor(kRed);
  g.SetToColor(kBlue);
  g.SetOrientation(dir);
  g.SetSteps(steps);
  g.SetActive(true);
  return g;
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRefusesZero) {
  EXPECT_EQ(MulDiv(1, 3, 2), 2);
  EXPECT_EQ(MulDiv(-1, 3, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(7, -255, 254), -7);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(Gradient, DefaultsAndSetterNotifications) {
  TGradient g;
  EXPECT_EQ(g.FromColor(), clGray);
  EXPECT_EQ(g.ToColor(), clBlack);
  EXPECT_EQ(g.Steps(), 255);
  EXPECT_EQ(g.PercentFilling(), 100);
  EXPECT_EQ(g.BrushStyle(), bsSolid);
  EXPECT_EQ(g.Orientation(), fgdHorizontal);
  EXPECT_FALSE(g.Active());
  EXPECT_FALSE(g.BufferedDraw());
  int changes = 0;
  g.OnChange = [&](TTwainColors*) { ++changes; };
  g.SetFromColor(clGray);  // unchanged
  g.SetOrientation(fgdVertical);  // not active: stored silently
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(g.Orientation(), fgdVertical);
  g.SetActive(true);
  g.SetOrientation(fgdHorizontal);
  g.SetBrushStyle(bsSolid);  // always notifies
  EXPECT_EQ(changes, 3);
}

TEST(Gradient, StepsAreClampedAndOneStepDrawsNothing) {
  TGradient g;
  struct {
    int set, want;
  } cases[] = {{0, 1}, {-4, 1}, {1000, 255}, {1, 1}, {17, 17}};
  for (auto c : cases) {
    g.SetSteps(c.set);
    EXPECT_EQ(g.Steps(), c.want) << c.set;
  }
  TGradient one = RedToBlue(fgdHorizontal, 1);
  Canvas cv(10, 10);
  cv.Paint(one, {0, 0, 10, 10});
  EXPECT_EQ(At(cv.img, 5, 5), kWhite);
}

TEST(Gradient, HorizontalAndVerticalBandsRunFromStartToEnd) {
  TGradient h = RedToBlue(fgdHorizontal);
  Canvas a(6, 10);
  a.Paint(h, {0, 0, 6, 10});  // 10 bands of one row
  EXPECT_EQ(At(a.img, 3, 0), kRed);
  EXPECT_EQ(At(a.img, 3, 4), kBand4Of10);
  EXPECT_EQ(At(a.img, 3, 9), kBlue);

  TGradient v = RedToBlue(fgdVertical);
  Canvas b(300, 4);
  b.Paint(v, {0, 0, 300, 4});  // 255 bands across 300 pixels
  EXPECT_EQ(At(b.img, 0, 2), kRed);
  EXPECT_EQ(At(b.img, 299, 2), kBlue);
}

TEST(Gradient, OnePixelHighRectangleTakesTheStartColour) {
  TGradient h = RedToBlue(fgdHorizontal);
  Canvas a(8, 3);
  a.Paint(h, {0, 1, 8, 2});
  EXPECT_EQ(At(a.img, 4, 1), kRed);
  EXPECT_EQ(At(a.img, 4, 0), kWhite);
  EXPECT_EQ(At(a.img, 4, 2), kWhite);
}

TEST(Gradient, PercentFillingStopsAfterTheBandThatPassesIt) {
  TGradient h = RedToBlue(fgdHorizontal);
  h.SetPercentFilling(0);
  Canvas a(4, 10);
  a.Paint(h, {0, 0, 4, 10});
  EXPECT_EQ(At(a.img, 1, 0), kRed);
  EXPECT_EQ(At(a.img, 1, 1), kBand1Of10);
  EXPECT_EQ(At(a.img, 1, 2), kWhite);

  h.SetPercentFilling(50);
  Canvas b(2, 255);
  b.Paint(h, {0, 0, 2, 255});
  EXPECT_EQ(At(b.img, 0, 128), kBand128Of255);
  EXPECT_EQ(At(b.img, 0, 129), kWhite);
}

TEST(Gradient, ConvergentHalvesMeetInTheMiddle) {
  TGradient h = RedToBlue(fgdHorzConvergent);
  Canvas a(4, 5);  // odd height: the halves overlap in row 2
  a.Paint(h, {0, 0, 4, 5});
  EXPECT_EQ(At(a.img, 1, 0), kRed);
  EXPECT_EQ(At(a.img, 1, 2), kBlue);
  EXPECT_EQ(At(a.img, 1, 4), kRed);
  EXPECT_EQ(h.Orientation(), fgdHorzConvergent);
  EXPECT_EQ(h.FromRGB(), kRed);  // the colours are put back

  TGradient v = RedToBlue(fgdVertConvergent);
  Canvas b(40, 3);
  b.Paint(v, {0, 0, 40, 3});
  EXPECT_EQ(At(b.img, 0, 1), kRed);
  EXPECT_EQ(At(b.img, 39, 1), kRed);
  EXPECT_EQ(At(b.img, 19, 1), kBlue);
}

TEST(Gradient, RectangleBandsNestTowardsTheCentre) {
  TGradient g = RedToBlue(fgdRectangle);
  Canvas a(20, 20);
  a.Paint(g, {0, 0, 20, 20});  // 10 nested bands
  EXPECT_EQ(At(a.img, 0, 0), kRed);
  EXPECT_EQ(At(a.img, 19, 10), kRed);
  EXPECT_EQ(At(a.img, 10, 10), kBlue);
}

TEST(Gradient, BiasLinesWalkFromTheStartCorner) {
  TGradient g = RedToBlue(fgdLeftBias);
  Canvas a(20, 20);
  a.Paint(g, {0, 0, 20, 20});  // 40 bands of one line each
  EXPECT_EQ(At(a.img, 1, 1), kBand1Of40);
  EXPECT_EQ(At(a.img, 19, 19), kBand37Of40);

  TGradient r = RedToBlue(fgdRightBias);
  Canvas b(20, 20);
  b.Paint(r, {0, 0, 20, 20});
  EXPECT_EQ(At(b.img, 19, 1), kBand1Of40);
  EXPECT_EQ(At(b.img, 1, 19), kBand37Of40);
}

TEST(Gradient, NothingOnLowColourDevicesInactiveOrClearBrush) {
  TGradient g = RedToBlue(fgdHorizontal);
  Canvas grey(4, 4, QImage::Format_Grayscale8);
  grey.Paint(g, {0, 0, 4, 4});
  EXPECT_EQ(qGray(grey.img.pixel(2, 2)), 255);

  g.SetBrushStyle(bsClear);
  Canvas clear(4, 4);
  clear.Paint(g, {0, 0, 4, 4});
  EXPECT_EQ(At(clear.img, 2, 2), kWhite);

  TGradient off = RedToBlue(fgdHorizontal);
  off.SetActive(false);
  Canvas c(4, 4);
  c.Paint(off, {0, 0, 4, 4});
  EXPECT_EQ(At(c.img, 2, 2), kWhite);
}

TEST(Gradient, BufferedDrawingGivesTheSameBands) {
  for (TRect r : {TRect{0, 0, 30, 12}, TRect{5, 3, 25, 9}}) {
    TGradient plain = RedToBlue(fgdVertical), buffered = RedToBlue(fgdVertical);
    buffered.SetBufferedDraw(true);
    Canvas a(40, 20), b(40, 20);
    a.Paint(plain, r);
    b.Paint(buffered, r);
    EXPECT_EQ(a.img, b.img) << r.Left;
  }
}

TEST(GradUtils, CornerColorHasImageAndReplaceColor) {
  QImage img(3, 2, QImage::Format_RGB32);
  img.fill(Qt::white);
  img.setPixel(0, 1, qRgb(1, 2, 3));
  img.setPixel(2, 0, qRgb(4, 5, 6));
  img.setPixel(2, 1, qRgb(7, 8, 9));
  EXPECT_EQ(CornerColor(&img, 0), 0);
  EXPECT_EQ(CornerColor(&img, 1), kWhite);
  EXPECT_EQ(CornerColor(&img, 2), MakeColor(1, 2, 3));
  EXPECT_EQ(CornerColor(&img, 3), MakeColor(4, 5, 6));
  EXPECT_EQ(CornerColor(&img, 9), MakeColor(7, 8, 9));
  QImage empty;
  EXPECT_FALSE(HasImage(&empty));
  EXPECT_FALSE(HasImage(nullptr));
  EXPECT_EQ(CornerColor(&empty, 1), 0);
  ReplaceColor(img, kWhite, kRed);
  EXPECT_EQ(At(img, 0, 0), kRed);
  EXPECT_EQ(At(img, 0, 1), MakeColor(1, 2, 3));
}

TEST(GradUtils, DrawBitmapTransparentStretchedAndTiled) {
  QImage b(2, 2, QImage::Format_RGB32);
  b.fill(qRgb(0, 255, 0));
  b.setPixel(1, 1, qRgb(0, 0, 0));
  Canvas a(10, 10);
  {
    QPainter p(&a.img);
    DrawBitmap(p, b, {2, 2, 10, 10}, 1, 1, 0, 0, true, MakeColor(0, 255, 0));
  }
  EXPECT_EQ(At(a.img, 3, 3), kWhite);  // transparent colour leaves the destination
  EXPECT_EQ(At(a.img, 4, 4), clBlack);

  Canvas s(10, 10);
  {
    QPainter p(&s.img);
    DrawBitmap(p, b, {0, 0, 8, 8}, 0, 0, 1, 0, false, 0);
  }
  EXPECT_EQ(At(s.img, 3, 3), MakeColor(0, 255, 0));
  EXPECT_EQ(At(s.img, 7, 7), clBlack);
  EXPECT_EQ(At(s.img, 8, 8), kWhite);

  Canvas t(10, 10);
  {
    QPainter p(&t.img);
    DrawBitmap(p, b, {0, 0, 5, 5}, 0, 0, 3, 0, false, 0);
  }
  EXPECT_EQ(At(t.img, 3, 3), clBlack);   // second tile
  EXPECT_EQ(At(t.img, 4, 4), MakeColor(0, 255, 0));  // cut at the rectangle's edge
  EXPECT_EQ(At(t.img, 5, 5), kWhite);
}

TEST(WizardHeader, CaptionAndCommentChoice) {
  const std::vector<std::string> two = {"First", "Second"};
  struct {
    std::vector<std::string> lines;
    int page;
    std::string want;
  } cases[] = {
      {{}, 0, "Caption"}, {two, 0, "First"}, {two, 1, "Second"}, {two, 5, "Second"}, {two, -3, "First"},
  };
  for (const auto& c : cases) EXPECT_EQ(HeaderText(c.lines, c.page, "Caption"), c.want) << c.page;
}

QImage PaintHeader(const THeaderLook& look, int w = 400, int h = 60) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  PaintWizardHeader(p, w, h, look);
  return img;
}

TEST(WizardHeader, BandStripSymbolAndGlyph) {
  TGradient g;
  g.SetActive(true);
  g.SetFromColor(clHighlight);
  g.SetToColor(clWindow);
  g.SetOrientation(fgdVertical);
  THeaderLook look;
  look.Caption = "Caption";
  look.Comment = "Some comment text";
  look.Gradient = &g;
  look.Symbol = "JK";
  look.SymbolColor = Qt::white;
  QImage img = PaintHeader(look);
  EXPECT_EQ(At(img, 2, 2), ResolveColor(clWindow));
  EXPECT_EQ(At(img, 0, 57), ResolveColor(clHighlight));  // strip, left end
  EXPECT_EQ(At(img, 399, 57), ResolveColor(clWindow));  // strip, right end
  EXPECT_EQ(At(img, 200, 59), ResolveColor(clBtnHighlight));  // etched edge
  EXPECT_EQ(At(img, 352, 7), ResolveColor(clHighlight));  // symbol box

  QImage glyph(10, 10, QImage::Format_RGB32);
  glyph.fill(qRgb(9, 9, 9));
  look.Glyph = &glyph;
  img = PaintHeader(look);
  EXPECT_EQ(At(img, 352, 7), ResolveColor(clWindow));  // no symbol box beside a glyph
  EXPECT_EQ(At(img, 370, 30), ResolveColor(clWindow));  // the glyph's corner colour is transparent

  look.Glyph = nullptr;
  look.BufferedDraw = true;
  QImage buffered = PaintHeader(look);
  look.BufferedDraw = false;
  EXPECT_EQ(buffered, PaintHeader(look));
}

}  // namespace
}  // namespace controls
