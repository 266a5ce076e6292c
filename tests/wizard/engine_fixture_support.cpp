#include "engine_fixture_support.h"

namespace wizard::testing {

const assembly::TFontCatalogue& SampleCatalogue() {
  static const assembly::TFontCatalogue catalogue = [] {
    assembly::TFontCatalogue c;
    assembly::BuildFontCatalogue(SampleArchive(), c);
    return c;
  }();
  return catalogue;
}

}  // namespace wizard::testing
