// Pictures of the main window and its dialogs in the three languages, for looking at them and for the
// manual; written only when TOLMEK_GRAB_DIR names a folder.
#include <QDir>
#include <QDialog>
#include <QPixmap>

#include "app_support.h"
#include "gui/app/dialog_diverse.h"
#include "gui/app/dialog_lang.h"
#include "gui/app/dialog_pic.h"
#include "gui/app/dialog_projekt.h"
#include "gui/app/lang.h"

namespace tolmek::test {
namespace {

QString GrabDir() { return qEnvironmentVariable("TOLMEK_GRAB_DIR"); }

void Save(QWidget& w, const QString& name) {
  w.show();
  QApplication::processEvents();
  EXPECT_TRUE(w.grab().save(QDir(GrabDir()).filePath(name + ".png"))) << name.toStdString();
}

TEST_F(AppTest, PicturesOfTheWindowsInEveryLanguage) {
  if (GrabDir().isEmpty()) GTEST_SKIP() << "set TOLMEK_GRAB_DIR to write the pictures";
  QDir().mkpath(GrabDir());
  const QString plan = QString(TOLMEK_SOURCE_DIR) + "/examples/first-steps.pic";
  for (const char* lang : {"1", "2", "3"}) {
    const QString suffix = QString("_%1").arg(lang);
    Settings(std::string("[Language]\nLang=") + lang + "\n");
    Start({plan});
    form->resize(1100, 720);
    QApplication::processEvents();
    Save(*form, "main" + suffix);
    form->Action("SpeedButton19")->trigger();
    Save(*form, "main_panel2" + suffix);
    form->Action("SpeedButton18")->trigger();
    form->Action("SpeedButton21")->trigger();
    form->Engine().SetNetLevel("RB.0", 1);
    form->Engine().SetNetLevel("RB.1", 1);
    for (int i = 0; i < 3; ++i) form->Engine().Tick();
    EXPECT_EQ(form->Engine().NetLevel("RB.4"), 1) << "the picture must show the gate's output high";
    Save(*form, "simulation" + suffix);
    form->Action("SpeedButton21")->trigger();
    TDialogPIC pic(project->Mcu, true, project->Messages);
    Save(pic, "microcontroller" + suffix);
    TDialogDiverse diverse({*env, 100, LanguageIndex(env->Lang)});
    Save(diverse, "environment" + suffix);
    TDialogProjekt projekt(project->Info, project->Messages);
    Save(projekt, "project" + suffix);
    TDialogLang language;
    language.Choose(std::atoi(lang));
    Save(language, "language" + suffix);
    form->Action("Inhalt")->trigger();
    if (auto* help = form->findChild<QDialog*>("HelpWindow")) Save(*help, "help" + suffix);
    project->Saved = true;
    Exit();
  }
}

}  // namespace
}  // namespace tolmek::test
