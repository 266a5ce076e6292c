#include "platform/ui/application.h"

#include "platform/system/codepage.h"
#include "platform/system/message.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/control.h"
#include "platform/ui/forms.h"
#include "platform/ui/qtbridge.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace platform {

namespace {

// The window descriptions name Windows fonts; these are the nearest of a Linux desktop.
void AddFontSubstitutions() {
  const char* sans[] = {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Verdana", "MS Shell Dlg",
                        "MS Shell Dlg 2"};
  for (const char* f : sans)
    QFont::insertSubstitutions(QString::fromLatin1(f), {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans", "Sans Serif"});
  QFont::insertSubstitutions("Courier New", {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono", "Monospace"});
  QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif", "Serif"});
}

// The Qt application: an exception that would leave the delivery of an event is handled as
// one that leaves an event handler.
class TQtApplication : public QApplication {
public:
  TQtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override {
    bool result = false;
    DispatchEvent([&] { result = QApplication::notify(receiver, event); });
    return result;
  }
};

}  // namespace

void EnsureQtApplication() {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "quirewright";
    static char* argv[] = {name, nullptr};
    new TQtApplication(argc, argv);  // lives for the process
  }
  static const bool substituted = (AddFontSubstitutions(), true);
  (void)substituted;
}

TApplication& Application() {
  static TApplication* app = new TApplication;  // lives for the process
  return *app;
}

TApplication::TApplication() {
  languageListener_ = AddInterfaceLanguageListener([this] { CodePageChanged(); });
}

void TApplication::Initialize(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) new TQtApplication(argc, argv);
  EnsureQtApplication();
}

int TApplication::Run() {
  EnsureQtApplication();
  if (terminated_) return 0;
  if (mainForm_ != nullptr && !mainForm_->Visible()) mainForm_->ShowForm();
  if (terminated_) return 0;
  return QApplication::exec();
}

// Kept for the program's own use only: Qt would append a display name to every window
// title, and a title bar shows the window's caption alone.
void TApplication::SetTitle(const std::string& t) { title_ = t; }

void TApplication::ProcessMessages() { Services().ProcessMessages(); }

void TApplication::Terminate() {
  terminated_ = true;
  Services().RequestQuit();
}

void TApplication::MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) {
  Services().MessageBox(text, caption, icon);
}

void TApplication::MessageBox(const TMessage& text, const std::string& caption, TMsgIcon icon) {
  Services().MessageBoxUtf8(text.Utf8(), ToUtf8(caption, InterfaceCodePage()), icon);
}

void TApplication::HandleException(const std::exception& e) { MessageBox(MessageOf(e), title_, TMsgIcon::Error); }

void TApplication::EnsureTimer() {
  if (hintTimer_ != nullptr) return;
  EnsureQtApplication();
  hintTimer_ = new QTimer(QCoreApplication::instance());
  hintTimer_->setSingleShot(true);
  QObject::connect(hintTimer_, &QTimer::timeout, [this] {
    DispatchEvent([this] {
      if (hintControl_ != nullptr) {
        QPoint p = QCursor::pos();
        ActivateHint(hintControl_, {p.x(), p.y()});
      }
    });
  });
}

void TApplication::MouseEntered(TControl* control) {
  if (!showHint_ || !control->ShowHint() || GetShortHint(control->Hint()).empty()) return;
  EnsureTimer();
  hintControl_ = control;
  hintTimer_->start(std::max(0, hintPause_));
}

void TApplication::MouseLeft(TControl* control) {
  if (control == hintControl_) CancelHint();
}

void TApplication::ActivateHint(TControl* control, TPoint screenPos) {
  std::string hint = GetShortHint(control->Hint());
  if (hint.empty()) return;
  TRect r{screenPos.X, screenPos.Y + 20, screenPos.X + 8 * static_cast<int>(hint.size()), screenPos.Y + 40};
  if (hintHook_) {
    hintHook_(control, hint, r);
    return;
  }
  QToolTip::showText(QPoint(r.Left, r.Top), ToQString(hint, control->HintCodePage()), control->Widget(), QRect(),
                     hintHidePause_);
}

void TApplication::CancelHint() {
  if (hintTimer_ != nullptr) hintTimer_->stop();
  hintControl_ = nullptr;
  if (!hintHook_ && QCoreApplication::instance() != nullptr) QToolTip::hideText();
}

bool TApplication::HelpContext(int context) {
  if (!helpHandler_) return false;
  return helpHandler_(context, helpFile_);
}

void TApplication::AddControl(TControl* c) { controls_.push_back(c); }

void TApplication::RemoveControl(TControl* c) {
  if (c == hintControl_) CancelHint();
  if (c == mainForm_) mainForm_ = nullptr;
  auto it = std::find(controls_.rbegin(), controls_.rend(), c);
  if (it != controls_.rend()) controls_.erase(std::next(it).base());
}

void TApplication::CodePageChanged() {
  std::vector<TControl*> copy = controls_;
  for (TControl* c : copy)
    if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) c->CodePageChanged();
}

}  // namespace platform
