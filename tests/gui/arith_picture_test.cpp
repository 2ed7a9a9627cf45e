// The README's picture of the comparator, the arithmetic block and the limiter while simulating; written
// only when TOLMEK_GRAB_DIR names a folder.
#include <QDir>

#include "app_support.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "model/project_file.h"

namespace tolmek::test {
namespace {

TEST_F(AppTest, PictureOfTheNumericBlocks) {
  const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "set TOLMEK_GRAB_DIR to write the picture";
  QDir().mkpath(dir);
  const QString path = File("NUMERIC.PIC");
  {
    Messenger m(&sink, Language::English);
    Project p(m);
    auto& product = static_cast<TObjMathe&>(*p.CreateElement(kind::Mathe, 100, 80));
    product.SetOperation(TObjMathe::Multiply);
    product.A().SetName("RB");
    product.B().SetName("3");
    product.Result().SetName("PROD");
    auto& compare = static_cast<TObjVergl&>(*p.CreateElement(kind::Vergl, 100, 220));
    compare.SetCompareOp(TObjVergl::GreaterEqual);
    compare.A().SetName("RB");
    compare.B().SetName("100");
    compare.Output().SetName("RA.0");
    auto& limit = static_cast<TObjLimit&>(*p.CreateElement(kind::Limit, 320, 80));
    limit.UpperLimit = "200";
    limit.LowerLimit = "50";
    limit.In().SetName("PROD");
    limit.Output().SetName("OUT");
    limit.UpperFlag().SetName("RA.1");
    limit.LowerFlag().SetName("RA.2");
    ASSERT_TRUE(SaveProject(p, path.toStdString()));
  }
  Start({path});
  form->resize(760, 480);
  form->Action("SpeedButton21")->trigger();
  form->Engine().Variables().Find("RB")->Value = 120;
  for (int i = 0; i < 3; ++i) form->Engine().Tick();
  EXPECT_EQ(form->Engine().Variables().Find("PROD")->Value, 104);  // 360 in a byte
  EXPECT_EQ(form->Engine().Variables().Find("OUT")->Value, 104);
  EXPECT_EQ(form->Engine().NetLevel("RA.0"), 1);
  QApplication::processEvents();
  EXPECT_TRUE(form->grab().save(QDir(dir).filePath("blocks_arith.png")));
  form->Action("SpeedButton21")->trigger();
  project->Saved = true;
  Exit();
}

}  // namespace
}  // namespace tolmek::test
