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
  r.save = IsSave();
  r.title = title_;
  r.filter = filter_;
  r.filter_index = filterIndex_;
  r.default_ext = defaultExt_;
  r.initial_dir = initialDir_;
  r.file_name = fileName_;
  r.overwrite_prompt = (options_ & ofOverwritePrompt) != 0;
  r.allow_multi_select = (options_ & ofAllowMultiSelect) != 0;
  r.file_must_exist = (options_ & ofFileMustExist) != 0;
  TFileDialogResult result;
  if (!Services().FileDialog(r, result) || result.files.empty()) return false;
  fileName_ = result.files.front();
  files_.Assign(result.files);
  filterIndex_ = result.filter_index;
  return true;
}

}  // namespace platform
