// The include lines of every source against the layer order of the README's Layout table:
// a folder includes only its own headers and those of the folders it builds on (directly or
// through them), and each folder builds only on folders listed above it.
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

// One row of the Layout table: "| `wizard/` | `assembly/`, `controls/` | what it holds |".
struct Layer {
  std::string Folder;                // "platform/ui/"
  std::set<std::string> BuildsOn;    // the folders named in the second column
  bool OnEveryFolderAbove = false;   // "every folder above"
};

std::vector<std::string> Backticked(const std::string& cell) {
  std::vector<std::string> names;
  for (std::size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
    const std::size_t close = cell.find('`', open + 1);
    if (close == std::string::npos) break;
    names.push_back(cell.substr(open + 1, close - open - 1));
    open = close + 1;
  }
  return names;
}

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(row.substr(1));
  while (std::getline(in, cell, '|')) cells.push_back(cell);
  return cells;
}

// The rows of the table under "## Layout", in their order.
std::vector<Layer> ReadLayoutTable(const std::string& readme) {
  std::vector<Layer> layers;
  std::istringstream in(readme);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) {
      if (inSection) break;
      inSection = line == "## Layout";
      continue;
    }
    if (!inSection || line.rfind("| `", 0) != 0) continue;
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() < 3) continue;
    const std::vector<std::string> folder = Backticked(cells[0]);
    if (folder.size() != 1) continue;
    Layer layer{folder[0], {}, cells[1].find("every folder above") != std::string::npos};
    for (const std::string& f : Backticked(cells[1])) layer.BuildsOn.insert(f);
    layers.push_back(std::move(layer));
  }
  return layers;
}

// The Layout table of the README.md in `root`.
std::vector<Layer> ReadLayers(const fs::path& root) {
  std::ifstream readme(root / "README.md", std::ios::binary);
  return ReadLayoutTable(std::string(std::istreambuf_iterator<char>(readme), {}));
}

// The row a path belongs to: the longest folder that starts it; -1 when none does.
int LayerOf(const std::vector<Layer>& layers, const std::string& path) {
  int best = -1;
  for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
    const std::string& f = layers[static_cast<std::size_t>(i)].Folder;
    if (path.rfind(f, 0) == 0 && (best < 0 || f.size() > layers[static_cast<std::size_t>(best)].Folder.size()))
      best = i;
  }
  return best;
}

// For each row, the rows whose headers it may include: its own, those it builds on, and what
// those build on.
std::vector<std::set<int>> Reach(const std::vector<Layer>& layers, std::vector<std::string>& problems) {
  std::vector<std::set<int>> reach(layers.size());
  for (std::size_t i = 0; i < layers.size(); ++i) {
    reach[i].insert(static_cast<int>(i));
    if (layers[i].OnEveryFolderAbove)
      for (std::size_t j = 0; j < i; ++j) reach[i].insert(static_cast<int>(j));
    for (const std::string& below : layers[i].BuildsOn) {
      const auto at = std::find_if(layers.begin(), layers.end(), [&](const Layer& l) { return l.Folder == below; });
      const std::size_t j = static_cast<std::size_t>(at - layers.begin());
      if (at == layers.end() || j >= i) {
        problems.push_back(layers[i].Folder + " builds on " + below + ", which is not a folder above it");
        continue;
      }
      reach[i].insert(reach[j].begin(), reach[j].end());  // rows above are complete already
    }
  }
  return reach;
}

// The name of an `#include "name"` line; "" for any other line.
std::string QuotedInclude(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return {};
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return {};
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || line[at] != '"') return {};
  const std::size_t close = line.find('"', at + 1);
  return close == std::string::npos ? std::string() : line.substr(at + 1, close - at - 1);
}

bool IsSource(const fs::path& p) {
  const std::string ext = p.extension().string();
  return ext == ".h" || ext == ".cpp" || ext == ".inc";
}

// The source-root path an include names, looked up as the build finds it: beside the including
// file, from the source root, then from tests/ (where the suites' helpers are); "" when none.
std::string ResolveInclude(const fs::path& root, const std::string& from, const std::string& name) {
  const fs::path fromDir = fs::path(from).parent_path();
  for (const fs::path& candidate : {fromDir / name, fs::path(name), fs::path("tests") / name})
    if (fs::is_regular_file(root / candidate)) return candidate.lexically_normal().generic_string();
  return {};
}

// Every wrong-way include under the table's folders, as "file:line: message"; also sources in no
// listed folder and table rows that build on a folder below them.
std::vector<std::string> LayerProblems(const fs::path& root) {
  const std::vector<Layer> layers = ReadLayers(root);
  std::vector<std::string> problems;
  if (layers.empty()) return {"README.md has no Layout table"};
  const std::vector<std::set<int>> reach = Reach(layers, problems);

  std::set<std::string> seen;
  for (const Layer& layer : layers) {
    if (!fs::is_directory(root / layer.Folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / layer.Folder)) {
      if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
      const std::string file = fs::relative(entry.path(), root).generic_string();
      if (!seen.insert(file).second) continue;
      const int own = LayerOf(layers, file);
      std::ifstream in(entry.path(), std::ios::binary);
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        const std::string name = QuotedInclude(line);
        if (name.empty()) continue;
        const std::string target = ResolveInclude(root, file, name);
        if (target.empty()) continue;  // generated in the build tree (qw_version.h)
        const int to = LayerOf(layers, target);
        const std::string where = file + ":" + std::to_string(number) + ": includes " + target;
        if (to < 0)
          problems.push_back(where + ", which is in no folder of the Layout table");
        else if (!reach[static_cast<std::size_t>(own)].count(to))
          problems.push_back(where + ": " + layers[static_cast<std::size_t>(own)].Folder + " does not build on " +
                             layers[static_cast<std::size_t>(to)].Folder);
      }
    }
  }
  return problems;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

TEST(Layers, EveryIncludeOfTheTreeFollowsTheLayoutTable) {
  const std::vector<std::string> problems = LayerProblems(QW_SOURCE_DIR);
  EXPECT_TRUE(problems.empty()) << Joined(problems);
}

TEST(Layers, EverySourceIsInAFolderOfTheLayoutTable) {
  const std::vector<Layer> layers = ReadLayers(QW_SOURCE_DIR);
  ASSERT_FALSE(layers.empty());
  for (const auto& top : fs::directory_iterator(QW_SOURCE_DIR)) {
    const std::string name = top.path().filename().string();
    if (!top.is_directory() || name[0] == '.' || name.rfind("build", 0) == 0) continue;
    for (const auto& f : fs::recursive_directory_iterator(top.path())) {
      if (!f.is_regular_file() || !IsSource(f.path())) continue;
      const std::string file = fs::relative(f.path(), QW_SOURCE_DIR).generic_string();
      EXPECT_GE(LayerOf(layers, file), 0) << file << " is in no folder of the Layout table";
    }
  }
}

// A small tree with a table of three layers, and one planted include per case.
TEST(Layers, APlantedIncludeAgainstTheOrderIsFound) {
  const std::string table =
      "# T\n\n## Layout\n\n| folder | builds on | what |\n|---|---|---|\n"
      "| `base/` | | the bottom |\n"
      "| `base/pictures/` | `base/` | beside the bottom |\n"
      "| `engine/` | `base/pictures/` | the middle |\n"
      "| `window/` | `engine/` | the top |\n"
      "| `tools/` | every folder above | tools |\n\n## Next\n\n| `ignored/` | `window/` | x |\n";
  struct Case {
    const char* file;
    const char* include;
    const char* expected;  // "" when the include is allowed
  } cases[] = {
      {"engine/a.cpp", "base/pictures/p.h", ""},
      {"engine/a.cpp", "base/b.h", ""},  // through base/pictures/
      {"window/w.cpp", "base/b.h", ""},
      {"window/w.cpp", "w.h", ""},       // beside the including file
      {"tools/t.cpp", "window/w.h", ""},
      {"base/b.cpp", "engine/e.h", "base/b.cpp:2: includes engine/e.h: base/ does not build on engine/"},
      {"base/b.cpp", "base/pictures/p.h", "base/b.cpp:2: includes base/pictures/p.h: base/ does not build on base/pictures/"},
      {"engine/a.cpp", "window/w.h", "engine/a.cpp:2: includes window/w.h: engine/ does not build on window/"},
      {"base/pictures/q.cpp", "stray/s.h", "base/pictures/q.cpp:2: includes stray/s.h, which is in no folder of the Layout table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " <- " + c.include);
    TempDir dir;
    WriteFile(dir.File("README.md"), table);
    for (const char* header : {"base/b.h", "base/pictures/p.h", "engine/e.h", "window/w.h", "stray/s.h"})
      WriteFile(dir.File(header), "#pragma once\n");
    WriteFile(dir.File(c.file), "// planted\n#include \"" + std::string(c.include) + "\"\n#include <vector>\n");
    const std::vector<std::string> problems = LayerProblems(dir.Path());
    if (*c.expected) {
      EXPECT_EQ(problems, std::vector<std::string>{c.expected});
    } else {
      EXPECT_TRUE(problems.empty()) << Joined(problems);
    }
  }
}

TEST(Layers, ARowBuildingOnAFolderBelowItIsRefused) {
  TempDir dir;
  WriteFile(dir.File("README.md"),
            "## Layout\n\n| folder | builds on | what |\n|---|---|---|\n| `low/` | `high/` | x |\n| `high/` | | y |\n");
  EXPECT_EQ(LayerProblems(dir.Path()), std::vector<std::string>{"low/ builds on high/, which is not a folder above it"});
}

}  // namespace
