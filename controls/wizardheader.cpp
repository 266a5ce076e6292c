#include "controls/wizardheader.h"

#include "controls/headerpaint.h"
#include "platform/ui/control.h"
#include "platform/ui/graphiccontrol.h"

#include <QPainter>

namespace controls {

using namespace platform;

TWizardHeader::TWizardHeader(TComponent* owner) : TGraphicControl(owner) {
  SetAlign(TAlign::alTop);
  SetBounds(0, 0, 400, 60);
  gradient_.SetActive(true);
  gradient_.SetFromColor(clHighlight);
  gradient_.SetToColor(clWindow);
  gradient_.SetOrientation(fgdVertical);
  Font()->SetStyle(Font()->Style() | fsBold);
  symbolFont_.SetName("Wingdings");
  symbolFont_.SetSize(26);
  symbolFont_.SetColor(clHighlightText);
  symbolFont_.SetStyle(fsBold);
}

void TWizardHeader::Publish(TProps<TWizardHeader>& p) {
  p.Obj<TFont>("CaptionFont", &TWizardHeader::CaptionFont, &TWizardHeader::SetCaptionFont);
  p.Obj<TFont>("CommentFont", &TWizardHeader::CommentFont, &TWizardHeader::SetCommentFont);
  p.Obj<TFont>("SymbolFont", &TWizardHeader::SymbolFont, &TWizardHeader::SetSymbolFont);
  p.Int("PageNo", &TWizardHeader::PageNo, &TWizardHeader::SetPageNo);
  p.Obj<TStrings>("Captions", &TWizardHeader::Captions, &TWizardHeader::SetCaptions);
  p.Obj<TStrings>("Comments", &TWizardHeader::Comments, &TWizardHeader::SetComments);
  p.Str("Symbol", &TWizardHeader::Symbol, &TWizardHeader::SetSymbol);
  p.Obj<TGradient>("Gradient", &TWizardHeader::Gradient, &TWizardHeader::SetGradient);
  p.Bool("BufferedDraw", &TWizardHeader::BufferedDraw, &TWizardHeader::SetBufferedDraw);
}

void TWizardHeader::SetCaptions(TStrings* s) {
  if (s != nullptr) captions_.Assign(*s);
  Invalidate();
}

void TWizardHeader::SetComments(TStrings* s) {
  if (s != nullptr) comments_.Assign(*s);
  Invalidate();
}

void TWizardHeader::SetPageNo(int page) {
  pageNo_ = page;
  Repaint();
}

void TWizardHeader::SetCaptionFont(TFont* f) {
  if (f != nullptr) Font()->Assign(*f);
  Invalidate();
}

void TWizardHeader::SetCommentFont(TFont* f) {
  if (f != nullptr) commentFont_.Assign(*f);
  Invalidate();
}

void TWizardHeader::SetSymbolFont(TFont* f) {
  if (f != nullptr) symbolFont_.Assign(*f);
  Invalidate();
}

void TWizardHeader::SetSymbol(const std::string& s) {
  symbol_ = s;
  Invalidate();
}

void TWizardHeader::SetGradient(TGradient* g) {
  if (g != nullptr) gradient_.Assign(*g);
}

QImage& TWizardHeader::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<QImage>();
  return *glyph_;
}

std::string TWizardHeader::CurrentCaption() const { return HeaderText(captions_.ToVector(), pageNo_, "Caption"); }

std::string TWizardHeader::CurrentComment() const {
  return HeaderText(comments_.ToVector(), pageNo_, "Some comment text");
}

void TWizardHeader::Paint(QPainter& painter) {
  if (symbol_.size() > 1) symbol_.resize(1);
  THeaderLook look;
  look.Caption = ToQt(CurrentCaption());
  look.Comment = ToQt(CurrentComment());
  look.CaptionFont = ToQFont(*Font());
  look.CaptionColor = ToQColor(Font()->Color());
  look.CommentFont = ToQFont(commentFont_);
  look.CommentColor = ToQColor(commentFont_.Color());
  look.SymbolFont = ToQFont(symbolFont_);
  look.SymbolColor = ToQColor(symbolFont_.Color());
  look.Symbol = ToQt(symbol_);
  look.Glyph = glyph_.get();
  look.Gradient = &gradient_;
  look.BufferedDraw = bufferedDraw_;
  PaintWizardHeader(painter, Width(), Height(), look);
}

}  // namespace controls
