#include "support/recordinghost.h"

namespace assembly::testing {

void RecordingHost::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  messages.push_back({text, caption, icon});
}

void RecordingHost::SetProgress(int position, int max) { progress.emplace_back(position, max); }

std::string FakeTexts::TextByName(std::string_view name) const {
  const auto it = texts_.find(std::string(name));
  return it != texts_.end() ? it->second : std::string("<").append(name) + ">";
}

void RecordingHost::SetWindowEnabled(bool enabled) {
  enabledCalls.push_back(enabled);
  windowEnabled = enabled;
}

}  // namespace assembly::testing
