// Where a balloon goes and how it is shaped, free of any window: the free space around the
// anchor on its screen, the choice among the four positions, the window's place and size,
// its outline, and the layout of icon, title and text inside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace controls {

constexpr int ArrowHeight = 20, ArrowWidth = 20, ArrowOffset = 20;
constexpr int kBalloonScreenMargin = 10, kBalloonContentMargin = 10;

struct TBalloonRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TBalloonRect&) const = default;
};

struct TBalloonPoint {
  int X = 0, Y = 0;
  bool operator==(const TBalloonPoint&) const = default;
};

// Free space (never negative) around the anchor within `screen`, and the content limits
// taken from the largest quadrant.
struct TBalloonSpace {
  int Left = 0, Above = 0, Right = 0, Below = 0;
  int MaxWidth = 0, MaxHeight = 0;
  int LargestPosition = 0;  // the position of the largest quadrant
};

// The anchor: a rectangle (its centre is the point) or, without one, the point itself.
struct TBalloonAnchor {
  TBalloonPoint Center;
  int HalfWidth = 0, HalfHeight = 0;
};
TBalloonAnchor AnchorOfRect(const TBalloonRect& r);
TBalloonAnchor AnchorOfPoint(int x, int y);

TBalloonSpace BalloonFreeSpace(const TBalloonRect& screen, const TBalloonAnchor& anchor);

// Positions: 0 above extending left, 1 above extending right, 2 below extending left,
// 3 below extending right. The first position from `preferred` on (round 0..3) where the
// content fits, else the largest quadrant's.
int ChooseBalloonPosition(const TBalloonSpace& space, int contentWidth, int contentHeight, int preferred);

// The point the arrow's tip touches for a position.
TBalloonPoint BalloonTip(const TBalloonAnchor& anchor, int position);

struct TBalloonShape {
  TBalloonRect Window;      // screen coordinates
  TBalloonRect Panel;       // the content, window coordinates
  TBalloonRect RoundRect;   // the rounded body, window coordinates
  std::vector<TBalloonPoint> Arrow;  // the arrow triangle, window coordinates
};
TBalloonShape BalloonShape(int position, TBalloonPoint tip, int panelWidth, int panelHeight);

// Layout of the content. `WrapHeight(width)` is the height of the text wrapped at `width`;
// `TitleWidth` and `TitleHeight` are 0 without a title.
struct TBalloonLayoutInput {
  bool HasIcon = false;
  int TitleWidth = 0, TitleHeight = 0;
  int BestWidth = 300, MaxWidth = 0, MaxHeight = 0;
  std::function<int(int width)> WrapHeight;
};
struct TBalloonLayout {
  TBalloonRect Icon, Title, Text;  // empty when absent
  int PanelWidth = 0, PanelHeight = 0;
  bool Scrolled = false;  // the content sits in a scroll box of the panel's size
};
// The text is never made narrower than this while the layout looks for a fit.
constexpr int kBalloonMinTextWidth = 40;
TBalloonLayout LayoutBalloonContent(const TBalloonLayoutInput& in);

// The parameter string of a balloon: 'key=value' items joined by ";", quotes doubled.
std::string BalloonParams(const std::vector<std::pair<std::string, std::string>>& items);
std::vector<std::pair<std::string, std::string>> ParseBalloonParams(const std::string& params);

}  // namespace controls
