// What a person sees of a window, for tests of both programs' windows: the text a window
// description writes for a property, the title bar's text, and the controls of a window.
#pragma once

#include "platform/component.h"
#include "platform/description.h"
#include "platform/ui/controls.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

namespace windowlook_support {

namespace detail {
inline const platform::TDescNode* Find(const platform::TDescNode& node, std::string_view name) {
  if (node.name == name) return &node;
  for (const platform::TDescNode& child : node.children)
    if (const platform::TDescNode* found = Find(child, name)) return found;
  return nullptr;
}
}  // namespace detail

// The text the description writes for `prop` of the component `name` (its bytes as stored),
// or "<absent>" when the description gives none.
inline std::string DescribedText(std::string_view description, std::string_view name, std::string_view prop) {
  const platform::TDescNode root = platform::ParseDescription(description);
  const platform::TDescNode* node = detail::Find(root, name);
  if (node != nullptr)
    for (const platform::TDescProp& p : node->props)
      if (p.path == prop && p.value.kind == platform::TDescValue::String) return p.value.text;
  return "<absent>";
}

// The text of a window's title bar as Qt hands it to the window manager: the window title,
// followed by " — " and the application's display name when a program has set one.
inline QString TitleBarText(const QWidget* window) {
  QString title = window->windowTitle();
  const QString display = QGuiApplication::applicationDisplayName();
  if (display != QCoreApplication::applicationName() && !title.endsWith(display))
    title += QString::fromUtf8(" \u2014 ") + display;
  return title;
}

// Every control owned, directly or further down, by `root`.
inline void CollectControls(platform::TComponent* root, std::vector<platform::TControl*>& out) {
  for (int i = 0; i < root->ComponentCount(); ++i) {
    platform::TComponent* c = root->Components(i);
    if (auto* control = dynamic_cast<platform::TControl*>(c)) out.push_back(control);
    CollectControls(c, out);
  }
}
inline std::vector<platform::TControl*> Controls(platform::TComponent* root) {
  std::vector<platform::TControl*> out;
  CollectControls(root, out);
  return out;
}

}  // namespace windowlook_support
