#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

namespace platform {

// Without replacing: a class of the same name that a program registered stays.
void RegisterStandardClasses() {
  static const bool once = [] {
    RegisterClass<TForm>(false);
    RegisterClass<TLabel>(false);
    RegisterClass<TButton>(false);
    RegisterClass<TBitBtn>(false);
    RegisterClass<TCheckBox>(false);
    RegisterClass<TRadioButton>(false);
    RegisterClass<TEdit>(false);
    RegisterClass<TMemo>(false);
    RegisterClass<TComboBox>(false);
    RegisterClass<TListBox>(false);
    RegisterClass<TGroupBox>(false);
    RegisterClass<TRadioGroup>(false);
    RegisterClass<TPanel>(false);
    RegisterClass<TBevel>(false);
    RegisterClass<TImage>(false);
    RegisterClass<TProgressBar>(false);
    RegisterClass<TNotebook>(false);
    RegisterClass<TPage>(false);
    RegisterClass<TPageControl>(false);
    RegisterClass<TTabSheet>(false);
    RegisterClass<TTimer>(false);
    RegisterClass<TPopupMenu>(false);
    RegisterClass<TMenuItem>(false);
    RegisterClass<TOpenDialog>(false);
    RegisterClass<TSaveDialog>(false);
    RegisterClass<TTrackBar>(false);
    RegisterClass<TColorBox>(false);
    RegisterClass<TSpeedButton>(false);
    RegisterClass<TScrollBox>(false);
    return true;
  }();
  (void)once;
}

}  // namespace platform
