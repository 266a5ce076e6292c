#include "fontcreator/window/fontform.h"

#include "assembly/utils.h"
#include "controls/controlclasses.h"
#include "controls/htmlhelp.h"
#include "fontcreator/fontfolder.h"
#include "localisation/langcontroller.h"
#include "localisation/langmanager.h"
#include "platform/imaging/textrender.h"
#include "platform/system/exedir.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/qtbridge.h"

#include <QPainter>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

namespace fontcreator {

using namespace platform;

const TForm1::CharsetItem TForm1::kCharsetItems[12] = {
    {"DEFAULTCHARSET1", 1},   {"Arabiccharset1", 178}, {"Easteuropecharset1", 238},
    {"Greekcharset1", 161},   {"Johabcharset1", 130},  {"Hebrewcharset1", 177},
    {"Russincharset1", 204},  {"urkishcharset1", 162}, {"Vietnamesecharset1", 163},
    {"ANSIcharset1", 0},      {"OEMcharset1", 255},    {"MACchrset1", 77},
};

namespace {

std::string Text(std::string_view name) { return localisation::LangManager().TextByName(name); }

// The interface languages of the language box, in its order (0: the default language).
constexpr uint16_t kLanguageIds[] = {0, 1049, 1051, 1058, 1045};

constexpr const char* kNoFontText = "There is no installed font to make a font from.";

}  // namespace

QImage MoreIndicatorPicture() {
  // A dotted line with a small arrow pointing down in its middle, on a transparent key
  // colour (the bottom-left pixel).
  QImage image(147, 7, QImage::Format_RGB32);
  const QRgb key = qRgb(255, 0, 255);
  image.fill(key);
  for (int x = 0; x < 147; x += 3) image.setPixel(x, 3, qRgb(0, 0, 0));
  for (int j = 0; j < 4; ++j)
    for (int i = -3 + j; i <= 3 - j; ++i) image.setPixel(73 + i, 2 + j, qRgb(0, 0, 0));
  image.setPixel(0, 6, key);
  return image;
}

QImage ToQImage(const Bitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) {
      Rgb c = bitmap.GetPixel(x, y);
      line[x] = qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return image;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {}

void TForm1::DeclareBindings(TBinder& b) {
  controls::RegisterControlClasses();
  localisation::RegisterLangControllerClass();
#define QW_FONTFORM_BIND(type, field, name) b.Field(#name, field);
  QW_FONTFORM_COMPONENTS(QW_FONTFORM_BIND)
#undef QW_FONTFORM_BIND

  b.Handler("FormCreate", this, &TForm1::FormCreate);
  b.Handler("FormDestroy", this, &TForm1::FormDestroy);
  for (const char* option : {"ComboBox1Change", "SizeSpinChange", "CheckBox1Click", "CheckBox2Click", "CheckBox3Click",
                             "cbAntialiazedClick", "trbContrastChange", "cbTextColorChange", "cbBackgroundColorChange"})
    b.Handler(option, this, &TForm1::OptionChange);
  b.Handler("FontTypeCBoxChange", this, &TForm1::FontTypeCBoxChange);
  b.Handler("SpeedButton1Click", this, &TForm1::SpeedButton1Click);
  b.Handler("BitBtn3Click", this, &TForm1::BitBtn3Click);
  b.Handler("BitBtn1Click", this, &TForm1::BitBtn1Click);
  b.Handler("BitBtn2Click", this, &TForm1::BitBtn2Click);
  b.Handler("ComboBox2Change", this, &TForm1::ComboBox2Change);
  b.Handler("LangController1LanguageChanged", this, &TForm1::LangController1LanguageChanged);
  for (const CharsetItem& item : kCharsetItems) {
    const int charset = item.Charset;
    b.HandlerValue(std::string(item.Name) + "Click", TNotifyEvent([this, charset](TObject* sender) {
                     Charset = charset;
                     SelectCharset(dynamic_cast<TMenuItem*>(sender));
                   }));
  }
}

void TForm1::FormCreate(TObject*) {
  RegisterFonts(true);
  Charset = DEFAULT_CHARSET;
  localisation::LangManager().RegisterLanguageFolder(
      localisation::LanguageFolder(ExecutableDir(), localisation::TProgram::Glyphkiln), "*.lng", false);
  controls::UseBalloonHints(HintBalloonControl1);
  SetCaption(Text("AppTitle"));
  Application().SetTitle(Caption());
  {
    QImage blank(200, 200, QImage::Format_Mono);
    blank.fill(1);
    Image1->SetPicture(blank);
  }
  Image2->SetPicture(MoreIndicatorPicture());
  ComboBox1->Items()->Clear();
  for (const std::string& family : ScreenFontFamilies()) ComboBox1->Items()->Add(family);
  ComboBox1->SetItemIndex(ComboBox1->Items()->Count() > 0 ? 0 : -1);
  UpdateOptionControls();
  Rebuild();
  Busy = false;
  Application().SetHintPause(1200);
  SetHelpFile();
}

void TForm1::FormDestroy(TObject*) {
  if (HintBalloonControl1 != nullptr) controls::UseBalloonHints(nullptr);
  RegisterFonts(false);
}

FontKind TForm1::Kind() const { return static_cast<FontKind>(FontTypeCBox->ItemIndex()); }

FontSettings TForm1::Settings() const {
  FontSettings s;
  s.FontType = Kind();
  s.FaceName = ComboBox1->Text();
  s.Charset = Charset;
  s.Antialiased = cbAntialiazed->Checked();
  s.UpperCase = CheckBox3->Checked();
  s.Italic = CheckBox2->Checked();
  s.Bold = CheckBox1->Checked();
  s.Brightness = static_cast<float>(trBrightness->Position()) / 10.0f;
  s.Contrast = static_cast<float>(trbContrast->Position()) / 10.0f;
  s.BackgroundColor = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(cbBackgroundColor->Selected())));
  s.TextColor = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(cbTextColor->Selected())));
  s.Size = SizeSpin->Value();
  return s;
}

void TForm1::BuildFont(bool save, const std::string& fileName) {
  // Without any installed font there is nothing to render, and nothing to save.
  if (ComboBox1->ItemIndex() < 0) {
    if (save) throw std::runtime_error(kNoFontText);
    return;
  }
  Busy = true;
  struct ClearBusy {
    bool& Busy;
    ~ClearBusy() { Busy = false; }
  } clear{Busy};

  preview_ = save ? SaveFont(Settings(), fileName) : fontcreator::BuildFont(Settings());

  Label4->SetCaption(Text("FontHeightLabel") + " " + std::to_string(preview_.Height));
  TooLarge = preview_.TooLarge;
  lbTooLargeFont->SetCaption(TooLarge ? Text("TooLargeFontLabel") : std::string());

  Image1->SetPicture(ToQImage(preview_.Sheet));
  Image2->SetVisible(preview_.Sheet.Height() > Image1->Height());

  // The enlarged letter keeps clear of the sheet shown above it: enlarged less when four
  // times would cover part of it.
  const int sheetBottom = Image1->Top() + std::min(preview_.Sheet.Height(), Image1->Height());
  int factor = 4;
  while (factor > 1 && Panel1->Height() - 4 - (factor * preview_.Height + 2) < sheetBottom) --factor;
  const QImage zoom = ToQImage(factor == 4 ? preview_.Zoom : fontcreator::ShrinkZoom(preview_.Zoom, factor));
  imgZoom->SetBounds(Panel1->Width() - zoom.width() - 4, Panel1->Height() - zoom.height() - 4, zoom.width(),
                     zoom.height());
  imgZoom->SetPicture(zoom);
  Image1->Invalidate();
}

void TForm1::OptionChange(TObject*) {
  if (!Busy) Rebuild();
}

void TForm1::Rebuild() {
  try {
    BuildFont(false);
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void TForm1::ShowError(const std::exception& e) {
  // What the application's default error handler does with a failure.
  Application().HandleException(e);
}

void TForm1::UpdateOptionControls() {
  const FontKind kind = Kind();
  if (kind == FontKind::BlackWhite) {
    cbTextColor->SetSelected(clBlack);
    cbBackgroundColor->SetSelected(clWhite);
  }
  const bool color = kind == FontKind::Color;
  const bool colors = kind == FontKind::Color || kind == FontKind::ClearType;
  for (TControl* c : {static_cast<TControl*>(cbAntialiazed), static_cast<TControl*>(Label8),
                      static_cast<TControl*>(trbContrast), static_cast<TControl*>(Label9),
                      static_cast<TControl*>(trBrightness)})
    c->SetEnabled(color);
  for (TControl* c : {static_cast<TControl*>(Label6), static_cast<TControl*>(cbTextColor),
                      static_cast<TControl*>(Label7), static_cast<TControl*>(cbBackgroundColor)})
    c->SetEnabled(colors);
}

void TForm1::FontTypeCBoxChange(TObject*) {
  if (Kind() == FontKind::ClearType && !IsWindowsXP()) {
    Application().MessageBox(Text("ClearTypeWinXP"), "ClearType", TMsgIcon::None);
    FontTypeCBox->SetItemIndex(static_cast<int>(FontKind::Color));
  }
  UpdateOptionControls();
  if (!Busy) Rebuild();
}

void TForm1::SelectCharset(TMenuItem* item) {
  for (const CharsetItem& entry : kCharsetItems)
    if (auto* other = dynamic_cast<TMenuItem*>(FindComponent(entry.Name))) other->SetChecked(other == item);
  if (!Busy) Rebuild();
}

void TForm1::SpeedButton1Click(TObject*) {
  const TPoint p = SpeedButton1->ClientToScreen({10, 10});
  PopupMenu1->Popup(p.X, p.Y);
}

void TForm1::BitBtn3Click(TObject*) {
  if (ComboBox1->ItemIndex() < 0) {
    Application().MessageBox(kNoFontText, Application().Title(), TMsgIcon::Error);
    return;
  }
  if (TooLarge) {
    Application().MessageBox(Text("TooLargeFontText"), Text("TooLargeFontTitle"), TMsgIcon::Warning);
    return;
  }
  SaveDialog1->SetFileName("*.fnt");
  if (!SaveDialog1->Execute()) return;
  const std::string path = SaveDialog1->FileName();
  for (unsigned char c : assembly::ExtractNameOnly(path))
    if (c >= 128) {
      Application().MessageBox(Text("BadFileNameText"), Text("BadFileNameTitle"), TMsgIcon::Error);
      return;
    }
  try {
    BuildFont(true, path);
  } catch (const std::exception& e) {
    ShowError(e);
    return;
  }
  Application().MessageBox(Text("InfoMsgBoxText"), Text("InfoMsgBoxTitle"), TMsgIcon::Information);
}

void TForm1::BitBtn1Click(TObject*) { Application().HelpContext(49); }

void TForm1::BitBtn2Click(TObject*) { Close(); }

void TForm1::ComboBox2Change(TObject*) {
  const int type = FontTypeCBox->ItemIndex();
  const int index = ComboBox2->ItemIndex();
  uint16_t id = index > 0 && index < static_cast<int>(std::size(kLanguageIds)) ? kLanguageIds[index] : 0;
  if (id == 0) id = localisation::LangManager().BuiltInLanguageId();
  try {
    localisation::LangManager().SwitchLanguage(id);
  } catch (const std::exception& e) {
    // The language stays as it was, and so does the list entry that shows it.
    const uint16_t current = localisation::LangManager().CurrentLanguageId();
    int shown = 0;
    for (int i = 1; i < static_cast<int>(std::size(kLanguageIds)); ++i)
      if (kLanguageIds[i] == current) shown = i;
    ComboBox2->SetItemIndex(shown);
    ShowError(e);
    return;
  }
  // The window's 8-bit texts are shown in the code page of the language.
  SetInterfaceLanguage(localisation::LangManager().CurrentLanguageId());
  // The translation refills both lists: each choice comes back when its list still holds it,
  // else the list's first entry is shown.
  for (const auto& [box, choice] : {std::pair{FontTypeCBox, type}, std::pair{ComboBox2, index}}) {
    const int count = box->Items()->Count();
    box->SetItemIndex(choice >= 0 && choice < count ? choice : (count > 0 ? 0 : -1));
  }
  SetHelpFile();
  if (!Busy) Rebuild();
}

void TForm1::LangController1LanguageChanged(TObject*) { SetHelpFile(); }

void TForm1::SetHelpFile() {
  Application().SetHelpFile(
      controls::ManualHelpFile(ExecutableDir(), ComboBox2->ItemIndex() == 1 ? "tomefalcon_ru.chm" : "tomefalcon_en.chm"));
}

}  // namespace fontcreator
