// Quirewright, the builder wizard.
#include "controls/htmlhelp.h"
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "wizard/mainform.h"

int main(int argc, char** argv) {
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  for (int i = 1; i < argc; ++i) wizard::TForm1::CommandLine().push_back(argv[i]);
  app.SetTitle("Tomefalcon Builder Wizard");
  controls::InstallHtmlHelp();
  int rc = 0;
  {
    auto form = platform::CreateForm<wizard::TForm1>();
    form->ShowForm();
    rc = app.Run();
  }
  controls::UninstallHtmlHelp();
  localisation::FreeLangManager();
  return rc;
}
