#include "controls/balloongeometry.h"

#include <algorithm>
#include <cstdint>

namespace controls {

TBalloonAnchor AnchorOfRect(const TBalloonRect& r) {
  TBalloonAnchor a;
  a.Center = {r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2};
  a.HalfWidth = (r.Right - r.Left) / 2;
  a.HalfHeight = (r.Bottom - r.Top) / 2;
  return a;
}

TBalloonAnchor AnchorOfPoint(int x, int y) {
  TBalloonAnchor a;
  a.Center = {x, y};
  return a;
}

TBalloonSpace BalloonFreeSpace(const TBalloonRect& screen, const TBalloonAnchor& a) {
  const int x = a.Center.X, y = a.Center.Y, hw = a.HalfWidth, hh = a.HalfHeight;
  TBalloonSpace s;
  s.Left = std::max(0, x - screen.Left - hw + ArrowOffset - kBalloonScreenMargin);
  s.Above = std::max(0, y - screen.Top - hh - ArrowHeight - kBalloonScreenMargin);
  s.Right = std::max(0, screen.Right - x - hw + ArrowOffset - kBalloonScreenMargin);
  s.Below = std::max(0, screen.Bottom - y - hh - ArrowHeight - kBalloonScreenMargin);
  struct Quadrant {
    int64_t Area;
    int W, H, Position;
  };
  const Quadrant q[4] = {{int64_t{s.Left} * s.Above, s.Left, s.Above, 0},
                         {int64_t{s.Left} * s.Below, s.Left, s.Below, 2},
                         {int64_t{s.Right} * s.Above, s.Right, s.Above, 1},
                         {int64_t{s.Right} * s.Below, s.Right, s.Below, 3}};
  const Quadrant* best = &q[0];
  for (const Quadrant& c : q)
    if (c.Area > best->Area) best = &c;
  s.MaxWidth = best->W;
  s.MaxHeight = best->H;
  s.LargestPosition = best->Position;
  return s;
}

int ChooseBalloonPosition(const TBalloonSpace& s, int w, int h, int preferred) {
  const int start = ((preferred % 4) + 4) % 4;
  for (int k = 0; k < 4; ++k) {
    const int pos = (start + k) % 4;
    const int horizontal = (pos == 0 || pos == 2) ? s.Left : s.Right;
    const int vertical = pos <= 1 ? s.Above : s.Below;
    if (w <= horizontal && h <= vertical) return pos;
  }
  return s.LargestPosition;
}

TBalloonPoint BalloonTip(const TBalloonAnchor& a, int position) {
  const bool left = position == 0 || position == 2, above = position <= 1;
  return {left ? a.Center.X - a.HalfWidth : a.Center.X + a.HalfWidth,
          above ? a.Center.Y - a.HalfHeight : a.Center.Y + a.HalfHeight};
}

TBalloonShape BalloonShape(int position, TBalloonPoint tip, int panelWidth, int panelHeight) {
  TBalloonShape s;
  const bool above = position <= 1;
  const int panelTop = above ? 0 : ArrowHeight + 2;
  s.Panel = {0, panelTop, panelWidth, panelTop + panelHeight};
  int ch = above ? panelTop + panelHeight + ArrowHeight - 1 : panelTop + panelHeight + 1;
  const int cw = std::max(panelWidth + 1, ArrowOffset + ArrowWidth + 1);
  ch = std::max(ch, ArrowHeight + 2);
  const int w = cw, h = ch;
  int left = 0, top = 0;
  switch (position) {
    case 0: left = tip.X - (w - ArrowOffset); top = tip.Y - h; break;
    case 1: left = tip.X - ArrowOffset; top = tip.Y - h; break;
    case 2: left = tip.X - (w - ArrowOffset); top = tip.Y - 2; break;
    default: left = tip.X - ArrowOffset; top = tip.Y - 2; break;
  }
  s.Window = {left, top, left + w, top + h};
  if (above) {
    s.RoundRect = {0, 0, w, h - (ArrowHeight - 2)};
    if (position == 0)
      s.Arrow = {{w - ArrowWidth - ArrowOffset, h - ArrowHeight}, {w - ArrowOffset, h}, {w - ArrowOffset, h - ArrowHeight}};
    else
      s.Arrow = {{ArrowOffset, h - ArrowHeight}, {ArrowOffset, h}, {ArrowOffset + ArrowWidth, h - ArrowHeight}};
  } else {
    s.RoundRect = {0, ArrowHeight + 2, w, h};
    if (position == 3)
      s.Arrow = {{ArrowOffset, 2}, {ArrowOffset, ArrowHeight + 2}, {ArrowOffset + ArrowWidth, ArrowHeight + 2}};
    else
      s.Arrow = {{w - ArrowOffset, 2}, {w - ArrowOffset, ArrowHeight + 2}, {w - ArrowOffset - ArrowWidth, ArrowHeight + 2}};
  }
  return s;
}

TBalloonLayout LayoutBalloonContent(const TBalloonLayoutInput& in) {
  constexpr int m = kBalloonContentMargin;
  TBalloonLayout l;
  int contentTop = m;
  if (in.HasIcon) {
    l.Icon = {10, 10, 26, 26};
    contentTop = l.Icon.Bottom + 8;
  }
  const bool hasTitle = in.TitleWidth > 0 || in.TitleHeight > 0;
  if (hasTitle) {
    const int tl = in.HasIcon ? l.Icon.Right + 8 : 10;
    l.Title = {tl, 12, tl + in.TitleWidth, 12 + in.TitleHeight};
    contentTop = std::max(in.HasIcon ? l.Icon.Bottom + 8 : 0, l.Title.Bottom + 8);
  }
  auto wrap = [&](int width) {
    width = std::max(width, kBalloonMinTextWidth);
    l.Text = {10, contentTop, 10 + width, contentTop + (in.WrapHeight ? in.WrapHeight(width) : 0)};
    l.PanelWidth = l.Text.Right + m;
    l.PanelHeight = l.Text.Bottom + m;
  };
  wrap(in.BestWidth - 2 * m);

  if (l.PanelHeight > in.MaxHeight) {
    wrap(in.MaxWidth - 2 * m);
    int last = l.Text.Width();
    while (l.PanelHeight < in.MaxHeight && l.Text.Width() > in.BestWidth && l.Text.Width() > kBalloonMinTextWidth) {
      last = l.Text.Width();
      wrap(last - 10);
    }
    if (l.PanelHeight > in.MaxHeight && last != l.Text.Width()) wrap(last);
  }
  while (l.PanelWidth > in.MaxWidth && l.PanelHeight < in.MaxHeight && l.Text.Width() > kBalloonMinTextWidth)
    wrap(l.Text.Width() - 10);
  if (hasTitle && l.Title.Right + m > l.PanelWidth) {
    wrap(l.Title.Right - l.Text.Left);
    l.PanelWidth = std::max(l.PanelWidth, l.Title.Right + m);
  }
  if (l.PanelWidth <= in.MaxWidth && l.PanelHeight <= in.MaxHeight) return l;

  // Too large for the largest quadrant: a scroll box of at most that size.
  l.Scrolled = true;
  int pw = l.PanelWidth + 20, ph = l.PanelHeight;
  const bool cut = pw > in.MaxWidth;
  if (cut) pw = in.MaxWidth;
  if (ph > in.MaxHeight) ph = in.MaxHeight;
  if (cut) {
    const int keepW = pw, keepH = ph;
    wrap(l.Text.Width() - 20);
    pw = keepW;
    ph = keepH;
  }
  if (l.Text.Bottom + m > ph) l.Text.Bottom += 10;
  l.PanelWidth = pw;
  l.PanelHeight = ph;
  return l;
}

std::string BalloonParams(const std::vector<std::pair<std::string, std::string>>& items) {
  std::string out;
  for (const auto& [key, value] : items) {
    if (!out.empty()) out += ';';
    out += '\'';
    for (char c : key + "=" + value) {
      out += c;
      if (c == '\'') out += '\'';
    }
    out += '\'';
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> ParseBalloonParams(const std::string& params) {
  std::vector<std::pair<std::string, std::string>> items;
  size_t i = 0;
  while (i < params.size()) {
    std::string item;
    if (params[i] == '\'') {
      ++i;
      while (i < params.size()) {
        if (params[i] == '\'') {
          if (i + 1 < params.size() && params[i + 1] == '\'') {
            item += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += params[i++];
      }
      while (i < params.size() && params[i] != ';') ++i;
    } else {
      while (i < params.size() && params[i] != ';') item += params[i++];
    }
    if (i < params.size()) ++i;  // the ';'
    const size_t eq = item.find('=');
    if (eq == std::string::npos)
      items.emplace_back(item, std::string());
    else
      items.emplace_back(item.substr(0, eq), item.substr(eq + 1));
  }
  return items;
}

}  // namespace controls
