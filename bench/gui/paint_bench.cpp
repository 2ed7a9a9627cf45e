// Painting a full page of 1,000 blocks with their wires at 1:1, and one mouse-move step of a drag on it.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/tolmek_gui_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "components/gatter.h"
#include "components/rsff.h"
#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/page_painter.h"
#include "model/node.h"

namespace tolmek {
namespace {

struct Plan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  Environment env;
  Plan() {
    // 40 columns x 25 rows; every block's output is wired to the next block's first input through a
    // node, so the page has 1,000 blocks, about 1,000 nodes and 2,000 wire segments, straight and slanted.
    project.Pasting = true;  // no renumbering per element while building
    TObjAnschluss* previous = nullptr;
    for (int row = 0; row < 25; ++row) {
      for (int col = 0; col < 40; ++col) {
        int x = 10 + col * 74, y = 30 + row * 78;
        TBauteil* block = project.CreateElement((row * 40 + col) % 10 == 9 ? kind::Rsff : kind::Gatter, x, y);
        TObjAnschluss* input = block->Kind == kind::Gatter ? &static_cast<TObjGatter*>(block)->Input(0)
                                                           : &static_cast<TObjRsff*>(block)->ResetInput();
        if (previous) {
          Point from = previous->AbsolutePosition(0, 0);
          auto* node = static_cast<TObjKnoten*>(project.CreateElement(kind::Knoten, from.x + 20, from.y));
          Connect(*node, *previous);
          Connect(*node, *input);
        }
        previous = block->Kind == kind::Gatter ? &static_cast<TObjGatter*>(block)->Output()
                                               : &static_cast<TObjRsff*>(block)->Output();
      }
    }
    project.Pasting = false;
    project.Renumber();
    project.AutoSignalNames();
  }
};

QApplication& App() {
  static int argc = 1;
  static char name[] = "tolmek_gui_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  InstallFontSubstitutes();
  return app;
}

void BM_PaintFullPage(benchmark::State& state) {
  App();
  Plan plan;
  plan.env.Show3D = state.range(0) != 0;
  QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    PaintPage(painter, plan.project, plan.env, {0, 3000, 0, 0}, image.rect());
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["elements"] = double(plan.project.Elements().size());
}
BENCHMARK(BM_PaintFullPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One step of dragging a block: the mouse-move event and the repaint of what the outline touched.
void BM_DragStep(benchmark::State& state) {
  App();
  Plan plan;
  TMainWindow window(plan.project, plan.env);
  window.resize(1600, 1000);
  window.show();
  window.ShowPage(0);
  QApplication::processEvents();
  TWorkWindow* page = window.PageWindow(0);
  QWidget* view = page->viewport();
  view->repaint();
  const QPoint grab = page->PlanToDevice({10 + 74 * 5 + 25, 30 + 78 * 5 + 5});  // a body
  QTest::mousePress(view, Qt::LeftButton, {}, grab);
  int step = 0;
  for (auto _ : state) {
    ++step;
    QTest::mouseMove(view, grab + QPoint(step % 200, (step / 2) % 150));
    view->repaint();
  }
  QTest::mouseRelease(view, Qt::LeftButton, {}, grab);
  state.counters["planPaints"] = page->PlanPaints();
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// The same window painted from the object list (what a scroll or an edit costs).
void BM_PaintWindow(benchmark::State& state) {
  App();
  Plan plan;
  TMainWindow window(plan.project, plan.env);
  window.resize(1600, 1000);
  window.show();
  window.ShowPage(0);
  QApplication::processEvents();
  TWorkWindow* page = window.PageWindow(0);
  const int before = page->PlanPaints();
  for (auto _ : state) {
    page->Invalidate();
    page->viewport()->repaint();
  }
  state.counters["planPaints"] = page->PlanPaints() - before;
  state.counters["width"] = page->viewport()->width();
}
BENCHMARK(BM_PaintWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek

BENCHMARK_MAIN();
