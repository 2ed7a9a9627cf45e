// The offscreen application and an editor fixture that drives a page window with real mouse and key events.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <vector>

#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/missing_names.h"
#include "gui/work_window.h"
#include "model/messages.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek::test {

// One application for the whole test run, on the offscreen platform.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit the input devices the test events created would outlive the platform.
    auto* instance = new QApplication(argc, argv);
    InstallFontSubstitutes();
    return instance;
  }();
  return *app;
}

// Remembers which elements were asked to open their property dialog.
class RecordingEditor final : public ElementEditor {
 public:
  bool Edit(TBauteil& element) override {
    edited.push_back(&element);
    return false;
  }
  std::vector<TBauteil*> edited;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ForgetMissingNames();
    window = std::make_unique<TMainWindow>(project, env);
    window->SetEditor(editor);
    window->resize(1200, 900);
    window->show();
    window->ShowPage(0);
    page = window->PageWindow(0);
    ASSERT_NE(page, nullptr);
    QApplication::processEvents();
  }
  void TearDown() override {
    window.reset();
    EXPECT_TRUE(MissingNames().isEmpty()) << MissingNames().join(", ").toStdString();
  }

  [[nodiscard]] QWidget* View() const { return page->viewport(); }
  [[nodiscard]] QPoint At(int x, int y) const { return page->PlanToDevice({x, y}); }

  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(View(), button, mods, At(x, y));
  }
  // Press at `from`, move in a few steps, release at `to`.
  void Drag(Point from, Point to, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(View(), button, mods, At(from.x, from.y));
    for (int step = 1; step <= 4; ++step)
      QTest::mouseMove(View(), At(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4));
    QTest::mouseRelease(View(), button, mods, At(to.x, to.y));
  }
  void Key(int key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(page, Qt::Key(key), mods); }

  template <class T = TBauteil>
  std::vector<T*> All(uint8_t kindCode) const {
    std::vector<T*> out;
    for (const auto& e : project.Elements())
      if (e->Kind == kindCode) out.push_back(static_cast<T*>(e.get()));
    return out;
  }
  // An element of the current page placed through the model (at page position x, y).
  template <class T>
  T& Place(uint8_t kindCode, int x, int y) {
    auto& e = static_cast<T&>(*project.CreateElement(kindCode, x, y));
    window->RefreshAll();  // the page windows learn of model changes made behind their back
    return e;
  }

  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Environment env;
  RecordingEditor editor;
  std::unique_ptr<TMainWindow> window;
  TWorkWindow* page = nullptr;
};

}  // namespace tolmek::test
