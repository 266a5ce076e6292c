// The settings file as the builder window keeps it: the keys of the settings table restored
// into the window's controls and written from them, the files the settings remember beside
// the controls, and the messages about settings that name files which are gone.
#pragma once

#include "platform/system/inifile.h"
#include "platform/system/message.h"
#include "wizard/settingsvalues.h"

#include <functional>
#include <set>
#include <string>

namespace platform {
class TComponent;
}

namespace wizard {

class TSettingsStore {
public:
  // What the store reads of its window.
  struct TWindow {
    // The control of a key, by its name in the window description (nullptr: none).
    std::function<platform::TComponent*(const std::string& name)> Find;
    std::function<platform::TIniFile()> Open;  // the settings file
    // The remembered custom font file of font slot 1..5 (nullptr: none).
    std::function<std::string*(int slot)> FontFile;
    std::function<void(const platform::TMessage& text)> Warn;  // a warning message box
  };
  explicit TSettingsStore(TWindow window) : window_(std::move(window)) {}

  // The phone list file and the custom key layout file the settings remember.
  const std::string& PhonesListFile() const { return phonesListFile_; }
  void SetPhonesListFile(std::string path) { phonesListFile_ = std::move(path); }
  const std::string& KeysLayoutFile() const { return keysLayoutFile_; }
  void SetKeysLayoutFile(std::string path) { keysLayoutFile_ = std::move(path); }
  // The remembered file a key stores (nullptr: the key stores a control's value).
  std::string* RememberedFile(const SettingKey& key);

  // Restores one key; the keys a page reads on its first visit; the advanced options.
  void Restore(const platform::TIniFile& ini, const SettingKey& key);
  void RestoreFirstVisit(int page);
  void RestoreAdvanced();
  // The value a key stores.
  std::string StoredValue(const SettingKey& key);
  // Writes the keys in one write of the file: only cbDirectory's when `directoryOnly`, and the
  // advanced options only with `advanced`. False when the file cannot be written; `reason`
  // then says why.
  bool Save(bool directoryOnly, bool advanced, std::string* reason = nullptr);

  // Tells the user that a file named in the settings cannot be used and what is used instead,
  // each text once per run.
  void ReportStale(const platform::TMessage& text);

private:
  bool SaveAdvanced(platform::TIniFile& ini);
  TWindow window_;
  std::string phonesListFile_;
  std::string keysLayoutFile_;
  std::set<std::string> staleReported_;
};

}  // namespace wizard
