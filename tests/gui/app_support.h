// A main window under test: its own settings folder, recorded messages, dialogs answered by the test.
#pragma once

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <memory>

#include "gui/app/app_settings.h"
#include "gui/app/main_form.h"
#include "gui_support.h"
#include "model/project_file.h"

QT_BEGIN_NAMESPACE
// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tolmek::test {

// Points the per-user configuration folder at a temporary one for the life of the object, so that no
// test reads or writes the real user's settings.
class ScopedConfigHome {
 public:
  ScopedConfigHome() : old_(qgetenv("XDG_CONFIG_HOME")), had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
  }
  ~ScopedConfigHome() {
    if (had_)
      qputenv("XDG_CONFIG_HOME", old_);
    else
      qunsetenv("XDG_CONFIG_HOME");
  }
  ScopedConfigHome(const ScopedConfigHome&) = delete;
  ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;
  [[nodiscard]] QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray old_;
  bool had_;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ForgetMissingNames();
    qputenv("TOLMEK_HELP_DIR", QByteArray(TOLMEK_SOURCE_DIR) + "/docs/help");
    home = std::make_unique<ScopedConfigHome>();
    ASSERT_TRUE(files.isValid());
    keptFolder = QDir::currentPath();
  }
  void TearDown() override {
    Close();
    // Every name a menu, button, caption or hint was wired by was found.
    EXPECT_TRUE(MissingNames().isEmpty()) << MissingNames().join(", ").toStdString();
    QDir::setCurrent(keptFolder);
    home.reset();
  }

  // Writes lines into the settings file before the window starts.
  void Settings(const std::string& text) {
    // The first of two equal keys counts: the new lines go in front.
    IniFile ini = IniFile::Parse(text + "\n" + LoadAppSettings().Text());
    ASSERT_TRUE(SaveAppSettings(ini));
  }

  // A window as the program starts it, with the arguments given.
  void Start(const QStringList& arguments = {}) {
    project = std::make_unique<Project>(messages);
    env = std::make_unique<Environment>();
    form = std::make_unique<TMainForm>(*project, *env, LoadAppSettings());
    form->SetEditor(editor);
    form->Passwords = &passwords;
    form->resize(1000, 700);
    form->show();
    form->Started(arguments);
    QApplication::processEvents();
  }
  // Closes the window as the user does; false when it refused.
  bool Exit() {
    if (!form) return true;
    const bool closed = form->close();
    QApplication::processEvents();
    if (closed) Close();
    return closed;
  }
  void Close() {
    form.reset();
    project.reset();
    env.reset();
  }

  [[nodiscard]] QString File(const QString& name) const { return files.filePath(name); }
  // Saves a project with one gate on each of `pages` (0..9) at `path`.
  void MakePlan(const QString& path, std::initializer_list<int> pages) {
    Messenger m(&sink, Language::English);
    Project p(m);
    for (int page : pages) {
      p.CurrentPage = page;
      p.CreateElement(kind::Gatter, 100, 100);
    }
    ASSERT_TRUE(SaveProject(p, path.toStdString()));
  }

  std::unique_ptr<ScopedConfigHome> home;
  QTemporaryDir files;
  QString keptFolder;
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  FixedPassword passwords;
  RecordingEditor editor;
  std::unique_ptr<Project> project;
  std::unique_ptr<Environment> env;
  std::unique_ptr<TMainForm> form;
};

}  // namespace tolmek::test
