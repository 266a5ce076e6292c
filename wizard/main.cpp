// Quirewright, the builder wizard.
#include "controls/htmlhelp.h"
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "wizard/mainform.h"

#include <memory>
#include <string>

int main(int argc, char** argv) {
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  for (int i = 1; i < argc; ++i) wizard::TForm1::CommandLine().push_back(argv[i]);
  // A deploy run has nobody at the screen: messages go to standard error, nothing waits.
  std::unique_ptr<platform::TConsoleServices> console;
  if (argc > 1 && std::string(argv[1]) == "-deploy") console = std::make_unique<platform::TConsoleServices>();
  app.SetTitle("Tomefalcon Builder Wizard");
  controls::InstallHtmlHelp();
  int rc = 0;
  {
    auto form = platform::CreateForm<wizard::TForm1>();
    form->ShowForm();
    rc = app.Run();
  }
  if (rc == 0) rc = wizard::TForm1::ExitCode();
  if (rc == 0 && console && console->Failures() > 0) rc = 1;
  controls::UninstallHtmlHelp();
  localisation::FreeLangManager();
  return rc;
}
