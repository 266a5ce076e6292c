// Window descriptions: the text that lists a window's components and their properties,
// kept in the repository and built into the program (a raw string literal in a .cpp file),
// read when the window is created.
//
//   object Form1: TForm1                 // the root: the window itself
//     Caption = 'Tomefalcon Builder'     // quoted text is UTF-8, stored as code page 1252;
//     Font.Name = 'MS Sans Serif'        //   other bytes are written #nnn ('a'#13#10'b')
//     Font.Style = [fsBold]              // sets; nested objects by "."
//     ClientWidth = 494
//     Color = clBtnFace                  // identifiers: enums, booleans, colours
//     OnCreate = FormCreate              // events: handler methods of the window class
//     object Label1: TLabel              // nested: owned by the window, parented here
//       Caption = 'A long text ' +       // '+' joins text parts across lines
//         'goes on'
//       FocusControl = Edit1             // references, resolved once all components exist
//     end
//     object ComboBox1: TComboBox
//       Items = ('one' 'two')            // string lists
//     end
//     object lcMain: TLangController
//       LangData = {0500466F726D31...}   // bytes in hexadecimal
//     end
//   end
//
// Collections are written  Columns = < item Width = 10 end item Width = 20 end >.
// Comments run from "//" to the end of a line.
//
// Reading order: every component is created by class name (registered classes only) and
// named; each nested object is given its enclosing object (SetParentComponent); properties
// are assigned in the order written, and each assigned property is marked stored on the
// object that holds it; then references are resolved, the window's fields are bound,
// and Loaded runs for the root and then for every component in the order written.
// The window's creation event comes after that (TForm).
#pragma once

#include "platform/components/component.h"

#include <any>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class EReadError : public std::runtime_error {
public:
  EReadError(int line, const std::string& message);
  int Line() const { return line_; }

private:
  int line_;
};

struct TDescProp;

struct TDescValue {
  enum Kind { Integer, Ident, String, List, Set, Binary, Collection };
  Kind Type = Integer;
  int64_t Number = 0;
  std::string Text;                               // Ident, String, Binary (bytes)
  std::vector<TDescValue> Items;                  // List
  std::vector<std::string> Names;                 // Set
  std::vector<std::vector<TDescProp>> Elements;   // Collection: each item's properties
  size_t Begin = 0, End = 0;                      // where the value stands in the text
};

struct TDescProp {
  std::string Path;
  TDescValue Value;
  int Line = 0;
};

struct TDescNode {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  size_t EndOffset = 0;  // where its closing "end" stands in the text
  std::vector<TDescProp> Props;
  std::vector<TDescNode> Children;
};

// Parses a description (throws EReadError with the line, counted from 1).
TDescNode ParseDescription(std::string_view text);

// Formats bytes as a binary value: "{" and lines of hexadecimal, each after `indent`.
std::string FormatBinaryValue(std::string_view bytes, const std::string& indent);

// What the window class offers its description: handler methods by name and the
// fields that point at its components.
class TBinder {
public:
  template <class C, class... A> void Handler(const std::string& name, C* self, void (C::*method)(A...)) {
    handlers_[Key(name)] = std::function<void(A...)>([self, method](A... a) { (self->*method)(a...); });
  }
  // Any std::function value (tests, tools).
  void HandlerValue(const std::string& name, std::any value) { handlers_[Key(name)] = std::move(value); }
  const std::any* FindHandler(std::string_view name) const;

  // `field` is set to the component of that name once every component exists.
  template <class T> void Field(const std::string& name, T*& field) {
    fields_.push_back({name, [&field](TComponent* c) {
                         field = dynamic_cast<T*>(c);
                         return field != nullptr;
                       }});
  }

  // Bind every field (EReadError when a name is missing or has another class).
  void BindFields(TComponent& root) const;

private:
  static std::string Key(std::string_view name);
  std::map<std::string, std::any> handlers_;
  struct FieldRef {
    std::string Name;
    std::function<bool(TComponent*)> Bind;
  };
  std::vector<FieldRef> fields_;
};

struct TReadOptions {
  // Events naming handlers the binder lacks are left unassigned instead of failing
  // (tools that read a description without its window class).
  bool IgnoreMissingHandlers = false;
};

// Reads a description into `root` (see the order above). The root's own class name in the
// text is not checked against the object. Throws EReadError.
void ReadDescription(TComponent& root, std::string_view text, const TBinder* binder,
                     const TReadOptions& options = {});
// The same with a parsed tree.
void ReadDescription(TComponent& root, const TDescNode& tree, const TBinder* binder,
                     const TReadOptions& options = {});


}  // namespace platform
