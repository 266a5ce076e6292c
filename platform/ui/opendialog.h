#pragma once

#include "platform/components/component.h"
#include "platform/components/strings.h"

#include <string>

namespace platform {

enum : unsigned {
  ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
  ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
  ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
  ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
  ofForceShowHidden = 1u << 21
};

// The open dialog; TSaveDialog asks for a name to save under. Both run through Services().
class TOpenDialog : public TComponent {
  QW_CLASS(TOpenDialog, TComponent)
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  static void Publish(TProps<TOpenDialog>& p);
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& e) { defaultExt_ = e; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& f) { fileName_ = f; }
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& f) { filter_ = f; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int i) { filterIndex_ = i; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& d) { initialDir_ = d; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }
  unsigned Options() const { return options_; }
  void SetOptions(unsigned o) { options_ = o; }
  TStrings* Files() { return &files_; }
  // True when the user chose; FileName and Files then hold the choice.
  virtual bool Execute();

protected:
  virtual bool IsSave() const { return false; }

private:
  std::string defaultExt_, fileName_, filter_, initialDir_, title_;
  int filterIndex_ = 1;
  unsigned options_ = ofHideReadOnly | ofEnableSizing;
  TStrings files_;
};

}  // namespace platform
