#include "wizard/wincomps.h"

#include "controls/pagemanager.h"
#include "controls/registry.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

using namespace platform;

namespace wizard {

namespace {

// The pages of a window-layer notebook as the page manager sees them. Owned by the
// notebook, so it lives exactly as long as the notebook.
class TNotebookPagesAdapter : public TComponent, public controls::TNotebookPages {
  QW_CLASS(TNotebookPagesAdapter, TComponent)
public:
  explicit TNotebookPagesAdapter(TComponent* owner) : TComponent(owner), notebook_(dynamic_cast<TNotebook*>(owner)) {}
  int PageCount() const override { return notebook_->PageCount(); }
  int PageIndex() const override { return notebook_->PageIndex(); }
  void SetPageIndex(int index) override { notebook_->SetPageIndex(index); }
  std::string PageName(int index) const override {
    return index >= 0 && index < notebook_->PageCount() ? notebook_->Page(index)->Caption() : std::string();
  }
  int IndexOfPage(const std::string& name) const override {
    for (int i = 0; i < notebook_->PageCount(); ++i)
      if (SameName(notebook_->Page(i)->Caption(), name)) return i;
    return -1;
  }
  int PageHelpContext(int index) const override {
    return index >= 0 && index < notebook_->PageCount() ? notebook_->Page(index)->HelpContext() : 0;
  }

private:
  TNotebook* notebook_;
};

controls::TNotebookPages* PagesOfNotebook(TControl* control) {
  auto* notebook = dynamic_cast<TNotebook*>(control);
  if (notebook == nullptr) return nullptr;
  for (int i = 0; i < notebook->ComponentCount(); ++i)
    if (auto* a = dynamic_cast<TNotebookPagesAdapter*>(notebook->Components(i))) return a;
  return new TNotebookPagesAdapter(notebook);
}

}  // namespace

void RegisterWizardClasses() {
  static const bool once = [] {
    RegisterStandardClasses();
    controls::RegisterControlClasses();
    // The window layer's speed button (the controls register their own under that name).
    RegisterClass<TSpeedButton>();
    controls::RegisterNotebookAdapter(PagesOfNotebook);
    return true;
  }();
  (void)once;
}

}  // namespace wizard
