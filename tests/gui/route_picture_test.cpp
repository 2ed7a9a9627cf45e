// The routing kinds on a painted page while simulating: a distributor packs two input bits into SELECT,
// the multiplexer routes a data block's value, a table call looks it up, and their value boxes show it.
// TOLMEK_PICTURE_DIR=/some/dir keeps the picture (the README's tour shows it).
#include <QDir>
#include <QImage>
#include <QPainter>

#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "gui/page_painter.h"
#include "gui_support.h"
#include "gui/environment.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"

namespace tolmek::test {
namespace {

class RoutePicture : public ::testing::Test {
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
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Environment env;
};

TEST_F(RoutePicture, ValuesFlowThroughTheRoutingBlocks) {
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

  QImage image(900, 380, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintPage(painter, project, env, {0, 3000, 0, 0}, image.rect());
  painter.end();
  // The value boxes: yellow digits on blue beside the multiplexer's output and the call.
  int blue = 0;
  for (int y = 150; y < 260; ++y)
    for (int x = 380; x < 480; ++x) blue += image.pixelColor(x, y) == QColor(0, 0, 255);
  EXPECT_GT(blue, 50);
  if (QByteArray dir = qgetenv("TOLMEK_PICTURE_DIR"); !dir.isEmpty())
    image.save(QDir(QString(dir)).filePath("routing.png"));
  engine.StopSimulation();
}

}  // namespace
}  // namespace tolmek::test
