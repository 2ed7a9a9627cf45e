// Pictures of the example plans as they open, for a look at their layout; written only when
// TOLMEK_GRAB_DIR names a folder.
#include <QDir>

#include "app_support.h"

namespace tolmek::test {
namespace {

TEST_F(AppTest, PicturesOfTheExamplePlans) {
  const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "set TOLMEK_GRAB_DIR to write the pictures";
  QDir().mkpath(dir);
  for (const char* name : {"every-kind-16f877", "kinds-16f84", "kinds-12c508a"}) {
    const QString plan = QString(TOLMEK_SOURCE_DIR) + "/examples/" + name + ".pic";
    Start({plan});
    form->resize(1900, 1000);
    QApplication::processEvents();
    EXPECT_TRUE(form->grab().save(QDir(dir).filePath(QString(name) + ".png"))) << name;
    project->Saved = true;
    Exit();
  }
}

}  // namespace
}  // namespace tolmek::test
