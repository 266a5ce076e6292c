// The framework's rule for failures in event handlers, and the deferred quit.
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/control.h"
#include "platform/ui/edit.h"
#include "platform/ui/forms.h"
#include "platform/ui/qtservices.h"
#include "platform/ui/services.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

TEST(EventErrors, AnExceptionLeavingAHandlerIsShownAndTheProgramGoesOn) {
  TFakeServices services;
  Application().SetTitle("Test program");
  TOwned<TForm> form = CreateForm<TForm>();
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    throw std::runtime_error("Broken click handler");
  };
  edit->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw std::out_of_range("Broken mouse handler");
  };

  form->ShowForm();
  // Delivered by Qt as a user's clicks would be.
  auto* push = qobject_cast<QPushButton*>(button->Widget());
  ASSERT_NE(push, nullptr);
  push->click();
  push->click();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(edit->Widget(), &press);

  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(services.messages.size(), 3u);
  for (const auto& m : services.messages) {
    EXPECT_EQ(m.caption, "Test program");
    EXPECT_EQ(m.icon, TMsgIcon::Error);
  }
  EXPECT_EQ(services.messages[0].text, "Broken click handler");
  EXPECT_EQ(services.messages[2].text, "Broken mouse handler");
  Application().SetTitle("");
}

TEST(DeferredQuit, EveryMessageBoxStillToComeIsShown) {
  EnsureQtApplication();
  int shown = 0;
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      ++shown;
      box->close();
    }
  });
  closer.start();
  // Inside the program's event loop, a reader that finds several errors asks to end the
  // program after the first of them and shows the others afterwards.
  QTimer::singleShot(0, [] {
    QtServices().RequestQuit();
    for (int i = 1; i <= 3; ++i) QtServices().MessageBox("Error " + std::to_string(i), "Error", TMsgIcon::Error);
  });
  QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });  // a quit that never comes
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(shown, 3);
}
