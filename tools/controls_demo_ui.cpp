// Renders a window with a page header, a spin edit, link labels and an open balloon to a
// PNG file, so that a person can look at the controls (runs offscreen).
//   controls_demo_ui [out.png]
#include "controls/controlclasses.h"
#include "controls/hintballoon.h"
#include "controls/spinedit.h"
#include "controls/urllabel.h"
#include "controls/wizardheader.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace platform;
using namespace controls;

const char* const kDemo = R"(
object DemoForm: TDemoForm
  Caption = 'Controls'
  ClientWidth = 494
  ClientHeight = 260
  Color = clBtnFace
  object WizardHeader1: TWizardHeader
    Captions = ('JAR size limit')
    Comments = ('The largest midlet your phone accepts.')
    CaptionFont.Name = 'DejaVu Sans'
    CaptionFont.Height = -12
    CommentFont.Name = 'DejaVu Sans'
    CommentFont.Height = -11
  end
  object Label1: TLabel
    Left = 24
    Top = 84
    Caption = 'JAR size limit (KB):'
  end
  object spJARLimit: TMySpinEdit
    Left = 160
    Top = 80
    Width = 80
    Height = 22
    MinValue = 64
    MaxValue = 16384
    Increment = 1
    Value = 128
  end
  object UrlLabel1: TUrlLabel
    Left = 24
    Top = 200
    Caption = 'What is JAR size limit ?'
    ShowUrlHint = False
    Hint = 'Most phones accept 64K and more.'
    URLType = utClickEvent
  end
  object UrlLabel2: TUrlLabel
    Left = 24
    Top = 224
    Caption = 'example.org'
    URL = 'example.org'
  end
  object HintBalloonControl1: THintBalloonControl
    AnimationType = batNone
  end
end
)";

class TDemoForm : public TForm {
  QW_CLASS(TDemoForm, TForm)
public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {}
  TUrlLabel* UrlLabel1 = nullptr;
  THintBalloonControl* HintBalloonControl1 = nullptr;

protected:
  std::string_view Description() const override { return kDemo; }
  void DeclareBindings(TBinder& b) override {
    b.Field("UrlLabel1", UrlLabel1);
    b.Field("HintBalloonControl1", HintBalloonControl1);
  }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string out = argc > 1 ? argv[1] : "controls_demo.png";
  Application().Initialize(argc, argv);
  RegisterControlClasses();
  auto form = CreateForm<TDemoForm>();
  form->ShowForm();
  form->Widget()->move(40, 40);
  QApplication::processEvents();

  // The help balloon of the question label, as the wizard shows it.
  const TPoint p = form->UrlLabel1->ClientToScreen({20, 0});
  THintBalloon* balloon = form->HintBalloonControl1->ShowBalloonText(
      0, form->UrlLabel1->Caption(), 1, nullptr, p.Y, p.X, 300, form->UrlLabel1->Hint());
  QApplication::processEvents();

  QWidget* win = form->Widget();
  QWidget* bw = balloon->Window();
  const QRect area = win->frameGeometry().united(bw->geometry()).adjusted(-10, -10, 10, 10);
  QImage img(area.size(), QImage::Format_RGB32);
  img.fill(QColor(0x50, 0x60, 0x70));
  QPainter painter(&img);
  painter.drawImage(win->geometry().topLeft() - area.topLeft(), win->grab().toImage());
  QImage shot = bw->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion mask = bw->mask();
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (!mask.contains(QPoint(x, y))) shot.setPixel(x, y, 0);
  painter.drawImage(bw->geometry().topLeft() - area.topLeft(), shot);
  painter.end();
  if (!img.save(QString::fromLocal8Bit(out.c_str()))) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("wrote %s (%dx%d)\n", out.c_str(), img.width(), img.height());
  balloon->CloseBalloon();
  QApplication::processEvents();
  return 0;
}
