// The picture of the timing and counting blocks for the manual, taken while simulating; written only when
// TOLMEK_GRAB_DIR names a folder. It also checks that the picture shows what its caption says.
#include <QDir>

#include "app_support.h"
#include "components/gnd.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "model/node.h"

namespace tolmek::test {
namespace {

void Join(Project& p, int x, int y, std::initializer_list<TObjAnschluss*> pins, const std::string& name) {
  TBauteil* node = p.CreateElement(kind::Knoten, x, y);
  for (TObjAnschluss* pin : pins) ASSERT_TRUE(Connect(*node, *pin));
  node->SetName(name);
}

TEST_F(AppTest, PictureOfTheTimingBlocks) {
  const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "set TOLMEK_GRAB_DIR to write the picture";
  QDir().mkpath(dir);
  const QString path = files.filePath("TIMING.PIC");
  {
    Messenger m(&sink, Language::English);
    Project p(m);
    auto& timer = static_cast<TObjTimer&>(*p.CreateElement(kind::Timer, 60, 60));
    timer.HalfPeriod = 300;
    auto& shot = static_cast<TObjShot&>(*p.CreateElement(kind::Shot, 60, 180));
    auto& counter = static_cast<TObjZaehler&>(*p.CreateElement(kind::Zaehler, 240, 160));
    counter.SetOutputCount(3);
    auto& gnd = static_cast<TObjGnd&>(*p.CreateElement(kind::Gnd, 150, 130));
    auto& puls = static_cast<TObjPuls&>(*p.CreateElement(kind::Puls, 60, 330));
    puls.Length = 800;
    auto& updown = static_cast<TObjVrzaehl&>(*p.CreateElement(kind::Vrzaehl, 240, 330));
    Join(p, 150, 80, {&timer.Output()}, "RB.0");
    Join(p, 30, 210, {&shot.Input(), &updown.Clock()}, "RA.0");
    Join(p, 200, 210, {&shot.Output(), &counter.Clock()}, "P.0");
    Join(p, 220, 170, {&gnd.Pin(), &counter.ResetInput()}, "NORES.0");
    for (int i = 0; i < 3; ++i) Join(p, 360, 170 + 20 * i, {&counter.Output(i)}, "RB." + std::to_string(i + 1));
    Join(p, 30, 350, {&puls.Input()}, "RA.1");
    Join(p, 180, 350, {&puls.Output()}, "RB.4");
    p.Renumber();
    ASSERT_TRUE(SaveProject(p, path.toStdString()));
  }
  Settings("[Language]\nLang=2\n");
  Start({path});
  form->resize(900, 620);
  form->Action("SpeedButton21")->trigger();
  for (int edge = 0; edge < 5; ++edge) {
    form->Engine().SetNetLevel("RA.0", 1);
    form->Engine().Tick();
    form->Engine().SetNetLevel("RA.0", 0);
    form->Engine().Tick();
  }
  form->Engine().SetNetLevel("RA.1", 1);
  form->Engine().Tick();
  form->Engine().Tick();
  EXPECT_EQ(form->Engine().NetLevel("RB.1"), 1) << "five edges counted: 101";
  EXPECT_EQ(form->Engine().NetLevel("RB.2"), 0);
  EXPECT_EQ(form->Engine().NetLevel("RB.3"), 1);
  EXPECT_EQ(form->Engine().NetLevel("RB.4"), 1) << "the mono-flop's pulse runs";
  QApplication::processEvents();
  EXPECT_TRUE(form->grab().save(QDir(dir).filePath("timing_blocks.png")));
  form->Action("SpeedButton21")->trigger();
  project->Saved = true;
  Exit();
}

}  // namespace
}  // namespace tolmek::test
