// A whole session as a user works: draw on two pages, save, build with gpasm, close, reopen, find it all again.
#include <QFile>
#include <QSignalSpy>
#include <cstdlib>

#include "app_support.h"
#include "gui/build/build_commands.h"
#include "model/plan_json.h"

namespace tolmek::test {
namespace {

class RoundTripTest : public AppTest {
 protected:
  // Window plan units of a page point, in device pixels of that page's viewport.
  static QPoint At(TWorkWindow& page, int x, int y) {
    return page.PlanToDevice({x - page.ScrollX(), y - page.ScrollY()});
  }
  void Place(TWorkWindow& page, uint8_t kindCode, int x, int y) {
    form->ComponentButton(kindCode)->trigger();
    QTest::mouseClick(page.viewport(), Qt::LeftButton, {}, At(page, x, y));
    QTest::keyClick(&page, Qt::Key_Escape);
  }
  void Drag(TWorkWindow& page, Point from, Point to) {
    QTest::mousePress(page.viewport(), Qt::LeftButton, {}, At(page, from.x, from.y));
    for (int step = 1; step <= 4; ++step)
      QTest::mouseMove(page.viewport(), At(page, from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4));
    QTest::mouseRelease(page.viewport(), Qt::LeftButton, {}, At(page, to.x, to.y));
  }
  // Two GND sources into a gate whose output runs to a wire end.
  void DrawCircuit(TWorkWindow& page) {
    Place(page, kind::Gnd, 100, 240);
    Place(page, kind::Gnd, 100, 300);
    Place(page, kind::Gatter, 300, 280);
    Drag(page, {115, 250}, {305, 290});  // first GND to the first input
    Drag(page, {115, 310}, {305, 310});  // second GND to the second input
    Drag(page, {345, 300}, {500, 300});  // the output to open space
  }
  size_t Count(uint8_t kindCode, int pageIndex) const {
    size_t n = 0;
    for (const auto& e : project->Elements()) n += e->Kind == kindCode && e->Page == pageIndex;
    return n;
  }
};

TEST_F(RoundTripTest, DrawSaveBuildCloseAndReopen) {
  if (std::system("gpasm -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "gpasm is not installed";
  Start();
  TWorkWindow* first = form->PageWindow(0);
  ASSERT_NE(first, nullptr);
  DrawCircuit(*first);
  form->Action("Seite2")->trigger();
  TWorkWindow* second = form->PageWindow(1);
  ASSERT_NE(second, nullptr);
  DrawCircuit(*second);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(Count(kind::Gnd, p), 2u) << p;
    EXPECT_EQ(Count(kind::Gatter, p), 1u) << p;
    EXPECT_EQ(Count(kind::Knoten, p), 3u) << p;
  }
  for (const auto& e : project->Elements())
    for (TObjAnschluss* pin : e->Pins())
      if (e->Kind != kind::Gatter || pin->IsOutput() || pin == e->Pins()[0] || pin == e->Pins()[1])
        EXPECT_NE(pin->Partner, nullptr) << e->Name << " pin " << pin->Number;

  const QString plan = File("ROUND.pic");
  form->ChooseSaveFile = [&](const QString&, const QString&) { return plan; };
  form->Action("DateiSpeichern")->trigger();
  ASSERT_TRUE(QFile::exists(plan));
  ASSERT_TRUE(project->Saved);

  auto* build = form->findChild<BuildCommands*>();
  ASSERT_NE(build, nullptr);
  build->ChooseSourceFile = [](const QString& suggested) { return suggested; };
  QSignalSpy finished(build, &BuildCommands::BuildFinished);
  form->Action("Build1")->trigger();
  ASSERT_TRUE(finished.count() > 0 || finished.wait(30000));
  const BuildResult& result = build->LastResult();
  EXPECT_TRUE(result.Succeeded()) << result.ErrorText;
  EXPECT_EQ(result.ErrorCount, 0);
  EXPECT_EQ(build->ErrorWindow(), nullptr);
  EXPECT_EQ(project->SourceFileName, File("ROUND.ASM").toStdString());
  EXPECT_EQ(result.Runs, 1);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(SiblingFile(File("ROUND.ASM").toStdString(), ".HEX"))))
      << "the assembler made the program";
  EXPECT_EQ(project->Info.BuildNumber, 1);
  EXPECT_TRUE(sink.entries.empty()) << sink.entries.front().text;

  form->Action("DateiSpeichern")->trigger();
  ASSERT_TRUE(project->Saved);
  const PlanJson before = PlanToJson(*project);
  ASSERT_EQ(project->Elements().size(), 12u);
  ASSERT_TRUE(Exit());

  Start({plan});
  EXPECT_EQ(project->ProjectFileName, plan.toStdString());
  EXPECT_EQ(PlanToJson(*project), before) << "every element, name, link and setting came back";
  EXPECT_NE(form->PageWindow(0), nullptr);
  EXPECT_NE(form->PageWindow(1), nullptr) << "the pages open at exit open again";
  EXPECT_TRUE(sink.entries.empty());
}

}  // namespace
}  // namespace tolmek::test
