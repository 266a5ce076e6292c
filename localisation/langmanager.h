// The language manager: the program's named texts, the languages that language files
// offer, the current language and the windows' language controllers.
//
//   localisation::LangManager().TextByName("TooManyMidletsMsg")
//
// The manager is created on first use from the "LANG_CONSTS" resource of the main module.
// That is Quirewright's table; the font creator calls UseBuiltInTexts(TProgram::Glyphkiln)
// before anything reaches the manager.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/constants.h"
#include "localisation/langfile.h"
#include "localisation/resources.h"

namespace localisation {

class TLangManager;

// What the manager needs of a window's language controller. The window layer's
// TLangController derives from it. Constructing one attaches it to the manager and
// destroying it detaches it.
class TCustomLangController {
public:
  // Attaches to LangManager() (creating the manager when needed).
  TCustomLangController();
  explicit TCustomLangController(TLangManager& manager);
  virtual ~TCustomLangController();
  TCustomLangController(const TCustomLangController&) = delete;
  TCustomLangController& operator=(const TCustomLangController&) = delete;

  // Name of the controller's window (the root of its entry tree): selects the section of
  // a language file.
  virtual std::string WindowName() const = 0;
  // Sets each translated property to the section's text for its id, or to its default text
  // when `section` is none or lacks the id.
  virtual void ApplySection(const TLang_CompTranslation* section) = 0;

  // Raised around every ApplySection of a language switch; the sender is the controller.
  std::function<void(TCustomLangController&)> OnLanguageChanging;
  std::function<void(TCustomLangController&)> OnLanguageChanged;

  // None once the manager has been freed.
  TLangManager* Manager() const { return manager_; }

private:
  friend class TLangManager;
  TLangManager* manager_ = nullptr;
};

enum class TLangSourceKind : uint8_t { ResourceByName = 0, ResourceById = 1, File = 2 };

struct TLang_LangResource {
  TLangSourceKind Kind = TLangSourceKind::File;
  HModule Module = 0;  // 0 for files
  std::string Name;    // resource name or file path as given
  int Id = 0;          // numeric resource identifier
  uint16_t LangId = 0;
};

// The languages on offer, in order of addition, at most one per language id.
class TLang_LangResources {
public:
  // Adding a language id that is present overwrites that entry.
  void Add(const TLang_LangResource& source);
  const TLang_LangResource* Find(uint16_t langId) const;
  const std::vector<TLang_LangResource>& Items() const { return items_; }

private:
  std::vector<TLang_LangResource> items_;
};

// Multi-reader single-writer lock for one thread: both kinds nest, and a holder of the write
// lock may take the read lock.
class TLangLock {
public:
  void BeginRead() { mutex_.lock(); }
  void EndRead() { mutex_.unlock(); }
  void BeginWrite() { mutex_.lock(); }
  void EndWrite() { mutex_.unlock(); }

private:
  std::recursive_mutex mutex_;
};

class TLangManager {
public:
  static constexpr uint16_t kDefaultLanguageId = 1033;

  // Loads the module's "LANG_CONSTS" resource (an empty table when it has none). An invalid
  // or duplicate name in it fails with ELangError.
  explicit TLangManager(HModule module = kMainModule);
  ~TLangManager();
  TLangManager(const TLangManager&) = delete;
  TLangManager& operator=(const TLangManager&) = delete;

  // Current text of a named text (name without regard to case);
  // ELangError "Constant "%s" not found".
  std::string TextByName(std::string_view name);
  uint16_t BuiltInLanguageId();
  uint16_t CurrentLanguageId();

  // True when the file exists and its header declares a nonzero LANGID (low 16 bits); a
  // LANGID other than the default one becomes a source. A file that cannot be read throws.
  bool AddLanguageFile(const std::string& path);
  // Registers the files of `folder` matching `mask` (wildcards * and ?, without regard to
  // case), in byte order of their names; returns how many were accepted. A file that cannot
  // be read is skipped.
  int RegisterLanguageFolder(const std::string& folder, const std::string& mask = "*.lng",
                             bool recursive = false);
  // Makes `id` the current language; an id without a source selects the default language.
  // Named texts and windows are re-applied only when the language changes.
  void SwitchLanguage(uint16_t id);

  void AttachController(TCustomLangController* controller);
  void DetachController(TCustomLangController* controller);
  // Translates a window that has just finished loading, when a language other than the
  // default is current.
  void TranslateNewController(TCustomLangController* controller);

  const TLang_Constants& Constants() const { return constants_; }
  const TLang_LangResources& Sources() const { return sources_; }
  const std::vector<TCustomLangController*>& Controllers() const { return controllers_; }

private:
  std::unique_ptr<TLang_CompTranslations> LoadTranslationsFor(uint16_t id);
  void ApplyLanguage(const TLang_CompTranslations* tr);
  void ApplyToController(const TLang_CompTranslations* tr, TCustomLangController* controller);
  bool IsAttached(const TCustomLangController* controller) const;

  TLangLock lock_;
  TLang_Constants constants_;
  std::vector<TCustomLangController*> controllers_;
  TLang_LangResources sources_;
  uint16_t defaultId_ = kDefaultLanguageId;
  uint16_t currentId_ = kDefaultLanguageId;
};

// The program's manager, created on the first call.
TLangManager& LangManager();
// Frees the manager (at shutdown, after the windows; tests use it to start afresh).
void FreeLangManager();

enum class TProgram { Quirewright, Glyphkiln };
// Makes the program's built-in table the main module's "LANG_CONSTS" resource; takes effect
// when the manager is next created.
void UseBuiltInTexts(TProgram program);

// The folder of a program's own language files beside it: <program folder>languages/
// quirewright/ or .../glyphkiln/ (with a trailing '/'). Each program reads only its own, as
// both may share one program folder and name their main windows alike.
std::string LanguageFolder(const std::string& programDir, TProgram program);

}  // namespace localisation
