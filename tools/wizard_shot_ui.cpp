// Renders every page of the builder wizard offscreen to PNG files, so that a person can look
// at the window without a display: wizard_shot_ui <output folder> [page ...]
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "platform/ui/fakeservices.h"
#include "wizard/mainform.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder> [page ...]\n", argv[0]);
    return 2;
  }
  platform::TApplication& app = platform::Application();
  app.Initialize(argc, argv);
  platform::TFakeServices services;  // no message boxes or dialogs pop up
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';
  std::vector<int> pages;
  for (int i = 2; i < argc; ++i) pages.push_back(std::atoi(argv[i]));
  if (pages.empty())
    for (int i = 0; i < wizard::kPageCount; ++i) pages.push_back(i);
  int written = 0;
  {
    auto form = platform::CreateForm<wizard::TForm1>();
    form->ShowForm();
    for (int page : pages) {
      form->ShowPage(page);
      form->PageManager1->CheckButtons();
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
