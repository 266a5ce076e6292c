// What a person sees of a window, for tests of both programs' windows: the text a window
// description writes for a property, the title bar's text, and the controls of a window.
#pragma once

#include "platform/components/component.h"
#include "platform/components/description.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/control.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/label.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/radiobutton.h"
#include "platform/ui/wincontrol.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace windowlook {

namespace detail {
inline const platform::TDescNode* Find(const platform::TDescNode& node, std::string_view name) {
  if (node.Name == name) return &node;
  for (const platform::TDescNode& child : node.Children)
    if (const platform::TDescNode* found = Find(child, name)) return found;
  return nullptr;
}
}  // namespace detail

// The text the description writes for `prop` of the component `name` (its bytes as stored),
// or "<absent>" when the description gives none.
inline std::string DescribedText(std::string_view description, std::string_view name, std::string_view prop) {
  const platform::TDescNode root = platform::ParseDescription(description);
  const platform::TDescNode* node = detail::Find(root, name);
  if (node != nullptr)
    for (const platform::TDescProp& p : node->Props)
      if (p.Path == prop && p.Value.Type == platform::TDescValue::String) return p.Value.Text;
  return "<absent>";
}

// The text of a window's title bar as Qt hands it to the window manager: the window title,
// followed by " — " and the application's display name when a program has set one.
inline QString TitleBarText(const QWidget* window) {
  QString title = window->windowTitle();
  const QString display = QGuiApplication::applicationDisplayName();
  if (display != QCoreApplication::applicationName() && !title.endsWith(display))
    title += QString::fromUtf8(" \u2014 ") + display;
  return title;
}

// Every control owned, directly or further down, by `root`.
inline void CollectControls(platform::TComponent* root, std::vector<platform::TControl*>& out) {
  for (int i = 0; i < root->ComponentCount(); ++i) {
    platform::TComponent* c = root->Components(i);
    if (auto* control = dynamic_cast<platform::TControl*>(c)) out.push_back(control);
    CollectControls(c, out);
  }
}
inline std::vector<platform::TControl*> Controls(platform::TComponent* root) {
  std::vector<platform::TControl*> out;
  CollectControls(root, out);
  return out;
}

// The controls of `root` that would look enabled while disabled: their palette's text colours
// (and an edit's field colour) must differ between the Disabled and the Active group.
// `checked` receives how many controls were looked at.
inline std::vector<std::string> DisabledLookFaults(platform::TComponent* root, int* checked = nullptr) {
  std::vector<std::string> faults;
  int count = 0;
  for (platform::TControl* c : Controls(root)) {
    QWidget* w = c->Widget();
    if (w == nullptr) continue;
    ++count;
    const QPalette& pal = w->palette();
    std::vector<QPalette::ColorRole> roles = {QPalette::WindowText, QPalette::Text, QPalette::ButtonText};
    if (qobject_cast<QLineEdit*>(w) != nullptr) roles.push_back(QPalette::Base);
    for (QPalette::ColorRole role : roles)
      if (pal.color(QPalette::Disabled, role) == pal.color(QPalette::Active, role))
        faults.push_back(c->Name() + ": colour role " + std::to_string(role) + " the same when disabled");
  }
  if (checked != nullptr) *checked = count;
  return faults;
}

// The grey value of the darkest pixel of a control as drawn.
inline int DarkestGrey(QWidget* w) {
  const QImage img = w->grab().toImage();
  int darkest = 255;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) darkest = std::min(darkest, qGray(img.pixel(x, y)));
  return darkest;
}

// The first row of a group box's top frame line as drawn: the first pixel that differs from
// the background, going down near its right edge.
inline int DrawnFrameTop(QWidget* box) {
  const QImage img = box->grab().toImage();
  const int x = img.width() - 4;
  if (x < 0) return 0;
  const QRgb background = img.pixel(x, 0);
  for (int y = 1; y < img.height(); ++y)
    if (img.pixel(x, y) != background) return y;
  return 0;
}

// The width of a caption as drawn, without its "&" marks.
inline int TextWidth(QWidget* w, QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return QFontMetrics(w->font()).horizontalAdvance(text);
}

// What is wrong with the layout of the controls a person sees in `root` (the shown page of a
// window, say), one line per fault: a control that sticks out of its parent, a control on a
// group box's caption or frame, two controls over each other, a caption that does not fit
// its check box, radio button or push button, a one-line label lower or (when it does not
// size itself) narrower than its text.
inline std::vector<std::string> LayoutFaults(platform::TWinControl* root) {
  std::vector<std::string> faults;
  // The controls of the description; unnamed ones are parts of a control (a spin edit's buttons).
  auto shown = [](platform::TControl* c) {
    return !c->Name().empty() && c->Widget() != nullptr && c->Widget()->isVisible();
  };
  auto name = [](platform::TControl* c) { return c->Name().empty() ? c->ClassName() : c->Name(); };
  std::vector<platform::TControl*> kids;
  for (int i = 0; i < root->ControlCount(); ++i)
    if (shown(root->Controls(i))) kids.push_back(root->Controls(i));
  const bool group = dynamic_cast<platform::TGroupBox*>(root) != nullptr;
  const int caption = QFontMetrics(root->Widget()->font()).height();
  const int frame = group ? DrawnFrameTop(root->Widget()) : 0;
  for (platform::TControl* c : kids) {
    const int l = c->Left(), t = c->Top(), r = l + c->Width(), b = t + c->Height();
    if (l < 0 || t < 0 || r > root->ClientWidth() || b > root->ClientHeight())
      faults.push_back(name(c) + " sticks out of " + name(root));
    else if (group &&
             (t < caption || t < frame + 2 || l < 2 || r > root->ClientWidth() - 2 || b > root->ClientHeight() - 2))
      faults.push_back(name(c) + " lies on the caption or frame of " + name(root));
    QWidget* w = c->Widget();
    if (auto* button = qobject_cast<QAbstractButton*>(w);
        button != nullptr &&
        (dynamic_cast<platform::TCheckBox*>(c) != nullptr || dynamic_cast<platform::TRadioButton*>(c) != nullptr)) {
      QStyleOptionButton opt;
      opt.initFrom(button);
      const bool radio = dynamic_cast<platform::TRadioButton*>(c) != nullptr;
      const int mark =
          w->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, &opt, w) +
          w->style()->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &opt,
                                  w);
      if (mark + QFontMetrics(w->font()).horizontalAdvance(button->text()) > c->Width())
        faults.push_back(name(c) + "'s caption does not fit");
    }
    if (auto* label = dynamic_cast<platform::TLabel*>(c);
        label != nullptr && !label->WordWrap() && QFontMetrics(w->font()).height() > c->Height())
      faults.push_back(name(c) + " is lower than its text");
    if (auto* label = dynamic_cast<platform::TLabel*>(c);
        label != nullptr && !label->WordWrap() && !label->AutoSize() &&
        TextWidth(w, platform::ToInterfaceQString(label->Caption())) > c->Width())
      faults.push_back(name(c) + " is narrower than its text");
    if (auto* push = qobject_cast<QPushButton*>(w); push != nullptr && TextWidth(w, push->text()) + 8 > c->Width())
      faults.push_back(name(c) + "'s caption does not fit");
  }
  for (size_t i = 0; i < kids.size(); ++i)
    for (size_t j = i + 1; j < kids.size(); ++j) {
      platform::TControl *a = kids[i], *b = kids[j];
      if (a->Left() < b->Left() + b->Width() && b->Left() < a->Left() + a->Width() &&
          a->Top() < b->Top() + b->Height() && b->Top() < a->Top() + a->Height())
        faults.push_back(name(a) + " and " + name(b) + " overlap");
    }
  for (platform::TControl* c : kids)
    if (auto* w = dynamic_cast<platform::TWinControl*>(c)) {
      const std::vector<std::string> inner = LayoutFaults(w);
      faults.insert(faults.end(), inner.begin(), inner.end());
    }
  return faults;
}

}  // namespace windowlook
