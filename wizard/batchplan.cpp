#include "wizard/batchplan.h"

#include "assembly/tables.h"
#include "platform/system/codepage.h"
#include "wizard/batchnames.h"

namespace wizard {

std::vector<FullVariant> FullVariants() {
  std::vector<FullVariant> variants;
  for (int core = 0; core < assembly::kCoreCount; ++core)
    for (int zip = 0; zip <= 1; ++zip)
      for (int language = 0; language < assembly::kLanguageCount; ++language) variants.push_back({core, zip, language});
  return variants;
}

std::vector<FullVariant> DeployVariants(const std::string& only) {
  std::vector<FullVariant> variants = FullVariants();
  if (only.empty()) return variants;
  std::erase_if(variants, [&only](const FullVariant& v) {
    return !platform::SameText(DeployName(v.Core, v.Zip, v.Language), only);
  });
  return variants;
}

std::string UnknownVariantText(const std::string& only) {
  auto listed = [](const auto& suffixes) {
    std::string list;
    for (const char* s : suffixes) {
      if (*s == '\0') continue;
      list += list.empty() ? "" : ", ";
      list += s;
    }
    return list;
  };
  return "No variant is named \"" + only + "\". A variant's name is \"tomefalcon\" followed by a core (" +
         listed(assembly::CoreSuffixes) + "), a language (" + listed(assembly::LanguageSuffixes) +
         ") and, for ZIP support, \"_zip\": for example " + DeployName(7, 0, 1) + " or " + DeployName(0, 1, 4) + ".";
}

void ApplyDeployRecord(assembly::TMIDLETCONFIG& config) {
  config.ForceHeight = 0;
  config.AlternativeRotation = 0;
  config.LightControl = 0;
}

bool BuildInTurn(std::size_t count, const std::function<bool(std::size_t)>& build) {
  for (std::size_t i = 0; i < count; ++i)
    if (!build(i)) return false;
  return true;
}

std::optional<DeployRequest> DeployRequestOf(const std::vector<std::string>& args) {
  if (args.empty() || args[0] != "-deploy") return std::nullopt;
  return DeployRequest{args.size() > 1 ? args[1] : std::string(), args.size() > 2 ? args[2] : std::string()};
}

}  // namespace wizard
