// Renders every page of the builder wizard offscreen to PNG files, so that a person can look
// at the window without a display:
//   wizard_shot_ui [--lite|--tiny] [--advanced] [--language id] <output folder> [page ...]
// Each page is shown with its controls brought up to date, as on entering it; --lite and
// --tiny choose that edition first, --advanced shows the advanced options, --language shows
// the pages in a language of the language folder beside the program (1049, 1051, 1058).
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "support/fakeservices.h"
#include "wizard/mainform.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <utility>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string edition, folder;
  bool advanced = false;
  int language = 0;
  std::vector<int> pages;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--language" && i + 1 < args.size()) language = std::atoi(args[++i].c_str());
    else if (a == "--lite" || a == "--tiny") edition = a;
    else if (a == "--advanced")
      advanced = true;
    else if (folder.empty())
      folder = a;
    else
      pages.push_back(std::atoi(a.c_str()));
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: %s [--lite|--tiny] [--advanced] [--language id] <output folder> [page ...]\n",
                 argv[0]);
    return 2;
  }
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  platform::TFakeServices services;  // no message boxes or dialogs pop up
  if (folder.back() != '/') folder += '/';
  QDir().mkpath(QString::fromStdString(folder));
  if (pages.empty())
    for (int i = 0; i < wizard::kPageCount; ++i) pages.push_back(i);
  int written = 0;
  {
    auto form = platform::CreateForm<wizard::TForm1>();
    form->ShowForm();
    if (language != 0) {
      // Chosen on the first page as a user does, so that the welcome page keeps it.
      wizard::TForm1Parts& p = form->Parts();
      for (auto [id, button] : {std::pair{1049, p.RadioButton5}, std::pair{1051, p.RadioButton2},
                                std::pair{1058, p.RadioButton3}, std::pair{1045, p.RadioButton1}})
        if (id == language) button->SetChecked(true);
      localisation::LangManager().SwitchLanguage(static_cast<uint16_t>(language));
    }
    if (edition == "--lite") form->Parts().rbLiteVersion->SetChecked(true);
    if (edition == "--tiny") form->Parts().rbTinyVersion->SetChecked(true);
    if (advanced) form->Parts().rbShowAdvancedOptions->SetChecked(true);
    for (int page : pages) {
      form->ShowPage(page);
      form->UpdateControls();
      form->Parts().PageManager1->CheckButtons();
      QApplication::processEvents();
      QImage shot = form->Widget()->grab().toImage();
      std::string name = folder + "page" + std::to_string(page) + ".png";
      if (shot.save(QString::fromStdString(name))) {
        std::printf("%s\n", name.c_str());
        ++written;
      }
    }
    for (const auto& m : services.messages) std::printf("message: %s\n", m.text.c_str());
  }
  localisation::FreeLangManager();
  return written == static_cast<int>(pages.size()) ? 0 : 1;
}
