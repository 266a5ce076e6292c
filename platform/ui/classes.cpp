#include "platform/ui/classes.h"

#include "platform/ui/bevel.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/colorbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/edit.h"
#include "platform/ui/forms.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/memo.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/notebook.h"
#include "platform/ui/opendialog.h"
#include "platform/ui/page.h"
#include "platform/ui/pagecontrol.h"
#include "platform/ui/panel.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/progressbar.h"
#include "platform/ui/radiobutton.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/savedialog.h"
#include "platform/ui/scrollbox.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/tabsheet.h"
#include "platform/ui/timer.h"
#include "platform/ui/trackbar.h"

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
