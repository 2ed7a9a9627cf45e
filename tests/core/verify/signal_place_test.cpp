// Finding the element that carries a signal named in a check's report.
#include <gtest/gtest.h>

#include "model/pin.h"
#include "support/test_project.h"
#include "verify/signal_place.h"

namespace tolmek {
namespace {

using test::TestProject;

TEST(SignalPlace, NodesComeBeforePinsAndCaseDoesNotMatter) {
  TestProject t;
  t.project.CurrentPage = 1;
  TBauteil& key = t.Add<TBauteil>(kind::Gatter, 100, 100);
  key.Pins()[0]->SetName("KEY");
  t.project.CurrentPage = 2;
  TBauteil& early = t.Add<TBauteil>(kind::Gatter, 100, 100);
  early.Pins()[0]->SetName("LAMP");  // a loose pin of the same name, earlier in the list than the node
  t.project.CurrentPage = 3;
  TBauteil& driver = t.Add<TBauteil>(kind::Gatter, 100, 100);
  TObjKnoten& lamp = t.Wire(300, 300, *driver.Pins().back());
  lamp.SetName("LAMP");
  ASSERT_EQ(driver.Pins().back()->Name, "LAMP");

  const struct {
    const char* name;
    const TBauteil* found;
    int page;
  } cases[] = {
      {"KEY", &key, 1}, {"key", &key, 1}, {"LAMP", &lamp, 3}, {"Lamp", &lamp, 3}, {"RB.0", nullptr, 0}, {"", nullptr, 0},
  };
  for (const auto& c : cases) {
    const TBauteil* e = FindSignalElement(t.project, c.name);
    EXPECT_EQ(e, c.found) << c.name;
    if (e) EXPECT_EQ(e->Page, c.page) << c.name;
  }
}

}  // namespace
}  // namespace tolmek
