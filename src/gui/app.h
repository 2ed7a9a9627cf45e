// The program's entry: the application with its main window, or a headless page export.
#pragma once

namespace tolmek {

// `tolmek [PLAN.pic]` opens the editor; `tolmek --export PLAN.pic --page N OUT.png|OUT.pdf [--3d]`
// writes page N (1..10) and ends. Returns the exit code.
int RunApplication(int argc, char** argv);

}  // namespace tolmek
