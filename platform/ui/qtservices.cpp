#include "platform/ui/qtservices.h"

#include "platform/ui/application.h"
#include "platform/ui/qtbridge.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

// "Text files|*.txt;*.htm|All|*.*" -> "Text files (*.txt *.htm)", "All (*.*)".
QStringList NameFilters(const std::string& filter) {
  QStringList parts = ToInterfaceQString(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << parts[i] + " (" + patterns + ")";
  }
  return out;
}

// Whether the desktop has a program for a local file, asked the way its opener (xdg-open)
// decides: the file's type, then the default application of that type. The opener itself
// runs detached, so its failure would go unseen. Without xdg-mime, or when it does not
// answer, the opener is left to decide.
bool DesktopCanOpen(const QString& path) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return true;
  auto ask = [&xdgMime](const QStringList& args, QString& answer) {
    QProcess p;
    p.start(xdgMime, args);
    if (!p.waitForFinished(5000)) {
      p.kill();
      p.waitForFinished();
      return false;
    }
    if (p.exitStatus() != QProcess::NormalExit) return false;
    answer = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    return true;
  };
  QString type, application;
  if (!ask({QStringLiteral("query"), QStringLiteral("filetype"), path}, type)) return true;
  type = type.section(QLatin1Char(';'), 0, 0).trimmed();
  if (type.isEmpty()) return true;
  if (!ask({QStringLiteral("query"), QStringLiteral("default"), type}, application)) return true;
  return !application.isEmpty();
}

class QtServicesImpl : public TServices {
public:
  void MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) override {
    Show(ToInterfaceQString(text), ToInterfaceQString(caption), icon);
  }
  void MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon) override {
    Show(QString::fromStdString(text), QString::fromStdString(caption), icon);
  }
  static void Show(const QString& text, const QString& caption, TMsgIcon icon) {
    EnsureQtApplication();
    QMessageBox::Icon i = QMessageBox::NoIcon;
    switch (icon) {
      case TMsgIcon::Information: i = QMessageBox::Information; break;
      case TMsgIcon::Warning: i = QMessageBox::Warning; break;
      case TMsgIcon::Error: i = QMessageBox::Critical; break;
      case TMsgIcon::Question: i = QMessageBox::Question; break;
      case TMsgIcon::None: break;
    }
    QMessageBox box(i, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  }

  bool FileDialog(const TFileDialogRequest& r, TFileDialogResult& result) override {
    EnsureQtApplication();
    QFileDialog d(QApplication::activeWindow(), ToInterfaceQString(r.title));
    d.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (r.save) d.setFileMode(QFileDialog::AnyFile);
    else d.setFileMode(r.allow_multi_select ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, !r.overwrite_prompt);
    QStringList filters = NameFilters(r.filter);
    if (!filters.isEmpty()) {
      d.setNameFilters(filters);
      int index = r.filter_index - 1;
      if (index >= 0 && index < filters.size()) d.selectNameFilter(filters[index]);
    }
    if (!r.default_ext.empty()) d.setDefaultSuffix(QString::fromStdString(r.default_ext));
    if (!r.initial_dir.empty()) d.setDirectory(QFile::decodeName(r.initial_dir.c_str()));
    // The proposed name stands in the name box, a pattern such as "*.fnt" too; a pattern
    // accepted from the name box filters the list and the dialog stays.
    if (!r.file_name.empty()) d.selectFile(QFile::decodeName(r.file_name.c_str()));
    for (;;) {
      if (d.exec() != QDialog::Accepted) return false;
      const QStringList chosen = d.selectedFiles();
      const QString name = chosen.size() == 1 ? QFileInfo(chosen.front()).fileName() : QString();
      if (!name.contains(u'*') && !name.contains(u'?')) break;
      d.setNameFilter(name);
      d.selectFile(name);
    }
    result.files.clear();
    for (const QString& f : d.selectedFiles()) result.files.push_back(QFile::encodeName(QDir::toNativeSeparators(f)).toStdString());
    result.filter_index = static_cast<int>(filters.indexOf(d.selectedNameFilter())) + 1;
    if (result.filter_index <= 0) result.filter_index = r.filter_index;
    return !result.files.empty();
  }

  bool ChooseColor(TColor& color) override {
    EnsureQtApplication();
    QColor c = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
    if (!c.isValid()) return false;
    color = FromQColor(c);
    return true;
  }

  void Beep() override {
    EnsureQtApplication();
    QApplication::beep();
  }

  bool OpenUrl(const std::string& url) override {
    EnsureQtApplication();
    const QUrl u(ToInterfaceQString(url));
    if (u.isLocalFile() && !DesktopCanOpen(u.toLocalFile())) return false;
    return QDesktopServices::openUrl(u);
  }

  bool OpenFolder(const std::string& folder) override {
    EnsureQtApplication();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(folder.c_str())));
  }

  void ProcessMessages() override {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  }

  void RequestQuit() override {
    EnsureQtApplication();
    PostQuit(0);
  }

private:
  // Posted: takes effect when the event loop runs again (also one not yet started), but not
  // inside a message box's loop, which would close every box still to come.
  static void PostQuit(int delay) {
    QTimer::singleShot(delay, QCoreApplication::instance(), [] {
      if (QApplication::activeModalWidget() != nullptr) PostQuit(50);
      else QCoreApplication::quit();
    });
  }
};

}  // namespace

TServices& QtServices() {
  static QtServicesImpl impl;
  return impl;
}

}  // namespace platform
