#include "platform/ui/opendialog.h"

#include "platform/ui/services.h"

namespace platform {

void TOpenDialog::Publish(TProps<TOpenDialog>& p) {
  p.Str("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  p.Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  p.Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  p.Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
  p.Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  p.Set("Options",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
         "ofForceShowHidden"},
        &TOpenDialog::Options, &TOpenDialog::SetOptions);
  p.Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.Save = IsSave();
  r.Title = title_;
  r.Filter = filter_;
  r.FilterIndex = filterIndex_;
  r.DefaultExt = defaultExt_;
  r.InitialDir = initialDir_;
  r.FileName = fileName_;
  r.OverwritePrompt = (options_ & ofOverwritePrompt) != 0;
  r.AllowMultiSelect = (options_ & ofAllowMultiSelect) != 0;
  r.FileMustExist = (options_ & ofFileMustExist) != 0;
  TFileDialogResult result;
  if (!Services().FileDialog(r, result) || result.Files.empty()) return false;
  fileName_ = result.Files.front();
  files_.Assign(result.Files);
  filterIndex_ = result.FilterIndex;
  return true;
}

}  // namespace platform
