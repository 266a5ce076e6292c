// The header band of a wizard page: 60 pixels high at the top of the page, with a bold
// caption, an indented comment, an optional picture or one-character symbol at the right,
// an etched bottom edge and a thin gradient strip above it.
#pragma once

#include "controls/gradient.h"
#include "platform/components/strings.h"
#include "platform/ui/graphiccontrol.h"

#include <QImage>
#include <memory>

namespace controls {

class TWizardHeader : public platform::TGraphicControl {
  QW_CLASS(TWizardHeader, platform::TGraphicControl)
public:
  explicit TWizardHeader(platform::TComponent* owner);
  static void Publish(platform::TProps<TWizardHeader>& p);

  platform::TStrings* Captions() { return &captions_; }
  void SetCaptions(platform::TStrings* s);
  platform::TStrings* Comments() { return &comments_; }
  void SetComments(platform::TStrings* s);
  int PageNo() const { return pageNo_; }
  // Paints at once.
  void SetPageNo(int page);
  // The caption font is the control's own font.
  platform::TFont* CaptionFont() { return Font(); }
  void SetCaptionFont(platform::TFont* f);
  platform::TFont* CommentFont() { return &commentFont_; }
  void SetCommentFont(platform::TFont* f);
  platform::TFont* SymbolFont() { return &symbolFont_; }
  void SetSymbolFont(platform::TFont* f);
  const std::string& Symbol() const { return symbol_; }
  void SetSymbol(const std::string& s);
  // Copying settings into the header's gradient does not repaint.
  TGradient* Gradient() { return &gradient_; }
  void SetGradient(TGradient* g);
  // Made (empty) on first access; setting it does not repaint.
  QImage& Glyph();
  bool HasGlyph() const { return glyph_ != nullptr; }
  bool BufferedDraw() const { return bufferedDraw_; }
  void SetBufferedDraw(bool v) { bufferedDraw_ = v; }

  // The texts the next painting shows.
  std::string CurrentCaption() const;
  std::string CurrentComment() const;

protected:
  void Paint(QPainter& painter) override;

private:
  platform::TStrings captions_, comments_;
  int pageNo_ = 0;
  platform::TFont commentFont_, symbolFont_;
  std::string symbol_;
  TGradient gradient_;
  std::unique_ptr<QImage> glyph_;
  bool bufferedDraw_ = false;
};

}  // namespace controls
