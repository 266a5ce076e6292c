// The sample resource archive built beside the programs and its font catalogue, loaded once
// for the tests.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/zipfile.h"

namespace assembly::testing {

const TZipFile& SampleArchive();
const TFontCatalogue& SampleCatalogue();

}  // namespace assembly::testing
