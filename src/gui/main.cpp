// Entry of the Tolmek editor.
#include "gui/app.h"

int main(int argc, char** argv) { return tolmek::RunApplication(argc, argv); }
