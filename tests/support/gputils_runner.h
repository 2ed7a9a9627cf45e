// The chip tests' names for the gpasm/gpsim runner of the core (see verify/gputils.h for its use).
//
//   if (!test::HaveGpasm() || !test::HaveGpsim()) GTEST_SKIP() << "gputils/gpsim not installed";
//   test::ScratchDir dir("my_test");
//   test::Assembly a = test::Assemble(writer.Text(), dir.path());
#pragma once

#include "verify/gputils.h"

namespace tolmek::test {

using tolmek::Assemble;
using tolmek::Assembly;
using tolmek::GpsimProcessor;
using tolmek::GpsimRun;
using tolmek::HaveGpasm;
using tolmek::HaveGpsim;
using tolmek::ProcessorOfSource;
using tolmek::ScratchDir;

}  // namespace tolmek::test
