// The window's "controls are being set" flag for a scope.
#pragma once

namespace wizard {

// Sets the flag for its lifetime and then puts back the value it found, also when an
// exception leaves the scope.
class TUpdatingScope {
public:
  explicit TUpdatingScope(bool& updating) : updating_(updating), was_(updating) { updating_ = true; }
  ~TUpdatingScope() { updating_ = was_; }
  TUpdatingScope(const TUpdatingScope&) = delete;
  TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
  bool& updating_;
  bool was_;
};

}  // namespace wizard
