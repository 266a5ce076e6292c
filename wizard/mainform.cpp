#include "wizard/mainform.h"

#include "assembly/phonelist.h"
#include "assembly/phones.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "controls/htmlhelp.h"
#include "localisation/escape.h"
#include "localisation/langmanager.h"
#include "platform/system/codepage.h"
#include "platform/system/exedir.h"
#include "platform/system/message.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/radiobutton.h"
#include "wizard/batchnames.h"
#include "wizard/batchplan.h"
#include "wizard/settingsvalues.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

using namespace platform;

namespace wizard {

namespace {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool ReadableFile(const std::string& path) { return FileExists(path) && ::access(path.c_str(), R_OK) == 0; }

// A small arrow picture for the move buttons of the book files page (the colour of the
// bottom-left pixel is transparent).
QImage ArrowGlyph(bool up) {
  QImage img(16, 16, QImage::Format_RGB32);
  img.fill(QColor(255, 0, 255));
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  QPolygonF tri;
  if (up)
    tri << QPointF(8, 3) << QPointF(14, 11) << QPointF(2, 11);
  else
    tri << QPointF(8, 13) << QPointF(14, 5) << QPointF(2, 5);
  p.drawPolygon(tri);
  return img;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm1(owner, TProgramRun{platform::ExecutableDir(), {}}) {}

TForm1::TForm1(TComponent* owner, TProgramRun run) : TForm(owner), FRun(std::move(run)) {
  RegisterWizardClasses();
  FSettings = std::make_unique<TSettingsStore>(TSettingsStore::TWindow{
      [this](const std::string& name) { return FindComponent(name); }, [this] { return Settings(); },
      [this](int slot) { return FFontsPage->RememberedFontFile(slot); },
      [](const TMessage& text) { Application().MessageBox(text, "Warning", TMsgIcon::Warning); }});
}

TForm1::~TForm1() = default;

platform::TOwned<TForm1> CreateBuilderWindow(TProgramRun run) {
  platform::TOwned<TForm1> form(new TForm1(nullptr, std::move(run)));
  form->InitializeForm();
  return form;
}

platform::TIniFile TForm1::Settings() const {
  const std::string& dir = ProgramDir();
  return platform::ProgramSettingsFor(dir, ::access(dir.c_str(), W_OK) == 0, "Quirewright.ini");
}

void TForm1::DeclareBindings(TBinder& b) {
#define QW_FORM1_BIND(type, field, name) b.Field(#name, field);
  QW_FORM1_COMPONENTS(QW_FORM1_BIND)
#undef QW_FORM1_BIND
  for (const TPageRow& row : wizard::Pages)
    if (row.Header != nullptr) b.Field(row.Header, Headers[static_cast<size_t>(row.Page)]);
  for (int k = 1; k <= 5; ++k) {
    b.Field("cbFont" + std::to_string(k), FontBoxes[static_cast<size_t>(k)]);
    b.Field("cbNegative" + std::to_string(k), NegativeBoxes[static_cast<size_t>(k)]);
  }
  for (int i = 1; i <= 26; ++i) b.Field("UrlLabel" + std::to_string(i), UrlLabels[static_cast<size_t>(i)]);
  DeclareHandlers(b);
}

// The event handlers, bound by the names the description gives them.
void TForm1::DeclareHandlers(TBinder& b) {
#define QW_HANDLER(name) b.Handler(#name, this, &TForm1::name)
  QW_HANDLER(FormCreate);
  QW_HANDLER(FormShow);
  QW_HANDLER(FormDestroy);
  QW_HANDLER(CancelBtnClick);
  QW_HANDLER(lcMainLanguageChanged);
  QW_HANDLER(PageManager1GetNextPage);
  QW_HANDLER(PageManager1GetPriorPage);
  QW_HANDLER(PageManager1PageChanged);
  QW_HANDLER(cbPhoneModelChange);
  QW_HANDLER(cbKeysConfigChange);
  QW_HANDLER(cbHideAdvancedOptionsClick);
  QW_HANDLER(rbHideAdvancedOptionsClick);
  QW_HANDLER(cbBacklightControlMethodClick);
  QW_HANDLER(btnRestartClick);
  QW_HANDLER(cbCustomHelpFileClick);
  QW_HANDLER(btnCustomHelpFileClick);
  QW_HANDLER(BitBtn5Click);
  QW_HANDLER(ulFinalNoteClick);
  QW_HANDLER(BitBtn4Click);
  QW_HANDLER(BitBtn2Click);
  QW_HANDLER(BitBtn3Click);
  QW_HANDLER(SpeedButton1Click);
  QW_HANDLER(SpeedButton2Click);
  QW_HANDLER(UrlLabel22Click);
  QW_HANDLER(cbFont1Change);
  QW_HANDLER(BitBtn1Click);
  QW_HANDLER(Nofonts1Click);
  QW_HANDLER(cbNegative1Click);
#undef QW_HANDLER
  // Handlers that serve several components, each by the name the description gives it.
  for (int i : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})
    b.Handler("UrlLabel" + std::to_string(i) + "Click", this, &TForm1::ShowLabelBalloon);
  for (const char* name : {"BlackandWhitefontspack1Click", "Bluefonstpack1Click", "Yellowfontspacks1Click",
                           "ClearTypeFontsPack1Click", "Anitaliazedfontspack1Click"})
    b.Handler(name, this, &TForm1::FontPackClick);
}

// --- messages and the build host -----------------------------------------------------------

std::string TForm1::Text(const char* name) { return localisation::LangManager().TextByName(name); }

void TForm1::Message(const std::string& text, const std::string& caption, TMsgIcon icon) {
  Services().MessageBox(text, caption, icon);
}

namespace {

TMsgIcon IconOf(assembly::MessageIcon icon) {
  switch (icon) {
    case assembly::MessageIcon::Information: return TMsgIcon::Information;
    case assembly::MessageIcon::Warning: return TMsgIcon::Warning;
    case assembly::MessageIcon::Error: return TMsgIcon::Error;
    case assembly::MessageIcon::None: break;
  }
  return TMsgIcon::None;
}

}  // namespace

void TForm1::ShowMessage(const std::string& text, const std::string& caption, assembly::MessageIcon icon) {
  Message(text, caption, IconOf(icon));
}

void TForm1::ShowComposedMessage(const TMessage& text, const std::string& caption, assembly::MessageIcon icon) {
  Application().MessageBox(text, caption, IconOf(icon));
}

void TForm1::RequestTerminate() { Application().Terminate(); }

void TForm1::SetProgress(int position, int max) {
  BuildProgressGauge->SetMax(max);
  BuildProgressGauge->SetPosition(position);
}

void TForm1::SetStatus(const std::string& text) { BuildStatusLabel->SetCaption(text); }

void TForm1::ProcessMessages() { Application().ProcessMessages(); }

// A batch disables the window around builds that disable it too: it is enabled again only
// when the outermost one ends.
void TForm1::SetWindowEnabled(bool enabled) {
  FDisabledDepth = std::max(0, FDisabledDepth + (enabled ? -1 : 1));
  if (enabled && FDisabledDepth > 0) return;
  SetEnabled(enabled);
  CancelBtn->SetEnabled(enabled);
  NextBtn->SetEnabled(enabled);
  PrevBtn->SetEnabled(enabled);
}

// --- start-up, Cancel/Finish, language -----------------------------------------------------

void TForm1::SetHelpFile(const std::string& name) {
  Application().SetHelpFile(controls::ManualHelpFile(ProgramDir(), name));
}

void TForm1::FormCreate(TObject* /*sender*/) {
  for (int i = 0; i < kPageCount && i < Notebook1->PageCount(); ++i) Pages[static_cast<size_t>(i)] = Notebook1->Page(i);
  SetUpFontsPage();
  try {
    SetDoubleBuffered(true);
    SetHelpFile("tomefalcon_en.chm");
    FJarLimitWarned = false;
    FFontsPage->MarkForReset();
    FSettings->SetKeysLayoutFile({});
    FSettings->SetPhonesListFile({});
    SetUpControls();
    LoadArchive();
    FillModelLists();
    lcMainLanguageChanged(this);
    UpdateControls();
    localisation::LangManager().RegisterLanguageFolder(
        localisation::LanguageFolder(ProgramDir(), localisation::TProgram::Quirewright), "*.lng", false);
    SetCaption(Caption() + " v." + assembly::ProductVersion);
    LoadFontCatalogue();
    PageManager1PageChanged(PageManager1);
  } catch (const std::exception& e) {
    FResArchive.reset();
    Application().HandleException(e);
  }
}

void TForm1::SetUpControls() {
  // The user's data goes to the engine in the process code page; paths stay as the file
  // system writes them.
  for (TControl* c : std::initializer_list<TControl*>{edMidletName, edBookTitle, mmIntroText, edTitleLine1,
                                                      edTitleLine2, edVendor, edJSR75Storage, edStoragePath, edFontPath,
                                                      mmCustomAttributes, edIgnoreImagesWithNames})
    c->SetTextKind(TControl::TTextKind::UserData);
  lbTextFiles->SetTextKind(TControl::TTextKind::HostPath);
  for (std::size_t k = 1; k <= 5; ++k) FontBoxes[k]->SetTextKind(TControl::TTextKind::HostPath);  // custom font paths
  edCustomHelpFile->SetTextKind(TControl::TTextKind::HostPath);
  edVendor->SetTextValue(kDefaultVendor);  // also for roads that never show the options page
  controls::UseBalloonHints(HintBalloonControl1);
  SpeedButton1->SetGlyph(ArrowGlyph(true));
  SpeedButton2->SetGlyph(ArrowGlyph(false));
}

// Without a usable archive nothing can be built, but every page can still be walked.
void TForm1::LoadArchive() {
  try {
    FResArchive = std::make_unique<assembly::TZipFile>();
    FResArchive->LoadFromFile(ArchivePath());
  } catch (const std::exception& e) {
    FResArchive.reset();
    Application().MessageBox(ArchiveProblem(e), Application().Title(), TMsgIcon::Error);
  }
}

void TForm1::FillModelLists() {
  const TUpdatingScope updating(FUpdating);
  FPageVisited.fill(false);
  cbPhoneModel->Items()->Clear();
  for (const assembly::TPhoneListItem& row : assembly::PhoneTable) cbPhoneModel->Items()->Add(row.Name);
  cbPhoneModel->SetItemIndex(0);
  cbKeysConfig->Items()->Clear();
  for (const char* name : assembly::KeysConfigNames) cbKeysConfig->Items()->Add(name);
}

// An archive whose fonts cannot be listed is not used either.
void TForm1::LoadFontCatalogue() {
  if (!FResArchive) return;
  try {
    assembly::BuildFontCatalogue(*FResArchive, FFontCatalogue);
  } catch (const std::exception& e) {
    FResArchive.reset();
    FFontCatalogue = {};
    Application().MessageBox(ArchiveProblem(e), Application().Title(), TMsgIcon::Error);
  }
}

std::string TForm1::ArchivePath() const { return ProgramDir() + "quirewright.dat"; }

TMessage TForm1::ArchiveProblem(const std::exception& e) const {
  TMessage text("The resource archive \"", AnsiCodePage());
  return text.Path(ArchivePath()).Own("\" cannot be used: ", AnsiCodePage()).Append(MessageOf(e));
}

bool TForm1::ArchiveLoaded() {
  if (FResArchive) return true;
  Message("Nothing can be built without the resource archive \"" + ArchivePath() + "\".", "Error", TMsgIcon::Error);
  return false;
}

void TForm1::FormShow(TObject* /*sender*/) {
  const std::optional<DeployRequest> deploy = DeployRequestOf(FRun.CommandLine);
  if (!deploy) return;
  bool built = false;
  try {
    built = BuildDeployVersions(deploy->Prefix, deploy->Only);
  } catch (const std::exception& e) {
    Application().HandleException(e);  // and the program still ends
  }
  FExitCode = built ? 0 : 1;
  Close();
}

void TForm1::FormDestroy(TObject* /*sender*/) { FResArchive.reset(); }

void TForm1::CancelBtnClick(TObject* /*sender*/) {
  if (OnPage(TPageStep::SaveSettings)) {
    std::string reason;
    if (!SaveSettings(&reason))
      Services().MessageBoxUtf8("Unable to save the settings to \"" + Settings().FileName() + "\"" +
                                    (reason.empty() ? "." : ": " + reason),
                                "Error", TMsgIcon::Error);
    if (cbDirectory->Checked()) {
      const std::string folder = assembly::ParentDir(SaveDialog->FileName());
      // Without a file manager the user still learns where the midlet is.
      if (!Services().OpenFolder(folder))
        Services().MessageBoxUtf8("Unable to open the folder \"" + folder + "\".", "Warning", TMsgIcon::Warning);
    }
  }
  Close();
}

void TForm1::lcMainLanguageChanged(TObject* sender) {
  for (size_t i = 0; i < FCoreDescs.size(); ++i) FCoreDescs[i] = Text(assembly::CoreDescriptions[i]);
  for (size_t i = 0; i < FKeysConfigDescs.size(); ++i) FKeysConfigDescs[i] = Text(assembly::KeysConfigDescriptions[i]);
  // The switch has put the caption back to its translated text, without the version.
  const std::string version = std::string(" v.") + assembly::ProductVersion;
  if (sender == lcMain && !Caption().ends_with(version)) SetCaption(Caption() + version);
}

// --- page order ----------------------------------------------------------------------------

const assembly::TPhoneListItem& TForm1::Model() const {
  int row = ModelRow();
  if (row < 0 || row >= assembly::kPhoneModelCount) row = 0;
  return assembly::PhoneTable[static_cast<size_t>(row)];
}

bool TForm1::IsSavedModel() const {
  int row = ModelRow();
  return row >= 0 && row == Settings().ReadInteger(PageRow(pgPhoneModel).Section, "cbPhoneModel", 0);
}

std::vector<std::string> TForm1::BookFiles() const {
  std::vector<std::string> files;
  TStrings* items = lbTextFiles->Items();
  for (int i = 0; i < items->Count(); ++i) files.push_back((*items)[i]);
  return files;
}

TRoadChoices TForm1::RoadChoices() const {
  TRoadChoices c;
  c.Full = rbFullVersion->Checked();
  c.ListRow = IsListRow();
  c.Core = Model().Core;
  c.HtmlBooks = IsHtmlBooks(BookFiles());
  return c;
}

void TForm1::PageManager1GetNextPage(int currentPage, int& newPage) {
  bool reset = false;
  newPage = NextPage(currentPage, newPage, RoadChoices(), &reset);
  if (reset) {
    cbKeysConfig->SetItemIndex(0);
    rbilEnglishCE->SetChecked(true);
  }
}

void TForm1::PageManager1GetPriorPage(int currentPage, int& newPage) {
  newPage = PriorPage(currentPage, newPage, RoadChoices());
}

// --- page entry ----------------------------------------------------------------------------

// Runs each time a page has been shown. A step that shows another page changes what the later
// steps see; a step that refuses the page ends the run.
void TForm1::PageManager1PageChanged(TObject* sender) {
  // From the fonts page on, every page works with the archive: without it the wizard says why
  // and goes back to the page it came from.
  if (OnPage(TPageStep::NeedsArchive) && !ArchiveLoaded()) {
    PageManager1->SetCurrentPage(FEnteredPage, false);
    return;
  }
  FEnteredPage = CurrentPage();
  ShowPageButtons();
  // The program has been asked to end (a fatal message was shown): nothing more is checked.
  if (Application().Terminated()) return;
  if (RefuseUnsupportedModel()) return;
  const bool restored = RestorePageOnFirstVisit();
  MarkFontsForReset();
  if (RefuseFontsOverJarLimit()) return;
  RefuseUnreadableBookFiles();
  SetKeyLayoutFromModel();
  SetStorageFolderFromModel();
  // The fonts page of a phone list is set up and fitted for the list's JAR limit.
  if (RefuseMissingPhonesList() || Application().Terminated()) return;
  UpdateControls();
  SetUpPhoneModelPage(restored);
  if (OnPage(TPageStep::JarSize)) FFontsPage->ShowJarSizeLabel();
  tcAdvancedOptions->SetActivePageIndex(0);
  if (OnPage(TPageStep::Build)) {
    ShowPage(StartBuild() ? pgFinish : pgAdvancedOptions);
    PageManager1PageChanged(sender);
    return;
  }
  DressFinishPage();
  RefuseInvalidNameOrTitle();
  OfferInterfaceLanguagesOfEdition();
}

void TForm1::ShowPageButtons() {
  BitBtn5->SetVisible(!OnPage(TPageStep::NoHelpButton));
  btnRestart->SetVisible(OnPage(TPageStep::RestartButton));
}

bool TForm1::RefuseUnsupportedModel() {
  if (!OnPage(TPageStep::RefuseUnsupportedModel) || Model().NotSupported == 0) return false;
  Message(Text("NotSupportedTitle"), Text("NotSupportedText"), TMsgIcon::Warning);
  ShowPage(pgPhoneModel);
  return true;
}

bool TForm1::RestorePageOnFirstVisit() {
  const int page = CurrentPage();
  if (page < 0 || page >= kPageCount || FPageVisited[static_cast<size_t>(page)]) return false;
  FPageVisited[static_cast<size_t>(page)] = true;
  FSettings->RestoreFirstVisit(page);
  if (PageTakes(page, TPageStep::BlackAndWhiteImages) && !IsSavedModel() && Model().BlackAndWhite != 0)
    rbBlackAndWhiteImages->SetChecked(true);
  if (PageTakes(page, TPageStep::AdvancedOptions)) {
    if (rbHideAdvancedOptions->Checked()) ResetAdvancedOptions();
    else LoadAdvancedOptions();
    // A help file of the settings that is gone: the midlet gets the built-in help.
    if (cbCustomHelpFile->Checked() && !ReadableFile(edCustomHelpFile->Text())) {
      cbCustomHelpFile->SetChecked(false);
      TMessage text("The help file \"", AnsiCodePage());
      FSettings->ReportStale(
          text.Path(edCustomHelpFile->Text())
              .Own("\" named in the settings cannot be read; the built-in help is used instead.", AnsiCodePage()));
      UpdateControls();
    }
  }
  return true;
}

// The fonts page starts again from defaults after the language, ZIP support or storage folder
// may have changed.
void TForm1::MarkFontsForReset() {
  if (OnPage(TPageStep::ResetFonts)) FFontsPage->MarkForReset();
}

bool TForm1::RefuseFontsOverJarLimit() {
  if (IsListRow() && rbFullVersion->Checked()) return false;
  if (!OnPage(TPageStep::RefuseFontsOverJarLimit)) return false;
  // Each refusal says why once: the trial build's own failure, or the size.
  FTrialBuildFault.clear();
  if (const std::optional<int32_t> estimate = EstimateJarSize(); !estimate) {
    ShowPage(pgFonts);
    NextBtn->SetEnabled(true);
    return true;
  }
  if (FFontsPage->FitsJarLimit()) return false;
  ShowPage(pgFonts);
  Message(Text("MidletSizeTooBig") + " " + std::to_string(FFontsPage->MaxMidletSize()) + " " + Text("bytes") + ".",
          Text("JARLimitExceeded"), TMsgIcon::Warning);
  NextBtn->SetEnabled(true);
  return true;
}

void TForm1::RefuseUnreadableBookFiles() {
  if (!OnPage(TPageStep::RefuseUnreadableBookFiles) || rbFullVersion->Checked()) return;
  const std::vector<std::string> files = BookFiles();
  if (!files.empty() && std::all_of(files.begin(), files.end(), FileExists)) return;
  ShowPage(pgEmbed);
  Message(Text("UnableToOpen"), Text("UnableToOpenTitle"), TMsgIcon::Error);
}

// On every visit: the model's key layout, or the saved one when the model is the saved model.
void TForm1::SetKeyLayoutFromModel() {
  if (!OnPage(TPageStep::KeyLayoutFromModel)) return;
  cbKeysConfig->SetItemIndex(Model().DefaultKeys);
  const bool saved = IsSavedModel();
  const TIniFile ini = Settings();
  for (const SettingKey* k : SectionSettingKeys(PageRow(pgKeyConfig).Section))
    if (k->Source != SettingSource::Control || saved) FSettings->Restore(ini, *k);
  // A custom key layout file of the settings that is gone: the model's layout instead.
  if (cbKeysConfig->ItemIndex() == assembly::kCustomKeysConfig && !ReadableFile(FSettings->KeysLayoutFile())) {
    const std::string gone = FSettings->KeysLayoutFile();
    FSettings->SetKeysLayoutFile({});
    cbKeysConfig->SetItemIndex(Model().DefaultKeys);
    TMessage text("The key layout file \"", AnsiCodePage());
    FSettings->ReportStale(text.Path(gone)
                               .Own("\" named in the settings cannot be read; the key layout \"", AnsiCodePage())
                               .Own(cbKeysConfig->Text(), InterfaceCodePage())
                               .Own("\" is used instead.", AnsiCodePage()));
  }
  UpdateKeysConfigDesc();
}

// On every visit: the model's storage folder, or the saved one when the model is the saved model.
void TForm1::SetStorageFolderFromModel() {
  if (!OnPage(TPageStep::StorageFolderFromModel)) return;
  edJSR75Storage->SetTextValue(Model().JSR75Storage);
  if (IsSavedModel()) FSettings->Restore(Settings(), SettingKeyOf("edJSR75Storage"));
}

// The saved JAR limit wins over the model's only on the first visit; the list row's text
// follows the edition.
void TForm1::SetUpPhoneModelPage(bool restored) {
  if (!OnPage(TPageStep::PhoneModelPage)) return;
  if (restored) {
    const SettingKey& k = SettingKeyOf("spJARLimit");
    const int saved = Settings().ReadInteger(k.Section, k.Key, std::stoi(k.Fallback.value_or("0")));
    if (saved != 0) spJARLimit->SetValue(saved);
  }
  const int selected = cbPhoneModel->ItemIndex();
  const bool liteOrTiny = rbLiteVersion->Checked() || rbTinyVersion->Checked();
  cbPhoneModel->Items()->SetString(assembly::kCustomPhoneListRow,
                                   Text(liteOrTiny ? "MultipleVersions_LITE" : "MultipleVersions_FULL"));
  cbPhoneModel->SetItemIndex(selected);
}

// Lite or tiny for a list of phones: the fonts page works with the smallest JAR limit of the
// list (at most 64 KB).
bool TForm1::RefuseMissingPhonesList() {
  if (!OnPage(TPageStep::RefuseMissingPhonesList) || rbFullVersion->Checked() || !IsListRow()) return false;
  if (FileExists(FSettings->PhonesListFile())) {
    assembly::TPHONESLIST list;
    assembly::LoadPhonesList(*this, FSettings->PhonesListFile(), list);
    spJARLimit->SetValue(PhonesListJarLimitKB(list));
    return false;
  }
  TMessage text(Text("UnableToOpenListOfPhones"), InterfaceCodePage());
  Application().MessageBox(text.Own(" \"", AnsiCodePage()).Path(FSettings->PhonesListFile()).Own("\"", AnsiCodePage()),
                           Text("UnableToOpenListOfPhonesTitle"), TMsgIcon::Error);
  ShowPage(pgPhoneModel);
  return true;
}

void TForm1::DressFinishPage() {
  if (!OnPage(TPageStep::DressFinish)) return;
  PrevBtn->Hide();
  NextBtn->Hide();
  CancelBtn->SetCaption(Text("FinishButtonCaption"));
  const int kind = Model().FileSystem;
  // The note of an earlier build of this run (before Restart) goes when this one needs none.
  pnFinalNote->Hide();
  if (rbFullVersion->Checked() && kind > 0 && kind < assembly::kFileSystemKindCount) {
    const std::string stem = assembly::FileSystemNotes[static_cast<size_t>(kind)];
    pnFinalNote->Show();
    lbFinalNote->SetCaption(Text((stem + "_1").c_str()));
    ulFinalNote->SetCaption(Text((stem + "_2").c_str()));
    ulFinalNote->SetHelpContext(FinalNoteHelpContext(kind));
  }
}

// Lite or tiny, pictures and advanced options pages: the name and the title are trimmed and
// checked, each with its own message.
void TForm1::RefuseInvalidNameOrTitle() {
  if (rbFullVersion->Checked() || !OnPage(TPageStep::RefuseInvalidNameOrTitle)) return;
  edMidletName->SetTextValue(std::string(localisation::TrimBlanks(edMidletName->Text())));
  if (!IsValidMidletName(edMidletName->Text())) {
    ShowPage(pgMidletName);
    Message(Text("InvalidMidletName"), Text("InvalidMidletNameCaption"), TMsgIcon::Warning);
  }
  edBookTitle->SetTextValue(std::string(localisation::TrimBlanks(edBookTitle->Text())));
  if (!IsValidBookTitle(edBookTitle->Text())) {
    ShowPage(pgMidletName);
    Message(Text("InvalidBookTitle"), Text("InvalidBookTitleCaption"), TMsgIcon::Warning);
  }
}

// The tiny edition has no right-to-left interface languages.
void TForm1::OfferInterfaceLanguagesOfEdition() {
  if (!OnPage(TPageStep::EditionLanguages)) return;
  const bool enabled = !rbTinyVersion->Checked();
  for (TRadioButton* b : {rbilHerbew, rbilArabic}) {
    b->SetEnabled(enabled);
    if (!b->Enabled() && b->Checked()) rbilEnglishCE->SetChecked(true);
  }
}

// --- control states ------------------------------------------------------------------------

std::array<TRadioButton*, 11> TForm1::InterfaceLanguageButtons() const {
  return {rbilEnglishCE, rbilEnglishWE, rbilEnglishCyr, rbilHerbew, rbilRussian, rbilUkrainian,
          rbilGerman,    rbilCzech,     rbilSlovak,     rbilArabic, rbilGreek};
}

uint8_t TForm1::GetInterfaceLanguage() const {
  std::array<TRadioButton*, 11> buttons = InterfaceLanguageButtons();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->Checked()) return static_cast<uint8_t>(i);
  return 0;
}

void TForm1::SetInterfaceLanguage(uint8_t index) {
  std::array<TRadioButton*, 11> buttons = InterfaceLanguageButtons();
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetChecked(i == index);
}

void TForm1::UpdateKeysConfigDesc() {
  int i = cbKeysConfig->ItemIndex();
  lbKeysConfigDesc->SetCaption(i >= 0 && i < static_cast<int>(FKeysConfigDescs.size())
                                   ? FKeysConfigDescs[static_cast<size_t>(i)]
                                   : std::string());
}

void TForm1::SwitchWizardLanguage() {
  localisation::TLangManager& manager = localisation::LangManager();
  uint16_t id = manager.BuiltInLanguageId();
  if (RadioButton2->Checked())
    id = kLangSlovak;
  else if (RadioButton3->Checked())
    id = kLangUkrainian;
  else if (RadioButton5->Checked())
    id = kLangRussian;
  else if (RadioButton1->Checked())
    id = kLangPolish;
  try {
    manager.SwitchLanguage(id);
  } catch (const std::exception& e) {
    // The language stays as it was, and so does the button that shows it.
    const uint16_t current = manager.CurrentLanguageId();
    TRadioButton* shown = current == kLangSlovak      ? RadioButton2
                          : current == kLangUkrainian ? RadioButton3
                          : current == kLangRussian   ? RadioButton5
                          : current == kLangPolish    ? RadioButton1
                                                      : RadioButton4;
    shown->SetChecked(true);
    Application().HandleException(e);
    return;
  }
  SetHelpFile(RadioButton5->Checked() ? "tomefalcon_ru.chm" : "tomefalcon_en.chm");
  lcMainLanguageChanged(this);
}

void TForm1::UpdateControls() {
  if (FUpdating) return;
  const TUpdatingScope updating(FUpdating);
  const int page = CurrentPage();
  const bool full = rbFullVersion->Checked();
  const bool listRow = IsListRow();

  gbBookMidletOptions->SetVisible(!full);
  // The advanced options' tabs follow the group, or take its place while it is hidden.
  tcAdvancedOptions->SetTop(full ? gbBookMidletOptions->Top()
                                 : gbBookMidletOptions->Top() + gbBookMidletOptions->Height() + 2);

  if (PageTakes(page, TPageStep::PhoneModelControls)) spJARLimit->SetValue(DefaultJarLimitKB(ModelRow()));

  if (PageTakes(page, TPageStep::WizardLanguage)) SwitchWizardLanguage();

  if (PageTakes(page, TPageStep::PhoneModelControls))
    lbCoreDesc->SetCaption(listRow ? Text("AllVersions1") : FCoreDescs[Model().Core % FCoreDescs.size()]);

  if (PageTakes(page, TPageStep::ZipSupportControls)) {
    bool allowed = ZipSupportAllowed(listRow, full, GetJarLimitKB());
    rbWithZIPSupport->SetEnabled(allowed);
    lbCantZIP->SetVisible(!allowed);
    if (!allowed) rbWithoutZIPSupport->SetChecked(true);
  }

  if (PageTakes(page, TPageStep::FontsPageControls)) FFontsPage->Load(true);

  if (PageTakes(page, TPageStep::AdvancedOptionsControls)) {
    tcAdvancedOptions->SetVisible(!rbHideAdvancedOptions->Checked());
    spForceHeight->SetEnabled(cbForceHeight->Checked());
    edFontPath->SetEnabled(cbFontPath->Checked());
    edStoragePath->SetEnabled(cbStoragePath->Checked());
    spMidletDataSize->SetEnabled(cbMidletDataSize->Checked());
    mmCustomAttributes->SetEnabled(cbCustomAttributes->Checked());
    edIgnoreImagesWithNames->SetEnabled(cbIgnoreImagesWithNames->Checked());
    bool small = cbIgnoreSmallImages->Checked();
    spMinImageWidth->SetEnabled(small);
    spMinImageHeight->SetEnabled(small);
    lbMinImageWidth->SetEnabled(small);
    lbMinImageHeight->SetEnabled(small);
  }

  spJARLimit->SetEnabled(!listRow);

  if (PageTakes(page, TPageStep::ImagesControls)) {
    bool pictures = !rbDontIncludeImages->Checked();
    bool scale = pictures && cbScaleDown->Checked();
    cbScaleDown->SetEnabled(pictures);
    spMaxImageWidth->SetEnabled(scale);
    spMaxImageHeight->SetEnabled(scale);
    lbMaxImageWidth->SetEnabled(scale);
    lbMaxImageHeight->SetEnabled(scale);
  }

  edCustomHelpFile->SetEnabled(cbCustomHelpFile->Checked());
  btnCustomHelpFile->SetEnabled(cbCustomHelpFile->Checked());
  cboxBacklightControlMethod->SetEnabled(cbBacklightControlMethod->Checked());
}

// --- option handlers -----------------------------------------------------------------------

void TForm1::cbPhoneModelChange(TObject* /*sender*/) {
  if (FUpdating) return;
  UpdateControls();
  if (IsListRow() && (rbLiteVersion->Checked() || rbTinyVersion->Checked())) {
    if (ListOfPhonesOpenDialog->Execute()) {
      FSettings->SetPhonesListFile(ListOfPhonesOpenDialog->FileName());
    } else {
      cbPhoneModel->SetItemIndex(0);
      UpdateControls();  // the JAR limit and the rest follow row 0
    }
  }
}

void TForm1::cbKeysConfigChange(TObject* /*sender*/) {
  if (FUpdating) return;
  UpdateKeysConfigDesc();
  if (cbKeysConfig->ItemIndex() == assembly::kCustomKeysConfig) {
    if (KeyConfigOpenDialog->Execute()) {
      FSettings->SetKeysLayoutFile(KeyConfigOpenDialog->FileName());
    } else {
      cbKeysConfig->SetItemIndex(0);
      UpdateKeysConfigDesc();
    }
  }
}

void TForm1::cbHideAdvancedOptionsClick(TObject* /*sender*/) { UpdateControls(); }

void TForm1::rbHideAdvancedOptionsClick(TObject* /*sender*/) {
  if (FUpdating) return;
  ResetAdvancedOptions();
  UpdateControls();
}

void TForm1::cbBacklightControlMethodClick(TObject* /*sender*/) { UpdateControls(); }

void TForm1::btnRestartClick(TObject* /*sender*/) {
  ShowPage(pgWizardLanguage);
  btnRestart->Hide();
  PrevBtn->Show();
  NextBtn->Show();
  CancelBtn->SetCaption(Text("CancelButtonCaption"));
  // Page 0 as at start: no Help, no way back.
  ShowPageButtons();
  PageManager1->CheckButtons();
  pnFinalNote->Hide();
}

// --- checks and help -----------------------------------------------------------------------

void TForm1::cbCustomHelpFileClick(TObject* /*sender*/) { UpdateControls(); }

void TForm1::btnCustomHelpFileClick(TObject* /*sender*/) {
  if (TextFileOpenDialog->Execute()) edCustomHelpFile->SetTextValue(TextFileOpenDialog->Files()->Strings(0));
}

void TForm1::BitBtn5Click(TObject* /*sender*/) {
  Application().HelpContext(PageHelpContext(CurrentPage(), rbFullVersion->Checked()));
}

void TForm1::ulFinalNoteClick(TObject* /*sender*/) { Application().HelpContext(ulFinalNote->HelpContext()); }

}  // namespace wizard
