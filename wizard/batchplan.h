// The order and the rules of the batch builds, without the window: which full edition
// variants the all-versions and deploy batches build, what a deploy build changes in a
// variant's record, where a batch stops, and what the command line asks for.
#pragma once

#include "assembly/midletconfig.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

// One variant of the full edition.
struct FullVariant {
  int Core = 0;
  int Zip = 0;  // 0 without, 1 with ZIP support
  int Language = 0;
  bool operator==(const FullVariant&) const = default;
};

// Every variant in build order: core by core, without then with ZIP support, language by
// language. A variant's index is its step on the progress bar.
std::vector<FullVariant> FullVariants();

// The variants a deploy run builds: all of them when `only` is empty, else the one whose
// deploy name is `only` in any letter case (none when no name is).
std::vector<FullVariant> DeployVariants(const std::string& only);

// The message for a deploy variant name that names none: how the names are formed.
std::string UnknownVariantText(const std::string& only);

// A deploy build keeps no forced height, alternative rotation or light control.
void ApplyDeployRecord(assembly::TMIDLETCONFIG& config);

// Runs `build` for items 0..count-1 in order and stops at the first that fails: one failing
// item would fail the same way for the rest. True when every item was built.
bool BuildInTurn(std::size_t count, const std::function<bool(std::size_t)>& build);

// What "-deploy <prefix> [<variant>]" asks for; the first argument is compared exactly.
struct DeployRequest {
  std::string Prefix;  // the path every file name is appended to
  std::string Only;    // empty: every variant
};
std::optional<DeployRequest> DeployRequestOf(const std::vector<std::string>& args);

}  // namespace wizard
