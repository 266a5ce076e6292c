// The builder's main window: a fixed-size dialog whose body is a notebook of fifteen wizard
// pages (page numbers and ids in pagerules.h). Its components come from the window
// description in mainform_dfm.cpp; the event handlers are bound by name.
//
// Files of this window:
//   mainform_components.h
//                     the named components, each once (fields and bindings)
//   mainform.cpp      start-up, Cancel/Finish, language change, page order, page entry,
//                     control states, option handlers, help
//   bookfiles_form.cpp
//                     the book files page
//   helplinks_form.cpp
//                     the link labels' balloons
//   settings_form.cpp the settings file (save, advanced options), through the window's
//                     TSettingsStore (settingsstore.cpp)
//   fontspage_form.cpp
//                     the fonts page's handlers and the JAR size estimate; the page
//                     itself (slots, presets, fit) is TFontsPage (fontspage.cpp)
//   buildrecord*.cpp  the build record, picture settings and introduction text
//   batch*.cpp        starting a build and the batch modes (their order and rules in
//                     batchplan.cpp, their records and runs in batchrun.cpp)
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/midletconfig.h"
#include "assembly/phonelist.h"
#include "assembly/phones.h"
#include "assembly/zipfile.h"
#include "controls/hintballoon.h"
#include "controls/pagemanager.h"
#include "controls/spinedit.h"
#include "controls/urllabel.h"
#include "controls/wizardheader.h"
#include "localisation/langcontroller.h"
#include "platform/system/inifile.h"
#include "platform/ui/bevel.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
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
#include "platform/ui/services.h"
#include "platform/ui/speedbutton.h"
#include "wizard/batchrun.h"
#include "wizard/fontspage.h"
#include "wizard/mainform_components.h"
#include "wizard/pagerules.h"
#include "wizard/settingsstore.h"
#include "wizard/settingsvalues.h"
#include "wizard/updatingscope.h"
#include "wizard/windowclasses.h"

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace wizard {

extern const char* const kForm1Description;

// The window's components and the state its parts share. The window keeps them private;
// tests reach them through TForm1::Parts().
struct TForm1Parts {
  // --- components (bound by name from the window description; see mainform_components.h) ---
#define QW_FORM1_FIELD(type, field, name) type* field = nullptr;
  QW_FORM1_COMPONENTS(QW_FORM1_FIELD)
#undef QW_FORM1_FIELD
  std::array<platform::TPage*, kPageCount> Pages{};            // Notebook1's pages
  std::array<controls::TWizardHeader*, kPageCount> Headers{};  // WizardHeader2..14 at their page
  std::array<platform::TComboBox*, 6> FontBoxes{};             // [1..5] = cbFont1..cbFont5
  std::array<platform::TCheckBox*, 6> NegativeBoxes{};         // [1..5] = cbNegative1..cbNegative5
  std::array<controls::TUrlLabel*, 27> UrlLabels{};            // [1..26] = UrlLabel1..UrlLabel26

  // --- state shared by the window's parts ---
  std::unique_ptr<assembly::TZipFile> FResArchive;
  assembly::TFontCatalogue FFontCatalogue;
  std::array<bool, kPageCount> FPageVisited{};
  bool FJarLimitWarned = false;
  // Core and key layout descriptions in the current language.
  std::array<std::string, 10> FCoreDescs;
  std::array<std::string, 14> FKeysConfigDescs;
};

// What the program gives its window: the program folder (with a trailing '/') that holds the
// archive, settings file, language files and manual, and the command line (argv without the
// program).
struct TProgramRun {
  std::string ProgramDir;
  std::vector<std::string> CommandLine;
};

class TForm1 : public platform::TForm, public assembly::BuildHost, private TForm1Parts {
  QW_CLASS(TForm1, platform::TForm)
public:
  // A window of the program in the executable's folder, without a command line.
  explicit TForm1(platform::TComponent* owner);
  TForm1(platform::TComponent* owner, TProgramRun run);
  ~TForm1() override;

  // For tests: the components and the shared state.
  TForm1Parts& Parts() { return *this; }
  const TForm1Parts& Parts() const { return *this; }
  // The settings file and the files it remembers.
  TSettingsStore& SettingsStore() { return *FSettings; }
  // The fonts page (there from the window's creation on).
  TFontsPage& FontsPage() { return *FFontsPage; }

  // The program folder (with a trailing '/') and the settings file in it.
  const std::string& ProgramDir() const { return FRun.ProgramDir; }
  platform::TIniFile Settings() const;
  // The program's exit status: not 0 when a deploy run did not write every pair it was asked for.
  int ExitCode() const { return FExitCode; }

protected:
  std::string_view Description() const override { return kForm1Description; }
  void DeclareBindings(platform::TBinder& b) override;
  void DeclareHandlers(platform::TBinder& b);

private:
  TProgramRun FRun;
  int FExitCode = 0;
  // State shared by the window's parts.
  bool FUpdating = false;
  int FEnteredPage = 0;                 // the page whose entry logic ran last
  int FDisabledDepth = 0;               // builds and batches that have the window disabled
  std::unique_ptr<TSettingsStore> FSettings;
  std::unique_ptr<TFontsPage> FFontsPage;
  // The last message of a failed trial build, not shown again while trial builds fail the same
  // way.
  std::string FTrialBuildFault;
  // The resource archive beside the program, and a start-up message about it.
  std::string ArchivePath() const;
  platform::TMessage ArchiveProblem(const std::exception& e) const;
  // True when the archive was loaded at start-up; else says that nothing can be built.
  bool ArchiveLoaded();

  // --- start-up, Cancel/Finish, language ---
public:
  void CancelBtnClick(platform::TObject* sender);
  void lcMainLanguageChanged(platform::TObject* sender);

private:
  void FormCreate(platform::TObject* sender);
  // The steps of the start-up: the controls' text kinds and glyphs, the resource archive, the
  // phone model and key layout lists, the archive's font catalogue.
  void SetUpControls();
  void LoadArchive();
  void FillModelLists();
  void LoadFontCatalogue();
  void FormShow(platform::TObject* sender);
  void FormDestroy(platform::TObject* sender);

  // --- page order and page entry ---
public:
  void PageManager1PageChanged(platform::TObject* sender);
  int CurrentPage() const { return Notebook1->PageIndex(); }
  // The page now shown takes the step (its row of the page table).
  bool OnPage(TPageStep step) const { return PageTakes(CurrentPage(), step); }
  // Sets the notebook's page directly (no page manager events).
  void ShowPage(int page) { Notebook1->SetPageIndex(page); }
  const assembly::TPhoneListItem& Model() const;

private:
  TRoadChoices RoadChoices() const;
  void PageManager1GetNextPage(int currentPage, int& newPage);
  void PageManager1GetPriorPage(int currentPage, int& newPage);
  // The steps of the page entry, in their order; a Refuse step that returns true has shown
  // another page and a message, and ends the entry.
  void ShowPageButtons();
  bool RefuseUnsupportedModel();
  bool RestorePageOnFirstVisit();  // true when the page was restored now
  void MarkFontsForReset();
  bool RefuseFontsOverJarLimit();
  void RefuseUnreadableBookFiles();
  void SetKeyLayoutFromModel();
  void SetStorageFolderFromModel();
  void SetUpPhoneModelPage(bool restored);
  bool RefuseMissingPhonesList();
  void DressFinishPage();
  void RefuseInvalidNameOrTitle();
  void OfferInterfaceLanguagesOfEdition();
  // The selected phone model row (-1: none) and its table entry (row 0 when none).
  int ModelRow() const { return cbPhoneModel->ItemIndex(); }
  bool IsListRow() const { return ModelRow() == assembly::kCustomPhoneListRow; }
  bool IsSavedModel() const;

  // --- control states and option handlers ---
public:
  void UpdateControls();
  uint8_t GetInterfaceLanguage() const;
  void SetInterfaceLanguage(uint8_t index);
  std::array<platform::TRadioButton*, 11> InterfaceLanguageButtons() const;
  void btnRestartClick(platform::TObject* sender);

private:
  // Switches to the wizard language of the checked button of page 0; a language that cannot
  // be loaded is reported and the current one (and its button) stays.
  void SwitchWizardLanguage();
  void UpdateKeysConfigDesc();
  void cbPhoneModelChange(platform::TObject* sender);
  void cbKeysConfigChange(platform::TObject* sender);
  void cbHideAdvancedOptionsClick(platform::TObject* sender);
  void rbHideAdvancedOptionsClick(platform::TObject* sender);
  void cbBacklightControlMethodClick(platform::TObject* sender);

  // --- checks and help ---
  void cbCustomHelpFileClick(platform::TObject* sender);
  void btnCustomHelpFileClick(platform::TObject* sender);
  void BitBtn5Click(platform::TObject* sender);
  void ulFinalNoteClick(platform::TObject* sender);
  // Sets the application's help file to manual/<name> in the parent of the program folder.
  void SetHelpFile(const std::string& name);

  // --- book files page (bookfiles_form.cpp) ---
public:
  std::vector<std::string> BookFiles() const;

private:
  void BitBtn4Click(platform::TObject* sender);
  void BitBtn2Click(platform::TObject* sender);
  void BitBtn3Click(platform::TObject* sender);
  void SpeedButton1Click(platform::TObject* sender);
  void SpeedButton2Click(platform::TObject* sender);

  // --- help links (helplinks_form.cpp) ---
  // The balloon of a link label: its caption and hint (the handler of UrlLabel1, 3..13).
  void ShowLabelBalloon(platform::TObject* sender);
  void UrlLabel22Click(platform::TObject* sender);

  // --- messages (named texts) ---
public:
  static std::string Text(const char* name);

private:
  void Message(const std::string& text, const std::string& caption, platform::TMsgIcon icon);

  // --- assembly::BuildHost ---
  void ShowMessage(const std::string& text, const std::string& caption, assembly::MessageIcon icon) override;
  void ShowComposedMessage(const platform::TMessage& text, const std::string& caption,
                           assembly::MessageIcon icon) override;
  void RequestTerminate() override;
  void SetProgress(int position, int max) override;
  void SetStatus(const std::string& text) override;
  void ProcessMessages() override;
  void SetWindowEnabled(bool enabled) override;

  // --- settings, fonts page, JAR estimate, build record, builds and batches ---
  // (settings_form.cpp, fontspage_form.cpp, buildrecord_form.cpp, batch_form.cpp)
public:
  // False (and the user told by the caller) when the settings file cannot be written;
  // `reason` then says why.
  bool SaveSettings(std::string* reason = nullptr);
  void LoadAdvancedOptions();
  void ResetAdvancedOptions();

  // The font packs of the preset menu but "No fonts": the handler of each of their items.
  void FontPackClick(platform::TObject* sender);
  void Nofonts1Click(platform::TObject* sender);

  std::optional<int32_t> EstimateJarSize();

  void CollectMidletConfig(assembly::TMIDLETCONFIG& config);
  // The window's values a build reads (book files, names, title lines, help file, intro,
  // picture settings).
  void CollectBuildInputs(assembly::BuildInputs& inputs);

  bool StartBuild();
  bool BuildDeployVersions(const std::string& prefix, const std::string& only);
  bool BuildFromPhonesList(const std::string& folder);

private:
  void SetUpFontsPage();
  int32_t GetJarLimitKB() const;
  void cbFont1Change(platform::TObject* sender);
  void BitBtn1Click(platform::TObject* sender);
  void cbNegative1Click(platform::TObject* sender);
  void GetImageConversionParameters(assembly::TImageConversionParameters& params);
  std::string GetIntroText();
  void SetImageColors(uint8_t colors);
  void SelectModelByCore(uint8_t core, bool smallest);
  // The batches: false when something was not built or a file not written (reported).
  bool BuildAllVersions(const std::string& folder);
  // What the batches work with: the window's archive, catalogue, host and build contexts, and
  // the values of the controls they change.
  BatchEnvironment MakeBatchEnvironment();
  BatchControls BatchControlValues() const;
  RecordControls RecordControlValues() const;
  PictureControls PictureControlValues() const;
  // After a batch the controls show the values of its last variant or model.
  void ShowFullVariant(const FullVariant& variant, const BatchControls& values);
  void ShowListEntry(const assembly::TPhonesListEntry& entry, const BatchControls& values);
  void ShowAdvancedValues(const BatchControls& values);
  // Packed resource entries kept between the builds and trial builds of this run.
  assembly::TJarCache* JarCache();
  // The context of every build of the window: its archive, cache and the program's texts. A
  // trial build passes its own host and keeps no JAR limit warning.
  assembly::BuildContext MakeBuildContext(const assembly::BuildInputs& inputs,
                                          assembly::BuildHost* trialHost = nullptr);
  std::shared_ptr<assembly::TJarCache> FJarCache;
};

// Makes the builder window of a run: reads its description and raises OnCreate.
platform::TOwned<TForm1> CreateBuilderWindow(TProgramRun run);

}  // namespace wizard
