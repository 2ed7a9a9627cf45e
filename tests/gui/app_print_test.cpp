// Printing: page selection downwards, one document per non-empty page, paper colours and the extent.
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include "app_support.h"
#include "gui/app/printing.h"

namespace tolmek::test {
namespace {

int PdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray data = f.readAll();
  return int(QString::fromLatin1(data).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

TEST_F(AppTest, ARangeFromThreeToOnePrintsPagesThreeTwoOne) {
  Start();
  for (int page : {0, 1, 2, 4}) {
    project->CurrentPage = page;
    project->CreateElement(kind::Gatter, 100 + 100 * page, 100);
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(File("range.pdf"));
  PrintSelection s;
  s.range = PrintSelection::Range::FromTo;
  s.from = 3;
  s.to = 1;
  EXPECT_EQ(form->PrintTo(printer, s), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(PdfPages(File("range.pdf")), 3);

  // Empty pages are skipped; the whole selection once per copy.
  printer.setOutputFileName(File("all.pdf"));
  s.range = PrintSelection::Range::All;
  s.copies = 2;
  EXPECT_EQ(form->PrintTo(printer, s), (std::vector<int>{1, 2, 3, 5, 1, 2, 3, 5}));
  EXPECT_EQ(PdfPages(File("all.pdf")), 8);

  printer.setOutputFileName(File("empty.pdf"));
  s = {};
  s.range = PrintSelection::Range::Current;
  project->CurrentPage = 3;
  EXPECT_TRUE(form->PrintTo(printer, s).empty());
  EXPECT_FALSE(QFile::exists(File("empty.pdf")));
}

TEST(Printing, SelectionsAndPaperColours) {
  PrintSelection s;
  EXPECT_EQ(SelectedPages(s, 0).size(), 10u);
  s.range = PrintSelection::Range::Current;
  EXPECT_EQ(SelectedPages(s, 4), std::vector<int>{5});
  s.range = PrintSelection::Range::FromTo;
  s.from = 2;
  s.to = 4;
  EXPECT_EQ(SelectedPages(s, 0), (std::vector<int>{2, 3, 4}));
  s.from = 4;
  s.to = 4;
  EXPECT_EQ(SelectedPages(s, 0), std::vector<int>{4});

  Environment screen;
  Environment paper = PaperEnvironment(screen);
  EXPECT_EQ(paper.BackColor, (Color{255, 255, 255}));
  EXPECT_EQ(paper.GridColor, (Color{255, 255, 255}));
  EXPECT_EQ(paper.LineColor, (Color{0, 0, 0}));
  EXPECT_EQ(paper.ObjectInnerTextColor, (Color{0, 0, 0}));
  screen.Show3D = true;
  paper = PaperEnvironment(screen);
  EXPECT_EQ(paper.BackColor, (Color{255, 255, 255}));
  EXPECT_EQ(paper.LineColor, screen.LineColor);
}

TEST(Printing, TheExtentCoversTheObjectsAndAtLeast900Units) {
  RecordingSink sink;
  Messenger messages(&sink);
  Project project(messages);
  EXPECT_EQ(PlanExtent(project, 0), QRect(QPoint(-20, -20), QPoint(910, 910)));
  project.CreateElement(kind::Gatter, 1200, 300);
  EXPECT_EQ(PlanExtent(project, 0), QRect(QPoint(-20, -20), QPoint(1260, 910)));
  EXPECT_EQ(PlanExtent(project, 1), QRect(QPoint(-20, -20), QPoint(910, 910)));
}

}  // namespace
}  // namespace tolmek::test
