#include "controls/hintballoon.h"

#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/qtbridge.h"

#include <cmath>

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimer>
#include <QWidget>

namespace controls {

using namespace platform;

unsigned AnimationFlags(int type) {
  switch (type) {
    case batBlend: return 0x80000;
    case batCenter: return 0x10;
    case batSlideLeftToRight: return 0x40001;
    case batSlideRightToLeft: return 0x40002;
    case batSlideTopToBottom: return 0x40004;
    case batSlideBottomToTop: return 0x40008;
    case batWipeLeftToRight: return 0x1;
    case batWipeRightToLeft: return 0x2;
    case batWipeTopToBottom: return 0x4;
    case batWipeBottomToTop: return 0x8;
    default: return 0;
  }
}

namespace {

const QColor kBalloonColor(0xFF, 0xFF, 0xE1);

QFont BalloonFont(bool bold) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(11);  // 8 points at 96 pixels per inch
  f.setBold(bold);
  return f;
}

// The 16 x 16 pictures of the balloon icons.
QImage BalloonIcon(const std::string& name) {
  QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = BalloonFont(true);
  f.setPixelSize(12);
  p.setFont(f);
  if (name == "WARNING") {
    p.setBrush(QColor(0xF0, 0xC0, 0x00));
    p.setPen(QColor(0x80, 0x60, 0x00));
    p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(15, 15), QPointF(1, 15)}));
    p.setPen(Qt::black);
    p.drawText(QRect(0, 3, 16, 13), Qt::AlignCenter, QStringLiteral("!"));
  } else {
    const bool error = name == "ERROR";
    p.setBrush(error ? QColor(0xD0, 0x20, 0x20) : QColor(0x20, 0x60, 0xD0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, error ? QStringLiteral("x") : QStringLiteral("i"));
  }
  return img;
}

std::string Param(const std::vector<std::pair<std::string, std::string>>& items, const char* key) {
  for (const auto& [k, v] : items)
    if (SameName(k, key)) return v;
  return {};
}

int ParamInt(const std::vector<std::pair<std::string, std::string>>& items, const char* key, int fallback) {
  const std::string v = Param(items, key);
  if (v.empty()) return fallback;
  try {
    return std::stoi(v);
  } catch (...) {
    return fallback;
  }
}

QRect ToQRect(const TBalloonRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// Lays the text out in lines of at most `width` pixels: at word boundaries, and inside a word
// that is wider than a line (a long path); line breaks of the text are kept. Returns the
// height of the lines.
int LayOutBalloonText(QTextLayout& layout, int width) {
  QString text = layout.text();
  text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  text.replace(QLatin1Char('\r'), QChar::LineSeparator);
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  layout.setText(text);
  layout.setFont(BalloonFont(false));
  QTextOption option(Qt::AlignLeft | Qt::AlignTop);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.setCacheEnabled(true);
  qreal y = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(std::max(1, width));
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  return std::max(static_cast<int>(std::ceil(y)), QFontMetrics(BalloonFont(false)).height());
}

}  // namespace

QStringList BalloonTextLines(const QString& text, int width) {
  QTextLayout layout(text);
  LayOutBalloonText(layout, width);
  QStringList lines;
  for (int i = 0; i < layout.lineCount(); ++i) {
    const QTextLine line = layout.lineAt(i);
    QString part = layout.text().mid(line.textStart(), line.textLength());
    part.remove(QChar::LineSeparator);
    lines << part;
  }
  return lines;
}

// The icon, title and text at their laid-out places; a click closes the balloon.
class BalloonContent : public QWidget {
public:
  BalloonContent(THintBalloon* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setAutoFillBackground(false);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kBalloonColor);
    const TBalloonLayout& l = owner_->Layout();
    if (!owner_->IconName().empty()) p.drawImage(l.Icon.Left, l.Icon.Top, BalloonIcon(owner_->IconName()));
    p.setPen(Qt::black);
    if (!owner_->Title().empty()) {
      p.setFont(BalloonFont(true));
      p.drawText(ToQRect(l.Title), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                 ToInterfaceQString(owner_->Title()));
    }
    QTextLayout text(owner_->ShownText());
    LayOutBalloonText(text, l.Text.Width());
    text.draw(&p, QPointF(l.Text.Left, l.Text.Top));
  }
  void mousePressEvent(QMouseEvent*) override { owner_->CloseBalloon(); }

private:
  THintBalloon* owner_;
};

// The balloon's window: frameless, on top, never activated, shaped by its mask.
class BalloonWindow : public QWidget {
public:
  explicit BalloonWindow(THintBalloon* owner)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowDoesNotAcceptFocus),
        owner_(owner) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
  }
  QPainterPath Outline;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kBalloonColor);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Outline);
  }
  void mousePressEvent(QMouseEvent*) override { owner_->CloseBalloon(); }
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) owner_->CloseBalloon();
    QWidget::changeEvent(e);
  }

private:
  THintBalloon* owner_;
};

// --- THintBalloonControl -------------------------------------------------------------------

THintBalloonControl::THintBalloonControl(TComponent* owner) : TComponent(owner) {}

namespace {
THintBalloonControl* g_hint_control = nullptr;
}

THintBalloonControl::~THintBalloonControl() {
  if (g_hint_control == this) UseBalloonHints(nullptr);
}

void THintBalloonControl::Publish(TProps<THintBalloonControl>& p) {
  p.Int("Duration", &THintBalloonControl::Duration, &THintBalloonControl::SetDuration);
  p.Enum("AnimationType",
         {"batNone", "batBlend", "batCenter", "batSlideLeftToRight", "batSlideRightToLeft", "batSlideTopToBottom",
          "batSlideBottomToTop", "batWipeLeftToRight", "batWipeRightToLeft", "batWipeTopToBottom",
          "batWipeBottomToTop"},
         &THintBalloonControl::AnimationType, &THintBalloonControl::SetAnimationType);
  p.Int("AnimationSpeed", &THintBalloonControl::AnimationSpeed, &THintBalloonControl::SetAnimationSpeed);
}

THintBalloon* THintBalloonControl::ShowBalloonText(int iconKind, const std::string& title, int preferredPosition,
                                                   TControl* anchor, int y, int x, int preferredWidth,
                                                   const std::string& text) {
  static const char* const kIcons[] = {"INFO", "ERROR", "WARNING"};
  const std::string icon = iconKind >= 0 && iconKind <= 2 ? kIcons[iconKind] : "";
  auto* balloon = new THintBalloon(nullptr);
  if (last_ != nullptr) RemoveFreeNotification(last_);
  last_ = balloon;
  FreeNotification(balloon);
  const std::string params = BalloonParams({{"IconeResName", icon},
                                            {"Title", title},
                                            {"Text", text},
                                            {"MainPanelBestWidth", std::to_string(preferredWidth)}});
  balloon->SetTextCodePage(textCodePage_);
  balloon->ShowBalloonAt(params, x, y, animationSpeed_, animationType_, preferredPosition, duration_, anchor);
  return balloon;
}

void THintBalloonControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == last_) last_ = nullptr;
}

// --- THintBalloon --------------------------------------------------------------------------

THintBalloon::THintBalloon(TComponent* owner) : TComponent(owner) { window_ = new BalloonWindow(this); }

THintBalloon::~THintBalloon() { delete window_.data(); }

QWidget* THintBalloon::Window() const { return window_.data(); }

QString THintBalloon::ShownText() const {
  return textCodePage_ == 0 ? ToInterfaceQString(text_) : ToQString(text_, textCodePage_);
}

void THintBalloon::CloseBalloon() {
  if (closing_) return;
  closing_ = true;
  if (closeTimer_ != nullptr) closeTimer_->stop();
  QTimer::singleShot(0, window_.data(), [this] { TComponent::Free(this); });
}

namespace {

// The control's screen rectangle (its centre is the point), else the point.
TBalloonAnchor AnchorOf(TControl* anchor, int x, int y) {
  if (anchor == nullptr) return AnchorOfPoint(x, y);
  const TPoint tl = anchor->ClientToScreen({0, 0});
  return AnchorOfRect({tl.X, tl.Y, tl.X + anchor->Width(), tl.Y + anchor->Height()});
}

// Free space around the anchor on the screen holding it; screens need not start at (0, 0).
TBalloonSpace ScreenSpace(const TBalloonAnchor& a) {
  QScreen* screen = QGuiApplication::screenAt(QPoint(a.Center.X, a.Center.Y));
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect sg = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  return BalloonFreeSpace({sg.left(), sg.top(), sg.left() + sg.width(), sg.top() + sg.height()}, a);
}

TBalloonLayout MeasureContent(const std::string& icon, const std::string& title, const QString& text, int bestWidth,
                              const TBalloonSpace& space) {
  TBalloonLayoutInput in;
  in.HasIcon = !icon.empty();
  if (!title.empty()) {
    QFontMetrics fm(BalloonFont(true));
    in.TitleWidth = fm.horizontalAdvance(ToInterfaceQString(title));
    in.TitleHeight = fm.height();
  }
  in.BestWidth = bestWidth;
  in.MaxWidth = space.MaxWidth;
  in.MaxHeight = space.MaxHeight;
  const QString wrapped = text;
  in.WrapHeight = [wrapped](int width) {
    QTextLayout layout(wrapped);
    return LayOutBalloonText(layout, width);
  };
  return LayoutBalloonContent(in);
}

// The content: straight on the panel, or in a scroll box of the panel's size.
void AddContent(THintBalloon* balloon, QWidget* win, const TBalloonLayout& layout, const TBalloonShape& shape) {
  const QRect panel = ToQRect(shape.Panel);
  if (layout.Scrolled) {
    auto* box = new QScrollArea(win);
    box->setFrameShape(QFrame::NoFrame);
    box->setGeometry(panel.adjusted(1, 1, -1, -1));
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, kBalloonColor);
    box->setPalette(pal);
    auto* content = new BalloonContent(balloon, nullptr);
    content->resize(std::max(layout.Text.Right, layout.Title.Right) + kBalloonContentMargin,
                    layout.Text.Bottom + kBalloonContentMargin);
    box->setWidget(content);
  } else {
    auto* content = new BalloonContent(balloon, win);
    content->setGeometry(panel.adjusted(1, 1, -1, -1));
  }
}

// Outline: the rounded body and the arrow; the window takes its place and shape.
void SetOutline(BalloonWindow* win, const TBalloonShape& shape) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addRoundedRect(QRectF(ToQRect(shape.RoundRect)), 3.5, 3.5);
  QPolygonF arrow;
  for (const TBalloonPoint& p : shape.Arrow) arrow << QPointF(p.X, p.Y);
  arrow << arrow.front();
  path.addPolygon(arrow);
  const QPainterPath filled = path.simplified();
  win->Outline = filled.translated(-0.5, -0.5);
  win->setGeometry(ToQRect(shape.Window));
  win->setMask(QRegion(filled.toFillPolygon().toPolygon(), Qt::WindingFill));
}

void FadeIn(QWidget* win, int animationSpeed) {
  win->setWindowOpacity(0.0);
  auto* fade = new QPropertyAnimation(win, "windowOpacity", win);
  fade->setDuration(std::max(0, animationSpeed));
  fade->setStartValue(0.0);
  fade->setEndValue(1.0);
  fade->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace

void THintBalloon::ShowBalloonAt(const std::string& params, int x, int y, int animationSpeed, int animationType,
                                 int preferredPosition, int duration, TControl* anchor) {
  auto* win = static_cast<BalloonWindow*>(window_.data());
  const TBalloonAnchor a = AnchorOf(anchor, x, y);
  const TBalloonSpace space = ScreenSpace(a);

  auto items = ParseBalloonParams(params);
  items.emplace_back("MainPanelMaxWidth", std::to_string(space.MaxWidth));
  items.emplace_back("MainPanelMaxHeight", std::to_string(space.MaxHeight));
  params_ = BalloonParams(items);
  icon_ = Param(items, "IconeResName");
  title_ = Param(items, "Title");
  text_ = Param(items, "Text");
  layout_ = MeasureContent(icon_, title_, ShownText(), ParamInt(items, "MainPanelBestWidth", 300), space);

  position_ = ChooseBalloonPosition(space, layout_.PanelWidth, layout_.PanelHeight, preferredPosition);
  shape_ = BalloonShape(position_, BalloonTip(a, position_), layout_.PanelWidth, layout_.PanelHeight);
  AddContent(this, win, layout_, shape_);
  SetOutline(win, shape_);

  // Only the blend is animated, by fading the window in; other animations show at once.
  animated_ = animationType == batBlend && animationSpeed != 0;
  if (animated_) FadeIn(win, animationSpeed);
  win->show();
  win->update();
  if (duration >= 1) StartCloseTimer(duration);
}

void THintBalloon::StartCloseTimer(int duration) {
  closeTimer_ = new QTimer(window_.data());
  closeTimer_->setSingleShot(true);
  closeTimer_->setInterval(duration);
  QObject::connect(closeTimer_, &QTimer::timeout, [this] { platform::DispatchEvent([this] { CloseBalloon(); }); });
  closeTimer_->start();
}

// --- hints as balloons ---------------------------------------------------------------------

void UseBalloonHints(THintBalloonControl* control) {
  g_hint_control = control;
  if (control == nullptr) {
    Application().SetHintHook(nullptr);
    return;
  }
  Application().SetHintHook(
      [](TControl* c, const std::string& hint, TRect r) { ActivateBalloonHint(r, hint, c->HintCodePage()); });
}

THintBalloon* ActivateBalloonHint(const TRect& r, const std::string& hint, int codePage) {
  THintBalloonControl* c = g_hint_control;
  if (c == nullptr) return nullptr;
  const int savedDuration = c->Duration();
  const int savedCodePage = c->TextCodePage();
  c->SetDuration(Application().HintHidePause());
  c->SetTextCodePage(codePage);
  THintBalloon* b = c->ShowBalloonText(-1, "", 1, nullptr, r.Top - 20, r.Left, 300, hint);
  c->SetDuration(savedDuration);
  c->SetTextCodePage(savedCodePage);
  return b;
}

}  // namespace controls
