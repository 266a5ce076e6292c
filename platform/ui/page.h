#pragma once

#include "platform/ui/customcontrol.h"

namespace platform {

class TNotebook;

// One page of a notebook; its Caption is the page name.
class TPage : public TCustomControl {
  QW_CLASS(TPage, TCustomControl)
public:
  explicit TPage(TComponent* owner);
  ~TPage() override;
  static void Publish(TProps<TPage>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c);
  void SetParent(TWinControl* parent) override;

protected:
  void Paint(QPainter& painter) override;

private:
  friend class TNotebook;
  TNotebook* notebook_ = nullptr;
};

}  // namespace platform
