// Renders the font creator's window off-screen into a PNG file to look at:
//   QT_QPA_PLATFORM=offscreen glyphkiln_shot_ui out.png [font type 0..2] [size] [language 0..4]
// The language is the entry of the window's language list (1 Russian, 2 Slovak, 3 Ukrainian,
// 4 Polish), read from the language folder beside the program.
// Only the DejaVu fonts are installed for it, so that the picture does not depend on the host.
#include "fontcreator/window/fontform.h"
#include "localisation/langmanager.h"
#include "platform/imaging/textrender.h"
#include "platform/ui/application.h"

#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s out.png [font type] [size] [language]\n", argv[0]);
    return 2;
  }
  localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
  platform::Application().Initialize(argc, argv);
  platform::UsePrivateFontDirs({"/usr/share/fonts/truetype/dejavu"});
  int status = 0;
  {
    auto form = platform::CreateForm<fontcreator::TForm1>();
    int sans = form->Parts().ComboBox1->Items()->IndexOf("DejaVu Sans");
    if (sans >= 0) form->Parts().ComboBox1->UserSelect(sans);
    if (argc > 4) form->Parts().ComboBox2->UserSelect(std::stoi(argv[4]));
    if (argc > 3) form->Parts().SizeSpin->SetValue(std::stoi(argv[3]));
    if (argc > 2) {
      form->Parts().FontTypeCBox->UserSelect(std::stoi(argv[2]));
      form->Parts().cbAntialiazed->SetChecked(true);
    }
    form->ShowForm();
    for (int i = 0; i < 5; ++i) platform::Application().ProcessMessages();
    if (!form->Widget()->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", argv[1]);
      status = 1;
    }
  }
  localisation::FreeLangManager();
  return status;
}
