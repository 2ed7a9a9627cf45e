// The simulated display on screen: the LCD module opens its window at its remembered place when the run
// starts, the output blocks write into it, and the place is remembered when the run stops. With
// TOLMEK_GRAB_DIR set, the main window with the display is pictured for the manual.
#include <QDir>
#include <QPainter>

#include "app_support.h"
#include "components/gnd.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "gui/app/lcd_display.h"

namespace tolmek::test {
namespace {

TEST_F(AppTest, LcdModuleShowsWhatThePlanWritesInItsWindow) {
  Start();
  auto* m = static_cast<TObjLcdBase*>(project->CreateElement(kind::LcdBase, 40, 40));
  m->Rows = 2;
  m->Columns = 16;
  m->WindowLeft = 420;
  m->WindowTop = 200;
  struct Out {
    uint8_t format;
    int x, y;
    const char* value;
    const char* text;
  };
  const Out outs[] = {{TObjLcdText::kText, 0, 0, "", "Temp:"},
                      {TObjLcdText::kDecimal, 6, 0, "TEMP", ""},
                      {TObjLcdText::kText, 10, 0, "", "#223,o#C"},
                      {TObjLcdText::kHex, 0, 1, "TEMP", ""},
                      {TObjLcdText::kBinary, 4, 1, "TEMP", ""}};
  int y = 150;
  for (const Out& o : outs) {
    auto* b = static_cast<TObjLcdText*>(project->CreateElement(kind::LcdText, 200, y));
    b->Format = o.format;
    b->PosX = uint8_t(o.x);
    b->PosY = uint8_t(o.y);
    b->Text = o.text;
    b->In().SetName("GO.0");
    if (*o.value) b->Value().SetName(o.value);
    y += 90;
  }
  project->Renumber();
  m->SetName("LB1");
  form->RefreshAll();
  QApplication::processEvents();
  form->Engine().Variables().Add("TEMP").Value = 23;  // as if typed into the value window
  form->Action("SpeedButton21")->trigger();
  ASSERT_TRUE(form->Engine().Running());
  form->Engine().Tick();
  ASSERT_TRUE(form->Engine().SetNetLevel("GO.0", 1));
  form->Engine().Tick();
  QApplication::processEvents();

  auto* window = form->findChild<TLCDDisplay*>("TLCDDisplay");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "LCD-Modul-LB1");
  EXPECT_EQ(window->Row(0).substr(0, 16), "Temp:  23 oC    ");
  EXPECT_EQ(window->Row(1).substr(0, 16), "17     10111    ");
  const QSize cell = window->CellSize();
  EXPECT_EQ(window->size(), QSize(cell.width() * 16 + 2, cell.height() * 2 + 2));

  if (const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR"); !dir.isEmpty()) {
    QDir().mkpath(dir);
    QImage picture = form->grab().toImage();
    QPainter p(&picture);
    const QPoint at = form->mapFromGlobal(window->mapToGlobal(QPoint(0, 0)));
    p.drawPixmap(at.x() > 0 ? at : QPoint(600, 80), window->grab());
    p.end();
    EXPECT_TRUE(picture.save(QDir(dir).filePath("lcd_display.png")));
  }

  window->move(300, 200);
  form->Action("SpeedButton21")->trigger();
  ASSERT_FALSE(form->Engine().Running());
  QApplication::processEvents();
  EXPECT_EQ(form->findChild<TLCDDisplay*>("TLCDDisplay"), nullptr);
  EXPECT_EQ(m->WindowLeft, 300);
  EXPECT_EQ(m->WindowTop, 200);
  project->Saved = true;
  Exit();
}

}  // namespace
}  // namespace tolmek::test
