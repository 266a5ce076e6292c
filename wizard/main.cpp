// Quirewright, the builder wizard.
#include "controls/htmlhelp.h"
#include "localisation/langmanager.h"
#include "platform/system/exedir.h"
#include "platform/ui/application.h"
#include "platform/ui/consoleservices.h"
#include "wizard/mainform.h"

#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  const wizard::TProgramRun run{platform::ExecutableDir(), std::vector<std::string>(argv + 1, argv + argc)};
  // A deploy run has nobody at the screen: messages go to standard error, nothing waits.
  std::unique_ptr<platform::TConsoleServices> console;
  if (argc > 1 && std::string(argv[1]) == "-deploy") console = std::make_unique<platform::TConsoleServices>();
  app.SetTitle("Tomefalcon Builder Wizard");
  controls::InstallHtmlHelp();
  int rc = 0;
  {
    auto form = wizard::CreateBuilderWindow(run);
    form->ShowForm();
    rc = app.Run();
    if (rc == 0) rc = form->ExitCode();
  }
  if (rc == 0 && console && console->Failures() > 0) rc = 1;
  controls::UninstallHtmlHelp();
  localisation::FreeLangManager();
  return rc;
}
