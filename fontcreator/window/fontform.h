// The font creator's window: pick an installed font, its size, style, character set and
// font type, look at the glyph sheet, its height and an enlarged letter, and write the
// .fnt file with "Create".
#pragma once

#include "controls/hintballoon.h"
#include "controls/spinedit.h"
#include "fontcreator/fontbuilder.h"
#include "fontcreator/window/fontform_components.h"
#include "localisation/langcontroller.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/colorbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/forms.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/panel.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/savedialog.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/trackbar.h"

#include <exception>
#include <string>
#include <string_view>

namespace fontcreator {

// The window's description (its controls and their handlers).
extern const char* const kForm1Description;

// The window's components and the state its parts share.
struct TForm1Parts {
  // Components, bound by name from the window description (see fontform_components.h).
#define QW_FONTFORM_FIELD(type, field, name) type* field = nullptr;
  QW_FONTFORM_COMPONENTS(QW_FONTFORM_FIELD)
#undef QW_FONTFORM_FIELD

  bool TooLarge = false;
  int Charset = platform::DEFAULT_CHARSET;
  bool Busy = false;
};

class TForm1 : public platform::TForm, private TForm1Parts {
  QW_CLASS(TForm1, platform::TForm)
public:
  explicit TForm1(platform::TComponent* owner);

  // For tests: the components and the shared state.
  TForm1Parts& Parts() { return *this; }
  const TForm1Parts& Parts() const { return *this; }

  // The last build (what the preview shows).
  const FontPreview& Preview() const { return preview_; }
  // The settings the controls give.
  FontSettings Settings() const;
  // The font type chosen in the type box (its items are in FontKind order).
  FontKind Kind() const;

  // The charset values of the menu items, in menu order.
  struct CharsetItem {
    const char* Name;
    int Charset;
  };
  static const CharsetItem kCharsetItems[12];

protected:
  std::string_view Description() const override { return kForm1Description; }
  void DeclareBindings(platform::TBinder& b) override;

private:
  // Handlers.
  void FormCreate(platform::TObject* sender);
  void FormDestroy(platform::TObject* sender);
  void OptionChange(platform::TObject* sender);
  void FontTypeCBoxChange(platform::TObject* sender);
  void SpeedButton1Click(platform::TObject* sender);
  void BitBtn3Click(platform::TObject* sender);
  void BitBtn1Click(platform::TObject* sender);
  void BitBtn2Click(platform::TObject* sender);
  void ComboBox2Change(platform::TObject* sender);
  void LangController1LanguageChanged(platform::TObject* sender);

  // The charset menu: the item's value, and the item checked alone.
  void SelectCharset(platform::TMenuItem* item);
  // The preview of the settings, and the font file too when `save` is set.
  void BuildFont(bool save, const std::string& fileName = {});
  void UpdateOptionControls();
  void SetHelpFile();
  // BuildFont without saving; a failure is shown as the application shows errors.
  void Rebuild();
  static void ShowError(const std::exception& e);

  FontPreview preview_;
};

// The picture that shows under the preview when the sheet is taller than it.
QImage MoreIndicatorPicture();
// The bitmap as a picture (palette formats through their palettes).
QImage ToQImage(const platform::Bitmap& bitmap);

}  // namespace fontcreator
