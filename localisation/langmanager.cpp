#include "localisation/langmanager.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "localisation/escape.h"

namespace localisation {

namespace {

class ReadGuard {
public:
  explicit ReadGuard(TLangLock& lock) : lock_(lock) { lock_.BeginRead(); }
  ~ReadGuard() { lock_.EndRead(); }

private:
  TLangLock& lock_;
};

class WriteGuard {
public:
  explicit WriteGuard(TLangLock& lock) : lock_(lock) { lock_.BeginWrite(); }
  ~WriteGuard() { lock_.EndWrite(); }

private:
  TLangLock& lock_;
};

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// File-name wildcards: "*" any run, "?" one character; letters without regard to case.
bool MatchesMask(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (m < mask.size() && (mask[m] == '?' || Fold(mask[m]) == Fold(name[n]))) {
      ++m;
      ++n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::unique_ptr<TLangManager>& Instance() {
  static std::unique_ptr<TLangManager> manager;
  return manager;
}

}  // namespace

TCustomLangController::TCustomLangController() : TCustomLangController(LangManager()) {}

TCustomLangController::TCustomLangController(TLangManager& manager) {
  manager.AttachController(this);
}

TCustomLangController::~TCustomLangController() {
  if (manager_) manager_->DetachController(this);
}

void TLang_LangResources::Add(const TLang_LangResource& source) {
  for (TLang_LangResource& r : items_) {
    if (r.LangId != source.LangId) continue;
    r.Kind = source.Kind;
    r.Module = source.Module;
    r.Name = source.Name;
    r.Id = source.Id;
    return;
  }
  items_.push_back(source);
}

const TLang_LangResource* TLang_LangResources::Find(uint16_t langId) const {
  for (const TLang_LangResource& r : items_)
    if (r.LangId == langId) return &r;
  return nullptr;
}

TLangManager::TLangManager(HModule module) {
  if (const std::string* resource = FindRcData(module, "LANG_CONSTS")) LoadLangConsts(constants_, *resource);
  ApplyLanguage(nullptr);
}

TLangManager::~TLangManager() {
  for (TCustomLangController* c : controllers_) c->manager_ = nullptr;
}

std::string TLangManager::TextByName(std::string_view name) {
  ReadGuard guard(lock_);
  int index = constants_.IndexOf(name);
  if (index < 0) throw ELangError("Constant \"" + std::string(name) + "\" not found");
  return constants_[index].Text;
}

uint16_t TLangManager::BuiltInLanguageId() {
  ReadGuard guard(lock_);
  return defaultId_;
}

uint16_t TLangManager::CurrentLanguageId() {
  ReadGuard guard(lock_);
  return currentId_;
}

bool TLangManager::AddLanguageFile(const std::string& path) {
  WriteGuard guard(lock_);
  std::error_code ec;
  // Only regular files: a FIFO or a device named *.lng must neither block nor flood the start.
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  uint16_t id;
  {
    TLang_CompTranslations header;
    header.LoadFromFile(path, true);
    id = static_cast<uint16_t>(static_cast<uint32_t>(IntegerOr(header.Param("LANGID"), 0)) & 0xFFFF);
  }
  if (id == 0) return false;
  if (id != defaultId_) {
    TLang_LangResource source;
    source.Kind = TLangSourceKind::File;
    source.Name = path;
    source.LangId = id;
    sources_.Add(source);
  }
  return true;
}

int TLangManager::RegisterLanguageFolder(const std::string& folder, const std::string& mask, bool recursive) {
  std::string dir = folder;
  if (dir.empty() || dir.back() != '/') dir += '/';
  std::vector<std::pair<std::string, bool>> entries;  // name, is a folder
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!MatchesMask(name, mask)) continue;
    std::error_code typeEc;
    entries.emplace_back(name, it->is_directory(typeEc));
  }
  std::sort(entries.begin(), entries.end());
  int count = 0;
  for (const auto& [name, isFolder] : entries) {
    if (isFolder) {
      if (recursive && name[0] != '.') count += RegisterLanguageFolder(dir + name, mask, true);
      continue;
    }
    try {
      if (AddLanguageFile(dir + name)) ++count;
    } catch (const std::exception&) {
      // A file that cannot be read must not stop the others (nor the program's start).
    }
  }
  return count;
}

std::unique_ptr<TLang_CompTranslations> TLangManager::LoadTranslationsFor(uint16_t id) {
  if (id == BuiltInLanguageId()) return nullptr;
  const TLang_LangResource* source = sources_.Find(id);
  if (!source) return nullptr;
  auto tr = std::make_unique<TLang_CompTranslations>();
  switch (source->Kind) {
    case TLangSourceKind::ResourceByName:
      tr->LoadFromResource(source->Module, source->Name, false);
      break;
    case TLangSourceKind::ResourceById:
      tr->LoadFromResource(source->Module, source->Id, false);
      break;
    case TLangSourceKind::File:
      tr->LoadFromFile(source->Name, false);
      break;
  }
  return tr;
}

void TLangManager::SwitchLanguage(uint16_t id) {
  std::unique_ptr<TLang_CompTranslations> tr;
  bool changed;
  {
    WriteGuard guard(lock_);
    tr = LoadTranslationsFor(id);
    if (!tr) id = BuiltInLanguageId();
    changed = currentId_ != id;
    currentId_ = id;
  }
  if (changed) ApplyLanguage(tr.get());
}

void TLangManager::ApplyLanguage(const TLang_CompTranslations* tr) {
  ReadGuard guard(lock_);
  for (int i = 0; i < constants_.Count(); ++i) {
    TLang_Constant& c = constants_[i];
    if (!tr) {
      c.Text = c.BuiltInText;
      continue;
    }
    int index = tr->Constants().IndexOf(c.Name);
    if (index >= 0) c.Text = tr->Constants()[index].Text;
  }
  // A handler may close a window while the others are translated.
  std::vector<TCustomLangController*> controllers = controllers_;
  for (TCustomLangController* c : controllers)
    if (IsAttached(c)) ApplyToController(tr, c);
}

void TLangManager::ApplyToController(const TLang_CompTranslations* tr, TCustomLangController* controller) {
  if (controller->OnLanguageChanging) controller->OnLanguageChanging(*controller);
  const TLang_CompTranslation* section = tr ? tr->FindSection(controller->WindowName()) : nullptr;
  controller->ApplySection(section);
  if (controller->OnLanguageChanged) controller->OnLanguageChanged(*controller);
}

bool TLangManager::IsAttached(const TCustomLangController* controller) const {
  return std::find(controllers_.begin(), controllers_.end(), controller) != controllers_.end();
}

void TLangManager::AttachController(TCustomLangController* controller) {
  WriteGuard guard(lock_);
  if (IsAttached(controller)) return;
  if (controller->manager_ && controller->manager_ != this) controller->manager_->DetachController(controller);
  controllers_.push_back(controller);
  controller->manager_ = this;
}

void TLangManager::DetachController(TCustomLangController* controller) {
  WriteGuard guard(lock_);
  auto it = std::find(controllers_.begin(), controllers_.end(), controller);
  if (it == controllers_.end()) return;
  controllers_.erase(it);
  controller->manager_ = nullptr;
}

void TLangManager::TranslateNewController(TCustomLangController* controller) {
  ReadGuard guard(lock_);
  if (currentId_ == defaultId_) return;
  std::unique_ptr<TLang_CompTranslations> tr = LoadTranslationsFor(currentId_);
  if (tr) ApplyToController(tr.get(), controller);
}

TLangManager& LangManager() {
  std::unique_ptr<TLangManager>& manager = Instance();
  if (!manager) manager = std::make_unique<TLangManager>(kMainModule);
  return *manager;
}

void FreeLangManager() { Instance().reset(); }

void UseBuiltInTexts(TProgram program) {
  SetRcData(kMainModule, "LANG_CONSTS",
            EncodeLangConsts(program == TProgram::Glyphkiln ? GlyphkilnTexts() : QuirewrightTexts()));
}

std::string LanguageFolder(const std::string& programDir, TProgram program) {
  std::string dir = programDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir + "languages/" + (program == TProgram::Glyphkiln ? "glyphkiln/" : "quirewright/");
}

}  // namespace localisation
