// Every registered kind is complete: its row agrees with what the factory makes, it draws, and its record
// survives the file and JSON forms. A kind added with a forgotten piece fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>

#include "components/registry.h"
#include "core/model/file_fixture.h"
#include "model/plan_json.h"
#include "model/project_file.h"
#include "model/record_io.h"

namespace tolmek {
namespace {

using test::TestProject;

// Keeps the box around everything drawn.
class BoundsCanvas final : public Canvas {
 public:
  [[nodiscard]] const DrawStyle& Style() const override { return style_; }
  void SetPen(Color, int) override {}
  void SetBrush(Color) override {}
  void SetNoBrush() override {}
  void SetXorMode(bool) override {}
  void Line(int x1, int y1, int x2, int y2) override { Add(x1, y1), Add(x2, y2); }
  void Rectangle(int x1, int y1, int x2, int y2) override { Add(x1, y1), Add(x2, y2); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Add(x1, y1), Add(x2, y2); }
  void Polygon(std::span<const Point> points) override {
    for (const Point& p : points) Add(p.x, p.y);
  }
  void Text(int x, int y, std::string_view, const Font&) override { Add(x, y); }
  int TextWidth(std::string_view text, const Font& font) override { return int(text.size()) * font.height / 2; }
  int TextHeight(std::string_view, const Font& font) override { return font.height; }

  int primitives = 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;

 private:
  void Add(int x, int y) {
    ++primitives;
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  DrawStyle style_;
};

std::string Saved(TBauteil& e) {
  ByteWriter w;
  e.Save(w);
  return w.Data();
}

TEST(KindDescription, EveryBuiltKindIsComplete) {
  std::set<std::string> buttons, classes;
  for (const KindInfo& k : KnownKinds()) {
    SCOPED_TRACE(k.className);
    EXPECT_TRUE(classes.insert(k.className).second) << "class named twice";
    if (k.toolBar != ToolBar::None) {
      EXPECT_TRUE(buttons.insert(k.button).second) << "button named twice";
      EXPECT_STRNE(k.glyph, "");
      for (int language = 1; language <= 3; ++language) EXPECT_STRNE(k.Hint(language), "") << language;
    }

    TestProject t;
    TBauteil& e = *t.project.CreateElement(k.code, 100, 100);
    EXPECT_EQ(e.Kind, k.code);
    if (k.width) EXPECT_EQ(e.Width, k.width);
    if (k.height) EXPECT_EQ(e.Height, k.height);
    if (*k.namePrefix) EXPECT_EQ(e.Name.substr(0, std::string_view(k.namePrefix).size()), k.namePrefix);

    // Drawn within reach of its own box (pins and their names stand a little outside).
    BoundsCanvas canvas;
    e.Draw(canvas, 0, 0);
    EXPECT_GT(canvas.primitives, 0);
    constexpr int kReach = 60;
    EXPECT_GE(canvas.left, e.X - kReach);
    EXPECT_GE(canvas.top, e.Y - kReach);
    EXPECT_LE(canvas.right, e.X + e.Width + kReach);
    EXPECT_LE(canvas.bottom, e.Y + e.Height + kReach);

    // Saved, loaded and saved again: the same bytes, with every field set to something unusual.
    test::Scrambler scramble;
    e.Record(scramble);
    e.AfterLoad();
    const std::string bytes = Saved(e);
    TBauteil& copy = *t.project.CreateElement(k.code, 500, 500);
    ByteReader in(bytes);
    copy.Load(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Saved(copy), bytes);

    // Through JSON and back: the same file.
    const std::string file = ProjectToBytes(t.project);
    TestProject back;
    try {
      PlanFromJson(back.project, PlanToJson(t.project));
      EXPECT_EQ(ProjectToBytes(back.project), file);
    } catch (const std::exception& x) {
      ADD_FAILURE() << x.what();
    }
  }
}

TEST(KindDescription, EveryListKindIsDescribedOnceAndBuiltKindsAreFoundByCode) {
  std::set<uint8_t> codes;
  for (const KindInfo& k : AllKinds()) {
    EXPECT_TRUE(codes.insert(k.code).second) << k.className;
    EXPECT_EQ(DescribedKind(k.code), &k);
    EXPECT_EQ(FindKind(k.code), k.Built() ? &k : nullptr) << k.className;
  }
  EXPECT_EQ(codes.size(), size_t(kind::Last - kind::First + 1));
  EXPECT_EQ(FindKind(kind::InputPin), nullptr);
  EXPECT_EQ(FindKind(kind::Last + 1), nullptr);
}

}  // namespace
}  // namespace tolmek
