// A build host that records every call, for tests of the builds.
#pragma once

#include "assembly/host.h"
#include "assembly/midletconfig.h"

#include <map>
#include <string>
#include <vector>

namespace assembly::testing {

class RecordingHost : public BuildHost {
public:
  struct Message {
    std::string text, caption;
    MessageIcon icon;
  };

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  void RequestTerminate() override { ++terminateRequests; }
  void SetProgress(int position, int max) override;
  void SetStatus(const std::string& text) override { statuses.push_back(text); }
  void ProcessMessages() override { ++processMessages; }
  void SetWindowEnabled(bool enabled) override;
  void Wait(int milliseconds) override { waits.push_back(milliseconds); }

  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::vector<std::pair<int, int>> progress;  // (position, max) per call
  std::vector<bool> enabledCalls;
  std::vector<int> waits;
  int terminateRequests = 0;
  int processMessages = 0;
  bool windowEnabled = true;  // the state the last SetWindowEnabled left
};

// Named texts for the engine: the ones given, and "<name>" for any other, so that a test sees
// which text the engine asked for.
class FakeTexts : public NamedTexts {
public:
  explicit FakeTexts(std::map<std::string, std::string> texts = {}) : texts_(std::move(texts)) {}
  std::string TextByName(std::string_view name) const override;

private:
  std::map<std::string, std::string> texts_;
};

}  // namespace assembly::testing
