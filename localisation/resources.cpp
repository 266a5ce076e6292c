#include "localisation/resources.h"

#include <map>
#include <utility>

#include "localisation/constants.h"

namespace localisation {

namespace {

std::string Key(std::string_view name) {
  std::string k(name);
  for (char& c : k)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return k;
}

struct Registry {
  std::map<std::pair<HModule, std::string>, std::string> Named;
  std::map<std::pair<HModule, int>, std::string> Numbered;
};

Registry& Resources() {
  static Registry registry = [] {
    Registry r;
    r.Named[{kMainModule, "LANG_CONSTS"}] = EncodeLangConsts(QuirewrightTexts());
    return r;
  }();
  return registry;
}

}  // namespace

void SetRcData(HModule module, std::string_view name, std::string bytes) {
  Resources().Named[{module, Key(name)}] = std::move(bytes);
}

void SetRcData(HModule module, int id, std::string bytes) {
  Resources().Numbered[{module, id}] = std::move(bytes);
}

const std::string* FindRcData(HModule module, std::string_view name) {
  auto& m = Resources().Named;
  auto it = m.find({module, Key(name)});
  return it == m.end() ? nullptr : &it->second;
}

const std::string* FindRcData(HModule module, int id) {
  auto& m = Resources().Numbered;
  auto it = m.find({module, id});
  return it == m.end() ? nullptr : &it->second;
}

}  // namespace localisation
