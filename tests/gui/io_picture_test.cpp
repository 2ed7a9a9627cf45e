// The pulse input, PWM output, EEPROM and sleep blocks on a painted page while simulating: a pulse measured
// on RB.4 gives the PWM's duty cycle, the EEPROM module keeps the measurement, and the chip sleeps while
// RB.2 is high. TOLMEK_PICTURE_DIR=/some/dir keeps the picture (the README's tour shows it).
#include <QDir>
#include <QImage>
#include <QPainter>

#include "codegen/processors.h"
#include "components/ee.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "gui/environment.h"
#include "gui/page_painter.h"
#include "gui_support.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"

namespace tolmek::test {
namespace {

constexpr int k16F877 = 23;

class IoPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    project.Mcu.ProcessorType = k16F877;
  }
  template <class T>
  T& Add(uint8_t kindCode, int x, int y) {
    return static_cast<T&>(*project.CreateElement(kindCode, x, y));
  }
  // A short wire from the pin to a named node, `dx` units to the side.
  void Wire(TObjAnschluss& pin, int dx, const std::string& net) {
    const Point at = pin.AbsolutePosition(0, 0);
    auto& node = Add<TObjKnoten>(kind::Knoten, at.x + dx, at.y);
    ASSERT_TRUE(Connect(node, pin));
    node.SetName(net);
  }
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Environment env;
};

TEST_F(IoPicture, MeasuredPulseDrivesThePwmAndIsKept) {
  auto& measure = Add<TObjPulsIn>(kind::PulsIn, 60, 100);
  measure.ApplySettings(0, false);
  measure.SimValue = 600;
  auto& pwm = Add<TObjPulsOut>(kind::PulsOut, 400, 110);
  pwm.ApplySettings(TObjPulsOut::kPwm, 1, ProcessorPropertiesOf(k16F877));
  // The measurement runs straight into the PWM's value input.
  const Point from = measure.Output().AbsolutePosition(0, 0);
  auto& join = Add<TObjKnoten>(kind::Knoten, 220, from.y);
  ASSERT_TRUE(Connect(join, measure.Output()));
  ASSERT_TRUE(Connect(join, pwm.Value()));
  join.SetName("RB4TIME");
  Wire(pwm.Enable(), -100, "RB.0");
  Wire(pwm.Output(), 100, pwm.Output().Name);
  auto& keep = Add<TObjEE>(kind::EE, 640, 190);
  keep.EeVariables = {"RB4TIME", "RB4TIME_HI"};
  keep.EeChecksum = true;
  Wire(keep.Input(), -100, "RB.1");
  auto& sleep = Add<TObjSleep>(kind::Sleep, 400, 220);
  Wire(sleep.Input(), -100, "RB.2");
  project.Renumber();

  SimEngine engine(project);
  engine.SetAllPagesOpen(true);
  AddPlanVariables(project, engine);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  engine.Tick();
  EXPECT_EQ(engine.Variables().Find("RB4TIME")->Value, 600);
  EXPECT_EQ(pwm.Output().Name, "RC.2");
  EXPECT_TRUE(sink.entries.empty());

  QImage image(780, 300, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintPage(painter, project, env, {0, 3000, 0, 0}, image.rect());
  painter.end();
  // The pulse input's value box: yellow digits on blue below its output.
  int blue = 0;
  for (int y = 120; y < 170; ++y)
    for (int x = 120; x < 220; ++x) blue += image.pixelColor(x, y) == QColor(0, 0, 255);
  EXPECT_GT(blue, 50);
  if (QByteArray dir = qgetenv("TOLMEK_PICTURE_DIR"); !dir.isEmpty())
    image.save(QDir(QString(dir)).filePath("blocks_io.png"));
  engine.StopSimulation();
  EXPECT_EQ(measure.SimValue, 600) << "kept for the file";
}

}  // namespace
}  // namespace tolmek::test
