// The sample resource archive with its font catalogue, and a build host that records
// messages, for the wizard's tests of trial builds and batches.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/zipfile.h"
#include "support/samplearchive.h"

#include <string>
#include <vector>

namespace wizard::testing {

using assembly::testing::SampleArchive;
const assembly::TFontCatalogue& SampleCatalogue();

class MessageHost : public assembly::BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string& caption, assembly::MessageIcon) override {
    messages.push_back(caption + ": " + text);
  }
  void RequestTerminate() override { ++terminate_requests; }
  std::vector<std::string> messages;
  int terminate_requests = 0;
};

}  // namespace wizard::testing
