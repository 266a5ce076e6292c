// Events (never while loading): OnClick when the user presses it (mouse or keyboard), or Click() is called.
#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

class TButton : public TWinControl {
  QW_CLASS(TButton, TWinControl)
public:
  explicit TButton(TComponent* owner);
  static void Publish(TProps<TButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

}  // namespace platform
