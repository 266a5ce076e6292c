// Packs folders into a resource archive: every file below each source folder, in name order,
// with "/" names relative to that folder (folders get no entries of their own).
//   make_resarchive <archive> <source folder>...
#include "assembly/zipfile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void AddFolder(assembly::TZipFile& zip, const fs::path& folder, const std::string& prefix,
               std::set<std::string>& written) {
  std::vector<fs::directory_entry> children{fs::directory_iterator(folder), fs::directory_iterator()};
  std::sort(children.begin(), children.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  for (const fs::directory_entry& child : children) {
    const std::string name = prefix + child.path().filename().string();
    if (child.is_directory()) {
      AddFolder(zip, child.path(), name + "/", written);
    } else if (child.is_regular_file()) {
      std::ifstream in(child.path(), std::ios::binary);
      const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!written.insert(name).second) throw std::runtime_error("two sources hold " + name);
      zip.AddFile(name, 0);
      zip.WriteEntryData(zip.Count() - 1, data);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_resarchive <archive> <source folder>...\n");
    return 2;
  }
  try {
    assembly::TZipFile zip;
    std::set<std::string> written;
    for (int i = 2; i < argc; ++i) AddFolder(zip, argv[i], "", written);
    zip.SaveToFile(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_resarchive: %s\n", e.what());
    return 1;
  }
  return 0;
}
