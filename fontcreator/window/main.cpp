// Glyphkiln, the font creator: one window that renders an installed font into a .fnt file.
#include "controls/htmlhelp.h"
#include "fontcreator/window/fontform.h"
#include "localisation/langmanager.h"
#include "platform/ui/application.h"

int main(int argc, char** argv) {
  localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  app.SetTitle("");
  controls::InstallHtmlHelp();
  int result = 0;
  {
    auto form = platform::CreateForm<fontcreator::TForm1>();
    form->ShowForm();
    result = app.Run();
  }
  controls::UninstallHtmlHelp();
  localisation::FreeLangManager();
  return result;
}
