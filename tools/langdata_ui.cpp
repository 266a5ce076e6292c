// Refreshes the translation tree of a window description and stores it back as the
// language controller's LangData (ids already given never change; new properties get the
// next free ids), then writes the window's language-file template lines.
//
//   langdata_ui [--program quirewright|glyphkiln] <description file> [template file]
//
// The description file is either a description itself or a .cpp file holding one in a
// raw string literal R"qwd( ... )qwd". Without a template file the lines go to stdout.
// With --program the template starts with the program's named texts ([$CONSTANTS]).
#include "controls/controlclasses.h"
#include "localisation/langcontroller.h"
#include "localisation/langmanager.h"
#include "platform/components/description.h"
#include "platform/ui/classes.h"
#include "platform/ui/forms.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

using namespace platform;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("Cannot read " + path);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
  if (!f) throw std::runtime_error("Cannot write " + path);
}

const TDescNode* FindNode(const TDescNode& n, const std::string& name) {
  if (SameName(n.Name, name)) return &n;
  for (const TDescNode& c : n.Children)
    if (const TDescNode* f = FindNode(c, name)) return f;
  return nullptr;
}

// The description: the whole file, or the raw string literal in it at [begin, end).
std::string DescriptionText(const std::string& file, size_t& begin, size_t& end) {
  begin = 0;
  end = file.size();
  size_t open = file.find("R\"qwd(");
  if (open != std::string::npos) {
    begin = open + 6;
    end = file.find(")qwd\"", begin);
    if (end == std::string::npos) throw std::runtime_error("No end of the raw string )qwd\"");
  }
  return file.substr(begin, end - begin);
}

localisation::TLangController& FindLangController(TForm& root) {
  localisation::TLangController* lc = nullptr;
  for (int i = 0; i < root.ComponentCount() && lc == nullptr; ++i)
    lc = dynamic_cast<localisation::TLangController*>(root.Components(i));
  if (lc == nullptr) throw std::runtime_error("The window has no language controller");
  return *lc;
}

// The description text with the controller's LangData property set to data, added at the end
// of the controller's block when it has none yet.
std::string WithLangData(const std::string& text, const TDescNode& tree, const localisation::TLangController& lc,
                         const std::string& data) {
  const TDescNode* node = FindNode(tree, lc.Name());
  if (node == nullptr) throw std::runtime_error("Language controller not found in the text");
  size_t lineStart = text.rfind('\n', node->EndOffset);
  std::string endIndent = text.substr(lineStart + 1, node->EndOffset - lineStart - 1);
  const std::string indent = endIndent + "  ";
  std::string value = FormatBinaryValue(data, indent);
  std::string updated = text;
  for (const TDescProp& p : node->Props)
    if (SameName(p.Path, "LangData")) {
      updated.replace(p.Value.Begin, p.Value.End - p.Value.Begin, value);
      return updated;
    }
  updated.insert(lineStart + 1, indent + "LangData = " + value + "\n");
  return updated;
}

// The window's language-file template, after the program's named texts when one is given.
std::string TemplateText(const std::string& program, localisation::TLangController& lc) {
  std::string lines;
  if (!program.empty()) {
    lines += "[$CONSTANTS]\r\n";
    for (const std::string& l : localisation::LangManager().Constants().TemplateLines()) lines += l + "\r\n";
  }
  lines += std::string("[") + lc.WindowName() + "]\r\n";
  for (const std::string& l : lc.TemplateLines()) lines += l + "\r\n";
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string program;
  if (args.size() >= 2 && args[0] == "--program") {
    program = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args.size() > 2 || (!program.empty() && program != "quirewright" && program != "glyphkiln")) {
    std::fprintf(stderr, "usage: %s [--program quirewright|glyphkiln] <description file> [template file]\n", argv[0]);
    return 2;
  }
  const std::string& path = args[0];
  try {
    QApplication app(argc, argv);
    if (!program.empty())
      localisation::UseBuiltInTexts(program == "glyphkiln" ? localisation::TProgram::Glyphkiln
                                                           : localisation::TProgram::Quirewright);
    RegisterStandardClasses();
    controls::RegisterControlClasses();
    localisation::RegisterLangControllerClass();
    const std::string file = ReadFile(path);
    size_t begin = 0, end = 0;
    const std::string text = DescriptionText(file, begin, end);
    TDescNode tree = ParseDescription(text);

    TOwned<TForm> root(new TForm(nullptr));
    TReadOptions options;
    options.IgnoreMissingHandlers = true;
    ReadDescription(*root, tree, nullptr, options);
    localisation::TLangController& lc = FindLangController(*root);

    const std::string data = lc.LangData();
    const std::string updated = WithLangData(text, tree, lc, data);
    if (updated != text) {
      WriteFile(path, file.substr(0, begin) + updated + file.substr(end));
      std::fprintf(stderr, "%s: LangData stored (%zu bytes)\n", path.c_str(), data.size());
    } else {
      std::fprintf(stderr, "%s: LangData unchanged\n", path.c_str());
    }

    const std::string lines = TemplateText(program, lc);
    if (args.size() == 2) WriteFile(args[1], lines);
    else std::cout << lines;
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return 1;
  }
}
