#include "support/samplearchive.h"

namespace assembly::testing {

const TZipFile& SampleArchive() {
  static const TZipFile archive = [] {
    TZipFile a;
    a.LoadFromFile(QW_BIN_DIR "/quirewright.dat");
    return a;
  }();
  return archive;
}

const TFontCatalogue& SampleCatalogue() {
  static const TFontCatalogue catalogue = [] {
    TFontCatalogue c;
    BuildFontCatalogue(SampleArchive(), c);
    return c;
  }();
  return catalogue;
}

}  // namespace assembly::testing
