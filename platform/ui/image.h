// Events (never while loading): OnClick on a left press and release inside the picture.
#pragma once

#include "platform/ui/graphiccontrol.h"

#include <QImage>

namespace platform {

// A picture; the window sets it in code (SetPicture).
class TImage : public TGraphicControl {
  QW_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* owner);
  static void Publish(TProps<TImage>& p);
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& image);
  void Changed();
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v; Invalidate(); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; Invalidate(); }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v) { proportional_ = v; Invalidate(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }

protected:
  void Paint(QPainter& painter) override;

private:
  QImage picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
};

}  // namespace platform
