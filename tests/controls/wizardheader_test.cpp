#include "controls/wizardheader.h"

#include "platform/ui/control.h"
#include "platform/ui/qtbridge.h"

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace controls {
namespace {

using namespace platform;

class TCountingHeader : public TWizardHeader {
public:
  explicit TCountingHeader(TComponent* owner) : TWizardHeader(owner) {}
  int paints = 0;

protected:
  void Paint(QPainter& p) override {
    ++paints;
    TWizardHeader::Paint(p);
  }
};

TEST(WizardHeader, Defaults) {
  TOwned<TWizardHeader> h(new TWizardHeader(nullptr));
  EXPECT_EQ(h->Height(), 60);
  EXPECT_EQ(h->Align(), TAlign::alTop);
  EXPECT_TRUE(h->Gradient()->Active());
  EXPECT_EQ(h->Gradient()->FromColor(), clHighlight);
  EXPECT_EQ(h->Gradient()->ToColor(), clWindow);
  EXPECT_EQ(h->Gradient()->Orientation(), fgdVertical);
  EXPECT_NE(h->CaptionFont()->Style() & fsBold, 0u);
  EXPECT_EQ(h->SymbolFont()->Name(), "Wingdings");
  EXPECT_EQ(h->SymbolFont()->Size(), 26);
  EXPECT_FALSE(h->HasGlyph());
  EXPECT_TRUE(h->Glyph().isNull());  // made on first access
  EXPECT_TRUE(h->HasGlyph());
  EXPECT_EQ(h->CurrentCaption(), "Caption");
  EXPECT_EQ(h->CurrentComment(), "Some comment text");
}

TEST(WizardHeader, PageNoPaintsAtOnceAndSymbolIsCut) {
  TOwned<TCountingHeader> h(new TCountingHeader(nullptr));
  h->SetBounds(0, 0, 400, 60);
  h->Captions()->Assign(std::vector<std::string>{"First", "Second"});
  h->Widget()->show();
  QCoreApplication::processEvents();
  const int before = h->paints;
  h->SetPageNo(5);
  EXPECT_GT(h->paints, before);
  EXPECT_EQ(h->CurrentCaption(), "Second");

  h->SetSymbol("JK");
  QImage img(400, 60, QImage::Format_RGB32);
  h->Widget()->render(&img);
  EXPECT_EQ(h->Symbol(), "J");
  EXPECT_EQ(FromQColor(QColor::fromRgb(img.pixel(352, 7))), ColorToRGB(clHighlight));

  // Gradient changes wait for the next painting.
  const int painted = h->paints;
  h->Gradient()->SetSteps(10);
  TGradient g;
  g.SetActive(false);
  h->SetGradient(&g);
  EXPECT_EQ(h->paints, painted);
  EXPECT_FALSE(h->Gradient()->Active());
}

}  // namespace
}  // namespace controls
