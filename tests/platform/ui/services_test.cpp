#include "platform/ui/application.h"
#include "platform/ui/qtservices.h"

#include "support/tempdir.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

// A search path holding stand-ins for the desktop's xdg-mime and xdg-open (and the shell's
// own tools): xdg-mime answers a file type and, when the file "default" exists, its content
// as the default application; both write what they were asked into log files.
class DesktopStandIns {
public:
  DesktopStandIns() : oldPath_(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "") {
    const std::string bin = dir_.File("bin");
    testing_support::WriteFile(bin + "/xdg-mime",
                               "#!/bin/sh\n"
                               "here=$(dirname \"$0\")\n"
                               "echo \"$*\" >> \"$here/../asked\"\n"
                               "case \"$1 $2\" in\n"
                               "  'query filetype') echo 'application/vnd.ms-htmlhelp; charset=binary' ;;\n"
                               "  'query default') cat \"$here/../default\" 2>/dev/null ;;\n"
                               "esac\n");
    testing_support::WriteFile(bin + "/xdg-open", "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/../opened\"\n");
    std::filesystem::permissions(bin + "/xdg-mime", std::filesystem::perms::owner_all);
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    setenv("PATH", (bin + ":/usr/bin:/bin").c_str(), 1);
  }
  ~DesktopStandIns() { setenv("PATH", oldPath_.c_str(), 1); }
  DesktopStandIns(const DesktopStandIns&) = delete;
  DesktopStandIns& operator=(const DesktopStandIns&) = delete;

  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string Read(const std::string& name) const { return testing_support::ReadFile(dir_.File(name)); }

private:
  testing_support::TempDir dir_;
  std::string oldPath_;
};

// A local file opens only when the desktop names an application for its type; without one
// the call says so at once and the opener is not started.
TEST(QtServices, ALocalFileWithoutAViewerDoesNotOpen) {
  DesktopStandIns desktop;
  const std::string manual = desktop.File("manual/tomefalcon_en.chm");
  testing_support::WriteFile(manual, "ITSF");
  EXPECT_FALSE(QtServices().OpenUrl("file://" + manual));
  EXPECT_EQ(desktop.Read("asked"), "query filetype " + manual + "\nquery default application/vnd.ms-htmlhelp\n");
  QThread::msleep(200);
  EXPECT_EQ(desktop.Read("opened"), "");

  // With a viewer the request goes on to the opener (which the off-screen platform has not).
  testing_support::WriteFile(desktop.File("default"), "chmviewer.desktop\n");
  const bool opened = QtServices().OpenUrl("file://" + manual);
  EXPECT_EQ(desktop.Read("asked"), "query filetype " + manual + "\nquery default application/vnd.ms-htmlhelp\n" +
                                       "query filetype " + manual + "\nquery default application/vnd.ms-htmlhelp\n");
  if (opened) {
    for (int i = 0; i < 50 && desktop.Read("opened").empty(); ++i) QThread::msleep(100);
    EXPECT_NE(desktop.Read("opened").find("tomefalcon_en.chm"), std::string::npos);
  }
}

// The font creator proposes "*.fnt": the save dialog shows the pattern in its name box, and
// accepting it filters the list and keeps the dialog open for a name.
TEST(QtServices, APatternStandsInTheSaveDialogsNameBox) {
  EnsureQtApplication();
  const testing_support::TempDir tmp;
  TFileDialogRequest request;
  request.save = true;
  request.filter = "Tomefalcon font files|*.fnt";
  request.default_ext = "fnt";
  request.initial_dir = tmp.Path().string();
  request.file_name = "*.fnt";
  std::vector<QString> nameBox;
  QTimer user;
  user.setInterval(20);
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* edit = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
    if (!edit || !dialog->isVisible()) return;
    nameBox.push_back(edit->text());
    if (nameBox.size() == 1) {
      QMetaObject::invokeMethod(dialog, "accept");  // the pattern as it stands
    } else if (nameBox.size() == 2) {
      edit->setText("small.fnt");
      QMetaObject::invokeMethod(dialog, "accept");
    } else {
      dialog->reject();
    }
  });
  user.start();
  TFileDialogResult result;
  ASSERT_TRUE(QtServices().FileDialog(request, result));
  ASSERT_GE(nameBox.size(), 2u);
  EXPECT_EQ(nameBox[0], "*.fnt");
  ASSERT_EQ(result.files.size(), 1u);
  EXPECT_EQ(std::filesystem::path(result.files[0]), tmp.Path() / "small.fnt");
}

}  // namespace
}  // namespace platform
