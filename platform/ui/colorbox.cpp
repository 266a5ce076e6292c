#include "platform/ui/colorbox.h"

#include "platform/ui/application.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/services.h"
#include "platform/ui/wincontrol.h"

#include <QComboBox>
#include <QIcon>
#include <QObject>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include <algorithm>

namespace platform {

namespace {
struct ColorEntry {
  const char* Name;
  TColor Color;
};
const ColorEntry kStandard[] = {{"Black", clBlack}, {"Maroon", clMaroon}, {"Green", clGreen},   {"Olive", clOlive},
                                {"Navy", clNavy},   {"Purple", clPurple}, {"Teal", clTeal},     {"Gray", clGray},
                                {"Silver", clSilver}, {"Red", clRed},     {"Lime", clLime},     {"Yellow", clYellow},
                                {"Blue", clBlue},   {"Fuchsia", clFuchsia}, {"Aqua", clAqua}, {"White", clWhite}};
const ColorEntry kExtended[] = {{"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},
                                {"Medium Gray", 0xA4A0A0}};
const ColorEntry kSystem[] = {{"Scroll Bar", clScrollBar}, {"Background", clBackground},
                              {"Active Caption", clActiveCaption}, {"Menu", clMenu}, {"Window", clWindow},
                              {"Window Frame", clWindowFrame}, {"Menu Text", clMenuText},
                              {"Window Text", clWindowText}, {"Caption Text", clCaptionText},
                              {"Highlight", clHighlight}, {"Highlight Text", clHighlightText},
                              {"Button Face", clBtnFace}, {"Button Shadow", clBtnShadow},
                              {"Gray Text", clGrayText}, {"Button Text", clBtnText},
                              {"Button Highlight", clBtnHighlight}, {"3D Dark Shadow", cl3DDkShadow},
                              {"3D Light", cl3DLight}, {"Info Text", clInfoText}, {"Info Background", clInfoBk}};

QIcon Swatch(TColor c) {
  QPixmap px(16, 12);
  px.fill(ToQColor(c));
  QPainter p(&px);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 11);
  return QIcon(px);
}
}  // namespace

TColorBox::TColorBox(TComponent* owner) : TWinControl(owner) {
  auto* c = new QComboBox;
  SetWidget(c);
  SetTabStop(true);
  SetBounds(0, 0, 145, 22);
  Fill();
  QObject::connect(c, &QComboBox::activated, [this](int index) { DispatchEvent([&] { UserSelect(index); }); });
}

void TColorBox::Publish(TProps<TColorBox>& p) {
  p.Int("Selected", &TColorBox::Selected, &TColorBox::SetSelected);
  p.Set("Style", {"cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone", "cbIncludeDefault",
                  "cbCustomColor", "cbPrettyNames"},
        &TColorBox::Style, &TColorBox::SetStyle);
  p.Event("OnChange", &TColorBox::OnChange);
}

void TColorBox::SetStyle(unsigned s) {
  style_ = s;
  Fill();
}

void TColorBox::Fill() {
  colors_.clear();
  hasCustom_ = (style_ & cbCustomColor) != 0;
  if (hasCustom_) colors_.push_back({"Custom...", selected_});
  auto add = [&](const ColorEntry* b, const ColorEntry* e) {
    for (const ColorEntry* c = b; c != e; ++c) colors_.push_back({c->Name, c->Color});
  };
  if (style_ & cbIncludeNone) colors_.push_back({"None", clNone});
  if (style_ & cbIncludeDefault) colors_.push_back({"Default", clDefault});
  if (style_ & cbStandardColors) add(std::begin(kStandard), std::end(kStandard));
  if (style_ & cbExtendedColors) add(std::begin(kExtended), std::end(kExtended));
  if (style_ & cbSystemColors) add(std::begin(kSystem), std::end(kSystem));
  CodePageChanged();
}

void TColorBox::CodePageChanged() {
  auto* c = static_cast<QComboBox*>(Widget());
  QSignalBlocker block(c);
  c->clear();
  for (const auto& [name, color] : colors_) c->addItem(Swatch(color), ToQt(name));
  SyncIndex();
}

void TColorBox::SetSelected(TColor c) {
  selected_ = c;
  bool found = std::any_of(colors_.begin() + (hasCustom_ ? 1 : 0), colors_.end(),
                           [&](const auto& e) { return e.second == c; });
  if (!found && hasCustom_) {
    colors_[0].second = c;
    static_cast<QComboBox*>(Widget())->setItemIcon(0, Swatch(c));
  }
  SyncIndex();
}

void TColorBox::SyncIndex() {
  auto* c = static_cast<QComboBox*>(Widget());
  QSignalBlocker block(c);
  int index = -1;
  for (size_t i = hasCustom_ ? 1 : 0; i < colors_.size(); ++i)
    if (colors_[i].second == selected_) {
      index = static_cast<int>(i);
      break;
    }
  if (index < 0 && hasCustom_) index = 0;
  c->setCurrentIndex(index);
}

void TColorBox::UserSelect(int index) {
  if (index < 0 || index >= ItemCount()) return;
  if (hasCustom_ && index == 0) {
    TColor c = colors_[0].second;
    if (!Services().ChooseColor(c)) {
      SyncIndex();
      return;
    }
    colors_[0].second = c;
    static_cast<QComboBox*>(Widget())->setItemIcon(0, Swatch(c));
    selected_ = c;
  } else {
    selected_ = colors_[static_cast<size_t>(index)].second;
  }
  SyncIndex();
  if (OnChange && !Loading()) OnChange(this);
}

}  // namespace platform
