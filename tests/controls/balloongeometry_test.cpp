#include "controls/balloongeometry.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

TEST(BalloonPosition, ChoiceOverScreensAnchorsAndSizes) {
  const TBalloonRect desk{0, 0, 1024, 768};
  struct {
    const char* what;
    TBalloonRect screen;
    int x, y, w, h, preferred, want;
  } cases[] = {
      {"room everywhere", desk, 500, 400, 200, 100, 1, 1},
      {"room everywhere, other preference", desk, 500, 400, 200, 100, 2, 2},
      {"bottom-right corner", desk, 1000, 750, 200, 100, 1, 0},
      {"bottom-left corner", desk, 10, 750, 200, 100, 0, 1},
      {"top-right corner", desk, 1000, 10, 200, 100, 1, 2},
      {"top-left corner", desk, 10, 10, 200, 100, 0, 3},
      {"fits nowhere: largest quadrant", desk, 500, 400, 2000, 2000, 0, 1},
      {"fits nowhere, upper left is largest", desk, 900, 700, 2000, 2000, 3, 0},
      {"screen right of the primary", {1920, 0, 3200, 1024}, 1930, 500, 200, 100, 0, 1},
      {"screen left of the primary", {-1280, 0, 0, 1024}, -20, 500, 200, 100, 1, 2},
      {"screen above the primary", {0, -900, 1600, 0}, 800, -890, 200, 100, 0, 2},
  };
  for (const auto& c : cases) {
    const TBalloonSpace s = BalloonFreeSpace(c.screen, AnchorOfPoint(c.x, c.y));
    EXPECT_EQ(ChooseBalloonPosition(s, c.w, c.h, c.preferred), c.want) << c.what;
    EXPECT_GE(s.Left, 0);
    EXPECT_GE(s.Below, 0);
  }
}

TEST(BalloonPosition, FreeSpaceAndLimits) {
  const TBalloonSpace s = BalloonFreeSpace({0, 0, 1024, 768}, AnchorOfPoint(500, 400));
  EXPECT_EQ(s.Left, 510);
  EXPECT_EQ(s.Above, 370);
  EXPECT_EQ(s.Right, 534);
  EXPECT_EQ(s.Below, 338);
  EXPECT_EQ(s.MaxWidth, 534);  // right x above is the largest quadrant
  EXPECT_EQ(s.MaxHeight, 370);
  // Off the screen on two sides: no negative space makes a "large" quadrant.
  const TBalloonSpace off = BalloonFreeSpace({0, 0, 1024, 768}, AnchorOfPoint(-100, -100));
  EXPECT_EQ(off.Left, 0);
  EXPECT_EQ(off.Above, 0);
  EXPECT_EQ(off.LargestPosition, 3);
}

TEST(BalloonPosition, AnchorRectangleGivesCornerTips) {
  const TBalloonAnchor a = AnchorOfRect({100, 100, 201, 141});
  EXPECT_EQ(a.Center, (TBalloonPoint{150, 120}));
  EXPECT_EQ(BalloonTip(a, 0), (TBalloonPoint{100, 100}));
  EXPECT_EQ(BalloonTip(a, 1), (TBalloonPoint{200, 100}));
  EXPECT_EQ(BalloonTip(a, 2), (TBalloonPoint{100, 140}));
  EXPECT_EQ(BalloonTip(a, 3), (TBalloonPoint{200, 140}));
  const TBalloonSpace s = BalloonFreeSpace({0, 0, 1024, 768}, a);
  EXPECT_EQ(s.Left, 150 - 50 + 20 - 10);
  EXPECT_EQ(s.Below, 768 - 120 - 20 - 20 - 10);
}

TEST(BalloonShape, ArrowTipTouchesThePointInEveryPosition) {
  const TBalloonPoint tip{500, 400};
  for (int pos = 0; pos < 4; ++pos) {
    const TBalloonShape s = BalloonShape(pos, tip, 200, 100);
    ASSERT_EQ(s.Arrow.size(), 3u);
    const TBalloonPoint t = s.Arrow[pos <= 1 ? 1 : 0];
    EXPECT_EQ(s.Window.Left + t.X, tip.X) << pos;
    EXPECT_EQ(s.Window.Top + t.Y, pos <= 1 ? tip.Y : tip.Y) << pos;
    EXPECT_EQ(s.Window.Width(), 201);
    EXPECT_EQ(s.Window.Height(), pos <= 1 ? 119 : 123);
    EXPECT_EQ(s.Panel.Top, pos <= 1 ? 0 : 22);
  }
  const TBalloonShape above = BalloonShape(1, tip, 200, 100);
  EXPECT_EQ(above.RoundRect, (TBalloonRect{0, 0, 201, 101}));
  const TBalloonShape tiny = BalloonShape(2, tip, 5, 5);
  EXPECT_EQ(tiny.Window.Width(), 41);
  EXPECT_EQ(tiny.Window.Height(), 28);
}

// 7 pixels a character, 13 a line.
std::function<int(int)> Wrap(int chars) {
  return [chars](int width) {
    const int perLine = std::max(1, width / 7);
    return 13 * ((chars + perLine - 1) / perLine);
  };
}

TEST(BalloonLayout, Table) {
  struct {
    const char* what;
    bool icon;
    int titleW, chars, best, maxW, maxH;
    int textLeft, textTop, textW, panelW;
    bool scrolled;
  } cases[] = {
      {"text only", false, 0, 20, 300, 500, 400, 10, 10, 280, 300, false},
      {"icon, no title", true, 0, 20, 300, 500, 400, 10, 34, 280, 300, false},
      {"wide title", true, 400, 20, 300, 800, 400, 10, 34, 424, 444, false},
      {"narrow screen", false, 0, 20, 300, 200, 400, 10, 10, 180, 200, false},
      {"too long for any quadrant", false, 0, 5000, 300, 300, 100, 10, 10, 260, 300, true},
  };
  for (const auto& c : cases) {
    TBalloonLayoutInput in;
    in.HasIcon = c.icon;
    in.TitleWidth = c.titleW;
    in.TitleHeight = c.titleW > 0 ? 13 : 0;
    in.BestWidth = c.best;
    in.MaxWidth = c.maxW;
    in.MaxHeight = c.maxH;
    in.WrapHeight = Wrap(c.chars);
    const TBalloonLayout l = LayoutBalloonContent(in);
    EXPECT_EQ(l.Text.Left, c.textLeft) << c.what;
    EXPECT_EQ(l.Text.Top, c.textTop) << c.what;
    EXPECT_EQ(l.Text.Width(), c.textW) << c.what;
    EXPECT_EQ(l.PanelWidth, c.panelW) << c.what;
    EXPECT_EQ(l.Scrolled, c.scrolled) << c.what;
    EXPECT_LE(l.PanelHeight, std::max(c.maxH, l.Text.Bottom + 10)) << c.what;
  }
}

TEST(BalloonLayout, WidthLoopsStopAtALowerBound) {
  TBalloonLayoutInput in;
  in.BestWidth = 300;
  in.MaxWidth = 5;  // a screen corner with almost no room
  in.MaxHeight = 1000;
  in.WrapHeight = Wrap(10);
  const TBalloonLayout l = LayoutBalloonContent(in);
  EXPECT_EQ(l.Text.Width(), kBalloonMinTextWidth);
  EXPECT_TRUE(l.Scrolled);
  EXPECT_EQ(l.PanelWidth, 5);
}

TEST(BalloonParams, RoundTripWithQuotesAndSeparators) {
  const std::vector<std::pair<std::string, std::string>> items = {
      {"IconeResName", "INFO"}, {"Title", "It's; here"}, {"Text", "a=b"}, {"MainPanelBestWidth", "300"}};
  const std::string s = BalloonParams(items);
  EXPECT_EQ(s, "'IconeResName=INFO';'Title=It''s; here';'Text=a=b';'MainPanelBestWidth=300'");
  EXPECT_EQ(ParseBalloonParams(s), items);
}

}  // namespace
}  // namespace controls
