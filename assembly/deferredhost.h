// A build host that records the calls made to it, to make them later on another host.
#pragma once

#include "assembly/host.h"

#include <functional>
#include <vector>

namespace assembly {

// Keeps the host calls of work done on another thread, for the calling thread to make them
// in order (Replay).
class DeferredHost : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  void ShowComposedMessage(const platform::TMessage& text, const std::string& caption, MessageIcon icon) override;
  void RequestTerminate() override;
  void SetProgress(int position, int max) override;
  void SetStatus(const std::string& text) override;
  void ProcessMessages() override;
  void SetWindowEnabled(bool enabled) override;
  void Wait(int milliseconds) override;
  // Makes the recorded calls on `host`, in the order they were made.
  void Replay(BuildHost& host) const;

private:
  std::vector<std::function<void(BuildHost&)>> calls_;
};

}  // namespace assembly
