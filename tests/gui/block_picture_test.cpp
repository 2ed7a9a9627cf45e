// Blocks on a painted page while simulating, with their value boxes; TOLMEK_PICTURE_DIR=/some/dir keeps each
// picture (the README's tour shows them).
// - Routing: a distributor packs two input bits into SELECT, the multiplexer routes a data block's value, a
//   table call looks it up.
// - Inputs and outputs: a pulse measured on RB.4 gives the PWM's duty cycle, the EEPROM module keeps the
//   measurement, and the chip sleeps while RB.2 is high.
#include <QDir>
#include <QImage>
#include <QPainter>

#include "codegen/processors.h"
#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/ee.h"
#include "components/mux.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "components/tabelle.h"
#include "gui/environment.h"
#include "gui/page_painter.h"
#include "gui_support.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"

namespace tolmek::test {
namespace {

constexpr int k16F877 = 23;

class BlockPicture : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
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
  // Page 1 painted from its top left corner; kept as `fileName` when TOLMEK_PICTURE_DIR names a folder.
  QImage Paint(int width, int height, const char* fileName) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPage(painter, project, env, {0, 3000, 0, 0}, image.rect());
    painter.end();
    if (QByteArray dir = qgetenv("TOLMEK_PICTURE_DIR"); !dir.isEmpty())
      image.save(QDir(QString(dir)).filePath(fileName));
    return image;
  }
  // Value boxes are blue: the pixels of that colour within `area`.
  static int BluePixels(const QImage& image, QRect area) {
    int blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) blue += image.pixelColor(x, y) == QColor(0, 0, 255);
    return blue;
  }
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Environment env;
};

TEST_F(BlockPicture, ValuesFlowThroughTheRoutingBlocks) {
  auto& pack = Add<TObjBv>(kind::Bv, 100, 100);
  pack.Configure(TObjBv::kBitToByte, 2);
  Wire(pack.Bit(0), -40, "RB.0");
  Wire(pack.Bit(1), -40, "RB.1");
  Wire(pack.Byte(), 40, "SEL");
  auto& level = Add<TObjData8>(kind::Data8, 60, 220);
  level.SetName("LEVEL");
  level.SimValue = 3;
  auto& six = Add<TObjData8>(kind::Data8, 60, 290);
  six.SetName("2");
  auto& mux = Add<TObjMux>(kind::Mux, 300, 150);
  mux.Configure(TObjMux::kNToOne, false, 3);
  Wire(mux.Channel(0), -40, "LEVEL");
  Wire(mux.Channel(1), -40, "2");
  Wire(mux.Channel(2), -40, "SEL");
  Wire(mux.Select(), -40, "SEL");
  Wire(mux.Single(), 60, "IDX");
  auto& table = Add<TObjTabelle>(kind::Tabelle, 520, 60);
  table.SetName("CODES");
  table.Length = 4;
  table.Values[3] = 99;
  table.Values[2] = 42;
  auto& call = Add<TObjCall>(kind::Call, 500, 170);
  call.SetName("CODES");
  Wire(call.In(), -40, "IDX");
  Wire(call.Out(), 40, "ENTRY");
  auto& unpack = Add<TObjBv>(kind::Bv, 700, 160);
  unpack.Configure(TObjBv::kByteToBit, 3);
  Wire(unpack.Byte(), -40, "ENTRY");
  for (int b = 0; b < 3; ++b) Wire(unpack.Bit(b), 40, "RA." + std::to_string(b));
  project.Renumber();

  SimEngine engine(project);
  engine.SetAllPagesOpen(true);
  AddPlanVariables(project, engine);
  ASSERT_TRUE(engine.StartSimulation());
  engine.SetNetLevel("RB.1", 1);  // SELECT 2: channel 2 is SELECT itself
  engine.Tick();
  engine.Tick();
  EXPECT_EQ(engine.Variables().Find("IDX")->Value, 2);
  EXPECT_EQ(engine.Variables().Find("ENTRY")->Value, 42);
  EXPECT_EQ(engine.NetLevel("RA.1"), 1);  // 42 = 101010b
  EXPECT_EQ(engine.NetLevel("RA.0"), 0);
  EXPECT_TRUE(sink.entries.empty());

  const QImage image = Paint(900, 380, "routing.png");
  // The value boxes: yellow digits on blue beside the multiplexer's output and the call.
  EXPECT_GT(BluePixels(image, QRect(380, 150, 100, 110)), 50);
  engine.StopSimulation();
}

TEST_F(BlockPicture, MeasuredPulseDrivesThePwmAndIsKept) {
  project.Mcu.ProcessorType = k16F877;
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

  const QImage image = Paint(780, 300, "blocks_io.png");
  // The pulse input's value box: yellow digits on blue below its output.
  EXPECT_GT(BluePixels(image, QRect(120, 120, 100, 50)), 50);
  engine.StopSimulation();
  EXPECT_EQ(measure.SimValue, 600) << "kept for the file";
}

}  // namespace
}  // namespace tolmek::test
