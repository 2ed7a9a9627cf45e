// What a painted page shows: every kind built so far, wires, arrows and node marks, in normal and 3D mode.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/rsff.h"
#include "components/spl.h"
#include "components/strigg8.h"
#include "components/text.h"
#include "gui/page_export.h"
#include "gui/page_painter.h"
#include "gui/qt_canvas.h"
#include "gui_support.h"

namespace tolmek::test {
namespace {

const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kRed(255, 0, 0), kYellow(255, 255, 0), kAqua(0, 255, 255),
    kSilver(192, 192, 192), kGrey(128, 128, 128), kLime(0, 255, 0);

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    g1 = &Add<TObjGatter>(kind::Gatter, 100, 100);
    g2 = &Add<TObjGatter>(kind::Gatter, 300, 100);
    g2->ApplySettings(TObjGatter::Or, 2);
    g2->Marked = 1;
    g3 = &Add<TObjGatter>(kind::Gatter, 500, 100);
    g3->ApplySettings(TObjGatter::ExclusiveOr, 3);
    inverter = &Add<TObjGatter>(kind::Gatter, 700, 100);
    inverter->ApplySettings(TObjGatter::And, 1);
    Add<TObjRsff>(kind::Rsff, 100, 300);
    Add<TObjStrigg8>(kind::Strigg8, 300, 300);
    source = &Add<TObjSpl>(kind::Spl, 500, 300);
    source->SetName("PUMP");
    auto& destination = Add<TObjSpl>(kind::Spl, 700, 300);
    destination.AttachTo("PUMP");
    Add<TObjGnd>(kind::Gnd, 100, 500);
    Add<TObjGnd>(kind::Gnd, 200, 500).SetSupply(TObjGnd::kVcc, true);
    Add<TObjText>(kind::Text, 400, 500);

    // A straight wire from g1's output, then a slanted one on to n2.
    auto& n1 = Node(200, 120);
    Connect(n1, g1->Output());
    auto& n2 = Node(250, 200);
    Connect(n1, n2);
    // A junction of three open ends.
    auto& hub = Node(400, 250);
    for (Point p : {Point{350, 250}, Point{450, 250}, Point{400, 280}}) Connect(hub, Node(p.x, p.y));
    project.AutoSignalNames();
    project.Renumber();
  }

  template <class T>
  T& Add(uint8_t kindCode, int x, int y) {
    return static_cast<T&>(*project.CreateElement(kindCode, x, y));
  }
  TObjKnoten& Node(int x, int y) { return Add<TObjKnoten>(kind::Knoten, x, y); }

  QImage Paint() {
    QImage image(1000, 700, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPage(painter, project, env, {0, 3000, 0, 0}, image.rect());
    painter.end();
    // For a look by eye: TOLMEK_PICTURE_DIR=/some/dir keeps the picture and a three-fold enlargement.
    if (QByteArray dir = qgetenv("TOLMEK_PICTURE_DIR"); !dir.isEmpty()) {
      QString stem = QString("%1/picture_%2").arg(QString(dir)).arg(env.Show3D ? "3d" : "flat");
      image.save(stem + ".png");
      QImage large(2400, 1650, QImage::Format_RGB32);
      QPainter zoomed(&large);
      PaintPage(zoomed, project, env, {0, 1000, 0, 0}, large.rect());
      zoomed.end();
      large.save(stem + "_x3.png");
    }
    return image;
  }

  static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
  static int Count(const QImage& image, QRect area, const std::function<bool(QColor)>& match) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += match(image.pixelColor(x, y));
    return n;
  }
  static int CountColor(const QImage& image, QRect area, QColor c) {
    return Count(image, area, [c](QColor p) { return p == c; });
  }
  // True when any pixel within one unit of (x, y) has the colour.
  static bool Near(const QImage& image, int x, int y, QColor c) {
    return CountColor(image, QRect(x - 1, y - 1, 3, 3), c) > 0;
  }

  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Environment env;
  TObjGatter *g1 = nullptr, *g2 = nullptr, *g3 = nullptr, *inverter = nullptr;
  TObjSpl* source = nullptr;
};

TEST_F(PictureTest, BackgroundGridAndBlocks) {
  QImage image = Paint();
  EXPECT_EQ(At(image, 905, 655), kBlack);
  EXPECT_EQ(At(image, 900, 650), kSilver);  // a grid point
  // Bodies lie between the pin margins: g1's left edge at x 110, white; the selected g2's edge red.
  EXPECT_EQ(At(image, 110, 120), kWhite);
  EXPECT_EQ(At(image, 139, 120), kWhite);
  EXPECT_EQ(At(image, 310, 120), kRed);
  EXPECT_EQ(At(image, 125, 135), kBlack);  // the body is filled with the background
  // Pin stubs reach 10 units out from the body.
  EXPECT_EQ(At(image, 103, 130), kWhite);
  EXPECT_EQ(At(image, 98, 130), kBlack);
  // Names above the body in red, operator symbols inside in aqua.
  auto reddish = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
  EXPECT_GT(Count(image, QRect(110, 84, 30, 14), reddish), 10);
  EXPECT_GT(Count(image, QRect(113, 103, 16, 16), [](QColor c) { return c.green() > 150 && c.blue() > 150 && c.red() < 100; }), 5);
  // The inverter has no symbol, but its output carries the wedge beside the stub.
  EXPECT_EQ(Count(image, QRect(713, 103, 14, 14), [](QColor c) { return c != kBlack && c != kSilver; }), 0);
  EXPECT_EQ(At(image, 743, 109), kWhite);
  EXPECT_EQ(At(image, 743, 111), kWhite);
  EXPECT_EQ(At(image, 748, 109), kBlack);
}

TEST_F(PictureTest, WiresArrowsAndNodeMarks) {
  QImage image = Paint();
  EXPECT_EQ(At(image, 175, 120), kYellow);  // straight wire from g1's output
  // The slanted wire (200,120)-(250,200) is shown as two arrows, not as a line across.
  EXPECT_FALSE(Near(image, 225, 160, kYellow));
  EXPECT_TRUE(Near(image, 205, 128, kYellow));
  EXPECT_TRUE(Near(image, 245, 192, kYellow));
  // A junction of three links is a filled square; open ends are outlined in aqua.
  EXPECT_EQ(At(image, 400, 250), kYellow);
  EXPECT_EQ(At(image, 345, 250), kAqua);
  EXPECT_EQ(At(image, 400, 285), kAqua);
  // Node names in the pin text colour.
  EXPECT_GT(CountColor(image, QRect(445, 230, 30, 15), kLime) + Count(image, QRect(445, 230, 30, 15), [](QColor c) { return c.green() > 150 && c.red() < 100 && c.blue() < 100; }), 5);

  env.ArrowWires = false;
  QImage plain = Paint();
  EXPECT_TRUE(Near(plain, 225, 160, kYellow));
  env.ShowNodes = false;
  QImage bare = Paint();
  EXPECT_EQ(At(bare, 345, 250), kAqua);  // an open end stays marked
  EXPECT_EQ(At(bare, 195, 115), kBlack); // a node on a straight line is not outlined
}

TEST_F(PictureTest, LabelsSuppliesAndComments) {
  QImage image = Paint();
  // Source label: flat left edge at x 510, pointed to the right, its name written inside.
  EXPECT_EQ(At(image, 510, 305), kWhite);
  const int tip = 500 + source->Width - 1;
  EXPECT_TRUE(Near(image, tip, 310, kWhite));
  EXPECT_GT(Count(image, QRect(512, 302, 40, 16), [](QColor c) { return c.green() > 150 && c.blue() > 150 && c.red() < 100; }), 10);
  // GND: a line down from the pin and three bars.
  EXPECT_EQ(At(image, 110, 515), kWhite);
  EXPECT_EQ(At(image, 104, 520), kWhite);
  EXPECT_EQ(At(image, 107, 524), kWhite);
  EXPECT_EQ(At(image, 103, 524), kBlack);
  // The comment in its own colour (aqua) at its place, and its size follows the text.
  TObjText* comment = nullptr;
  for (const auto& e : project.Elements())
    if (e->Kind == kind::Text) comment = static_cast<TObjText*>(e.get());
  ASSERT_NE(comment, nullptr);
  EXPECT_GT(comment->Width, 40);
  EXPECT_LT(comment->Width, 110);
  EXPECT_GT(Count(image, QRect(400, 500, comment->Width, comment->Height),
                  [](QColor c) { return c.green() > 120 && c.blue() > 120 && c.red() < 60; }),
            30);
}

TEST_F(PictureTest, ThreeDModeRaisesBodiesAndDoublesWires) {
  env.Show3D = true;
  QImage image = Paint();
  EXPECT_EQ(At(image, 135, 135), kSilver);  // face
  EXPECT_EQ(At(image, 110, 120), kWhite);   // light edge
  EXPECT_EQ(At(image, 139, 120), kGrey);    // shadow on the right
  EXPECT_EQ(At(image, 125, 139), kGrey);    // and at the bottom
  EXPECT_EQ(At(image, 325, 135), QColor(128, 0, 0));  // the selected body is maroon
  EXPECT_EQ(At(image, 175, 120), kSilver);  // a 3D wire: silver with a grey twin below
  EXPECT_EQ(At(image, 175, 121), kGrey);
  EXPECT_EQ(At(image, 105, 110), kSilver);  // pin stub light grey, dark line below
  EXPECT_EQ(At(image, 105, 111), kGrey);
}

TEST_F(PictureTest, SimulationColoursReplaceWireAndSelection) {
  project.SimActive = true;
  QImage image = Paint();
  EXPECT_EQ(At(image, 175, 120), QColor(0, 0, 255));  // a low wire in the low colour
  project.SimActive = false;
}

TEST_F(PictureTest, ThePageExportsAsPngAndPdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString png = dir.filePath("page.png"), pdf = dir.filePath("page.pdf");
  ASSERT_TRUE(ExportPage(project, 0, env, png));
  QImage image(png);
  ASSERT_EQ(image.size(), QSize(3000, 2000));
  EXPECT_EQ(image.pixelColor(175, 120), kYellow);
  EXPECT_EQ(image.pixelColor(2995, 1995), kBlack);
  ASSERT_TRUE(ExportPage(project, 0, env, pdf));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF"));
  EXPECT_FALSE(ExportPage(project, 0, env, dir.filePath("page.bmpx")));
}

TEST_F(PictureTest, ObjectTextIsMeasuredInPlanUnits) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  QtCanvas canvas(painter, env.Style(false));
  Font font;
  EXPECT_NEAR(canvas.TextHeight("LG1", font), 14, 1);  // a height is the text's cell height
  int w = canvas.TextWidth("LG1", font);
  EXPECT_GE(w, 18);
  EXPECT_LE(w, 26);
  font.height = 28;
  EXPECT_NEAR(canvas.TextWidth("LG1", font), 2 * w, 3);
}

}  // namespace
}  // namespace tolmek::test
