// The one fixture of the builder window tests: a window over a scratch program folder (its
// own copy of the sample archive and settings file) in a new temporary folder of its own, with
// scripted desktop services and the help topics asked for recorded.
#pragma once

#include "wizard/mainform.h"

#include "assembly/phones.h"
#include "localisation/langmanager.h"
#include "platform/ui/application.h"
#include "support/fakeservices.h"
#include "support/tempdir.h"
#include "support/windowlook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace wizard::testing {

class BuilderWindowTest : public ::testing::Test {
protected:
  // A phone table row and an interface language the tests walk with.
  static constexpr int kNokia6230 = 224;  // core 7, 128 KB
  static constexpr int kEnglishWE = 1;

  void SetUp() override {
    std::filesystem::create_directories(dir_ / "bin");
    std::filesystem::copy_file(std::filesystem::path(QW_BIN_DIR) / "quirewright.dat", dir_ / "bin" / "quirewright.dat");
    run_.ProgramDir = (dir_ / "bin").string() + "/";
    localisation::FreeLangManager();
    platform::Application().SetMainForm(nullptr);
    platform::Application().ResetTerminated();
    platform::Application().SetHelpHandler([this](int context, const std::string& file) {
      help_.push_back({context, file});
      return true;
    });
  }
  void TearDown() override {
    form_.reset();
    platform::Application().SetMainForm(nullptr);
    platform::Application().SetHelpHandler(nullptr);
    platform::Application().ResetTerminated();
    localisation::FreeLangManager();
  }

  void Create() { form_ = CreateBuilderWindow(run_); }
  void Next() { form_->Parts().NextBtn->Click(); }
  void Back() { form_->Parts().PrevBtn->Click(); }
  int Page() const { return form_->CurrentPage(); }
  // Shows a page directly and runs the page entry logic for it.
  void Enter(int page) {
    form_->ShowPage(page);
    form_->PageManager1PageChanged(form_->Parts().PageManager1);
  }
  std::string IniPath() const { return (dir_ / "bin" / "Quirewright.ini").string(); }
  std::string IniText() const {
    std::ifstream in(IniPath(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void WriteIni(const std::string& text) const { std::ofstream(IniPath(), std::ios::binary) << text; }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // A book file of one line.
  std::string BookFile(const std::string& name) const { return WriteFile(name, "Once upon a time.\n"); }
  std::string WriteFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path p = dir_ / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p.string(), std::ios::binary) << bytes;
    return p.string();
  }
  // A file of the builder's language folder in the scratch program folder.
  std::string LanguagePath(const std::string& name) const {
    return (dir_ / "bin" / "languages" / "quirewright" / name).string();
  }
  std::string WriteLanguageFile(const std::string& name, const std::string& bytes) const {
    return WriteFile("bin/languages/quirewright/" + name, bytes);
  }
  // What is wrong with the layout of every page of the shown window, one line per fault:
  // in the full and the lite edition, with the advanced options hidden and shown, on every
  // tab of them, with the build progress and the final note (`note`, its link `link`) shown.
  std::vector<std::string> PageLayoutFaults(const std::string& note, const std::string& link) {
    // Shown in a build and for phones with a file system of their own.
    form_->Parts().BuildProgressGroup->SetVisible(true);
    form_->Parts().pnFinalNote->SetVisible(true);
    form_->Parts().lbFinalNote->SetCaption(note);
    form_->Parts().ulFinalNote->SetCaption(link);
    std::vector<std::string> faults;
    auto look = [&](const std::string& where) {
      for (const std::string& f : windowlook::LayoutFaults(form_.get())) faults.push_back(where + ": " + f);
    };
    for (platform::TRadioButton* edition : {form_->Parts().rbFullVersion, form_->Parts().rbLiteVersion}) {
      edition->SetChecked(true);
      for (platform::TRadioButton* advanced :
           {form_->Parts().rbHideAdvancedOptions, form_->Parts().rbShowAdvancedOptions}) {
        advanced->SetChecked(true);
        for (int page = 0; page < kPageCount; ++page) {
          form_->ShowPage(page);
          form_->UpdateControls();
          const std::string where = edition->Name() + ", " + advanced->Name() + ", page " + std::to_string(page);
          if (page != pgAdvancedOptions || !form_->Parts().tcAdvancedOptions->Visible()) {
            look(where);
            continue;
          }
          for (int tab = 0; tab < form_->Parts().tcAdvancedOptions->PageCount(); ++tab) {
            form_->Parts().tcAdvancedOptions->SetActivePageIndex(tab);
            look(where + ", tab " + std::to_string(tab));
          }
        }
      }
    }
    return faults;
  }
  // The first ordinary row of the phone table that satisfies `pred`.
  template <class P> static int FindRow(P pred) {
    for (int i = 0; i < assembly::kCustomPhoneListRow; ++i)
      if (pred(assembly::PhoneTable[static_cast<std::size_t>(i)])) return i;
    return -1;
  }

  testing_support::TempDir tmp_;  // a folder of its own for every test
  platform::TFakeServices services_;
  // The program folder and command line the next Create() gives the window.
  TProgramRun run_;
  platform::TOwned<TForm1> form_;
  std::vector<std::pair<int, std::string>> help_;  // help context and file of each request
  const std::filesystem::path dir_ = tmp_.Path();
};

}  // namespace wizard::testing
