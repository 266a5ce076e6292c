// Renders a window description to a PNG file, so that a person can look at the window
// as the layer draws it on Linux fonts.
//
//   render_ui <out.png> [description file]
//
// Without a description file it renders a test window with every control kind. Run it
// with QT_QPA_PLATFORM=offscreen when there is no display.
#include "controls/controlclasses.h"
#include "localisation/langcontroller.h"
#include "platform/components/description.h"
#include "platform/ui/classes.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace platform;

namespace {

const char* const kTestWindow = R"(
object TestWindow: TForm
  Caption = 'Window layer test'
  ClientWidth = 494
  ClientHeight = 358
  BorderStyle = bsDialog
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  object Notebook1: TNotebook
    Width = 494
    Height = 313
    Align = alTop
    object TPage
      Caption = 'AllControls'
      object Label1: TLabel
        Left = 12
        Top = 12
        Caption = '&Midlet name:'
        FocusControl = Edit1
      end
      object Edit1: TEdit
        Left = 100
        Top = 8
        Width = 150
        Text = 'MyMidlet'
      end
      object GroupBox1: TGroupBox
        Left = 12
        Top = 40
        Width = 160
        Height = 90
        Caption = 'Edition'
        object RadioButton1: TRadioButton
          Left = 10
          Top = 20
          Caption = 'Full version'
          Checked = True
        end
        object RadioButton2: TRadioButton
          Left = 10
          Top = 42
          Caption = 'Lite version'
        end
        object CheckBox1: TCheckBox
          Left = 10
          Top = 64
          Width = 140
          Caption = 'With ZIP support'
          Checked = True
        end
      end
      object ComboBox1: TComboBox
        Left = 190
        Top = 44
        Width = 150
        Style = csDropDownList
        Items = ('Black and white' 'Color' 'ClearType')
        ItemIndex = 1
      end
      object ListBox1: TListBox
        Left = 190
        Top = 72
        Width = 150
        Height = 58
        Items = ('book1.txt' 'book2.htm')
      end
      object RadioGroup1: TRadioGroup
        Left = 352
        Top = 40
        Width = 130
        Height = 90
        Caption = 'Pictures'
        Items = ('16 colours' '64 colours' '256 colours')
        ItemIndex = 1
      end
      object Memo1: TMemo
        Left = 12
        Top = 140
        Width = 160
        Height = 60
        Lines = ('An introduction' 'of two lines')
        ScrollBars = ssVertical
      end
      object PageControl1: TPageControl
        Left = 190
        Top = 140
        Width = 292
        Height = 100
        object TabSheet1: TTabSheet
          Caption = 'Storage'
          object TrackBar1: TTrackBar
            Left = 8
            Top = 8
            Width = 150
            Height = 30
            Position = 5
          end
        end
        object TabSheet2: TTabSheet
          Caption = 'Screen'
        end
      end
      object Panel1: TPanel
        Left = 12
        Top = 210
        Width = 160
        Height = 40
        BevelOuter = bvLowered
        Caption = 'A sunken panel'
      end
      object ColorBox1: TColorBox
        Left = 190
        Top = 250
        Width = 150
        Selected = clNavy
      end
      object SpeedButton1: TSpeedButton
        Left = 350
        Top = 250
        Caption = 'C'
      end
      object ProgressBar1: TProgressBar
        Left = 12
        Top = 262
        Width = 160
        Max = 100
        Position = 60
      end
    end
  end
  object Bevel1: TBevel
    Left = 0
    Top = 313
    Width = 494
    Height = 2
    Shape = bsTopLine
  end
  object BitBtn5: TBitBtn
    Left = 12
    Top = 325
    Caption = '&Help'
  end
  object PrevBtn: TButton
    Left = 248
    Top = 325
    Caption = '< Back'
    Enabled = False
  end
  object NextBtn: TButton
    Left = 324
    Top = 325
    Caption = 'Next >'
    Default = True
  end
  object CancelBtn: TButton
    Left = 408
    Top = 325
    Caption = 'Cancel'
  end
end
)";

class TRenderedForm : public TForm {
public:
  explicit TRenderedForm(std::string text) : TForm(nullptr), text_(std::move(text)) {}

protected:
  std::string_view Description() const override { return text_; }
  TReadOptions ReadOptions() const override {
    TReadOptions o;
    o.IgnoreMissingHandlers = true;
    return o;
  }

private:
  std::string text_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <out.png> [description file]\n", argv[0]);
    return 2;
  }
  try {
    QApplication app(argc, argv);
    RegisterStandardClasses();
    controls::RegisterControlClasses();
    localisation::RegisterLangControllerClass();
    std::string text = kTestWindow;
    if (argc == 3) {
      std::ifstream f(argv[2], std::ios::binary);
      if (!f) throw std::runtime_error(std::string("Cannot read ") + argv[2]);
      std::stringstream s;
      s << f.rdbuf();
      text = s.str();
      size_t open = text.find("R\"qwd(");
      if (open != std::string::npos) text = text.substr(open + 6, text.find(")qwd\"", open) - open - 6);
    }
    TOwned<TRenderedForm> form(new TRenderedForm(text));
    form->InitializeForm();
    form->ShowForm();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    QPixmap shot = form->Widget()->grab();
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) throw std::runtime_error("Cannot write the picture");
    std::fprintf(stderr, "%s: %dx%d\n", argv[1], shot.width(), shot.height());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "render_ui: %s\n", e.what());
    return 1;
  }
}
