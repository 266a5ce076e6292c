#include "engine_fixture_support.h"

namespace wizard::testing {

const assembly::TZipFile& SampleArchive() {
  static const assembly::TZipFile archive = [] {
    assembly::TZipFile a;
    a.LoadFromFile(QW_BIN_DIR "/quirewright.dat");
    return a;
  }();
  return archive;
}

const assembly::TFontCatalogue& SampleCatalogue() {
  static const assembly::TFontCatalogue catalogue = [] {
    assembly::TFontCatalogue c;
    assembly::BuildFontCatalogue(SampleArchive(), c);
    return c;
  }();
  return catalogue;
}

}  // namespace wizard::testing
