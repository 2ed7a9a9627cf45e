// "Verify on simulated chip" from the window: the check on a worker, its report window, and a double click
// that brings a signal's element into view.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QThreadPool>
#include <QTreeWidget>

#include "app_support.h"
#include "gui/build/verify_commands.h"
#include "gui/build/verify_window.h"
#include "verify/gputils.h"
#include "verify/signal_place.h"

namespace tolmek::test {
namespace {

constexpr int kWaitMs = 60000;

class VerifyWindowTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    plan = File("first-steps.pic");
    ASSERT_TRUE(QFile::copy(TOLMEK_SOURCE_DIR "/examples/first-steps.pic", plan));
    Start();
    ASSERT_TRUE(form->DateiOeffnen(plan));
    verify = form->findChild<VerifyCommands*>();
    ASSERT_NE(verify, nullptr);
  }
  void WriteBench(const QByteArray& text) {
    QFile f(File("first-steps.tbench"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  }
  // Starts the check from the menu and waits for its report.
  TVerifyWindow* RunAndWait() {
    QSignalSpy shown(verify, &VerifyCommands::ReportShown);
    form->Action("ChipPruefen1")->trigger();
    if (verify->Running()) {
      EXPECT_FALSE(form->Action("ChipPruefen1")->isEnabled()) << "one check at a time";
      EXPECT_TRUE(form->statusBar()->currentMessage().startsWith("Verifying"));
      if (!shown.wait(kWaitMs)) return nullptr;
    }
    EXPECT_TRUE(form->Action("ChipPruefen1")->isEnabled());
    return shown.isEmpty() ? nullptr : verify->Window();
  }

  QString plan;
  VerifyCommands* verify = nullptr;
};

constexpr const char kBench[] =
    "step 10\nend 400\n0 set RB.0 1\n0 set RB.1 1\n100 expect RB.4 1\n200 set RB.1 0\n250 expect RB.4 %1\n";

TEST_F(VerifyWindowTest, AgreementAndADoubleClickOnAFailedExpectationShowsTheSignalsElement) {
  if (!HaveGpsim() || !HaveGpasm()) GTEST_SKIP() << "gpsim or gpasm is not installed";
  // The open plan is checked as it is, unsaved changes included: the whole plan moves to page 4.
  for (const auto& e : project->Elements()) e->Page = 3;
  project->Saved = false;

  WriteBench(QByteArray(kBench).replace("%1", "0"));
  TVerifyWindow* window = RunAndWait();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->Outcome().text().contains("Agreement")) << window->Outcome().text().toStdString();
  EXPECT_EQ(window->Rows().topLevelItemCount(), 0);

  WriteBench(QByteArray(kBench).replace("%1", "1"));  // both sides show RB.4 low at 250 ms
  window = RunAndWait();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->Outcome().text().contains("differ"));
  ASSERT_EQ(window->Rows().topLevelItemCount(), 2) << "one failed expectation per side";
  QTreeWidgetItem* row = window->Rows().topLevelItem(1);
  EXPECT_EQ(row->text(1), "7");
  EXPECT_EQ(row->text(3), "RB.4");
  EXPECT_EQ(row->text(6), "chip");

  const TBauteil* lamp = FindSignalElement(*project, "RB.4");
  ASSERT_NE(lamp, nullptr);
  window->Rows().scrollToItem(row);
  const QPoint at = window->Rows().visualItemRect(row).center();
  QTest::mouseClick(window->Rows().viewport(), Qt::LeftButton, {}, at);  // the view takes a double click on the row it was pressed on
  QTest::mouseDClick(window->Rows().viewport(), Qt::LeftButton, {}, at);
  QApplication::processEvents();
  ASSERT_NE(form->PageWindow(3), nullptr);
  EXPECT_EQ(form->Area().activeSubWindow(), form->SubWindowOfPage(3));
  EXPECT_TRUE(form->Area().viewport()->rect().contains(form->SubWindowOfPage(3)->geometry()))
      << "the page window opened for the signal lies wholly inside the area";
  EXPECT_EQ(lamp->Marked, 1);
  int marked = 0;
  for (const auto& e : project->Elements()) marked += e->Marked;
  EXPECT_EQ(marked, 1) << "only the signal's element is selected";
  if (const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR"); !dir.isEmpty())
    EXPECT_TRUE(form->grab().save(dir + "/verify_report.png"));
}

TEST_F(VerifyWindowTest, BenchFaultsAreReportedWithoutARun) {
  // No bench beside the plan: message 7 names the file looked for.
  ASSERT_EQ(RunAndWait(), nullptr);
  EXPECT_EQ(sink.Numbers(), std::vector<int>{7});
  EXPECT_TRUE(sink.entries.back().text.find("first-steps.tbench") != std::string::npos);
  // A bench with faults: each listed with its line, nothing runs.
  WriteBench("step 10\nsett RB.0 1\n0 set NOSUCH 1\n");
  TVerifyWindow* window = RunAndWait();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->Outcome().text().contains("cannot be run"));
  ASSERT_GE(window->Notes().count(), 1);
  EXPECT_TRUE(window->Notes().item(0)->text().startsWith("first-steps.tbench:2")) << window->Notes().item(0)->text().toStdString();
  if (const QString dir = qEnvironmentVariable("TOLMEK_GRAB_DIR"); !dir.isEmpty())
    EXPECT_TRUE(window->grab().save(dir + "/verify_bench_problems.png"));
}

TEST_F(VerifyWindowTest, AReportOfAPlanNoLongerOpenIsNeverShown) {
  if (!HaveGpsim() || !HaveGpasm()) GTEST_SKIP() << "gpsim or gpasm is not installed";
  WriteBench(QByteArray(kBench).replace("%1", "0"));
  form->Action("ChipPruefen1")->trigger();
  ASSERT_TRUE(verify->Running());
  form->DateiNeuClick();
  EXPECT_FALSE(verify->Running());
  EXPECT_TRUE(form->Action("ChipPruefen1")->isEnabled());
  ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(kWaitMs));
  QApplication::processEvents();
  EXPECT_EQ(verify->Window(), nullptr);
  // Closing the window while a check runs lets it finish into nothing.
  ASSERT_TRUE(form->DateiOeffnen(plan));
  form->Action("ChipPruefen1")->trigger();
  ASSERT_TRUE(verify->Running());
  EXPECT_TRUE(Exit());
  ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(kWaitMs));
  QApplication::processEvents();
}

}  // namespace
}  // namespace tolmek::test
