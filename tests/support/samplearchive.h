// The sample resource archive built beside the programs, loaded once for the tests.
#pragma once

#include "assembly/zipfile.h"

namespace assembly::testing {

const TZipFile& SampleArchive();

}  // namespace assembly::testing
