#include <cstdio>

#include "tools/demoengine/inputlayout.h"

namespace {

const char* KindText(TFieldKind kind) {
  switch (kind) {
    case TFieldKind::Tag:
      return "tag";
    case TFieldKind::Code:
      return "code";
    case TFieldKind::Number:
      return "number";
    case TFieldKind::Text:
      return "text";
    case TFieldKind::Date:
      return "date";
  }
  return "";
}

const char* FormatText(const TFieldSpec& f) {
  if (f.PropertyId == 0)
    return "";
  if (f.Kind == TFieldKind::Date)
    return "dd/mm/yyyy";
  switch (f.Format) {
    case 1:
      return "description";
    case 2:
      return f.Kind == TFieldKind::Number ? "year" : "ABI code";
    case 3:
      return "whole years to the cover start";
    case 4:
      return "whole months to the cover start";
    default:
      return "";
  }
}

// Writes a node's rows; lines within a repeated object are given relative to its start.
void Describe(const TLayoutNode& node, const std::string& prefix, std::int64_t& line,
              std::string& out) {
  char row[256];
  for (const auto& f : node.Fields) {
    ++line;
    char id[16] = "";
    if (f.PropertyId != 0)
      std::snprintf(id, sizeof id, "0x%X", static_cast<unsigned>(f.PropertyId));
    std::snprintf(row, sizeof row, "| %s%lld | %d | %s | %s | %s | %s |\n", prefix.c_str(),
                  static_cast<long long>(line), f.Width, f.Name, id, KindText(f.Kind),
                  FormatText(f));
    out += row;
  }
  for (const auto& child : node.Children) {
    std::int64_t size = LayoutLineCount(child);
    std::snprintf(row, sizeof row, "| %s%lld-%lld | | **%s** 1 to %d, %lld lines each | | | |\n",
                  prefix.c_str(), static_cast<long long>(line + 1),
                  static_cast<long long>(line + size * child.Repeat), child.Name, child.Repeat,
                  static_cast<long long>(size));
    out += row;
    std::int64_t inner = 0;
    Describe(child, prefix + std::string(child.Name).substr(0, 1) + "+", inner, out);
    line += size * child.Repeat;
  }
}

}  // namespace

std::string DescribeLayout(const TLayoutNode& root) {
  std::string out =
      "| line | width | field | property | kind | written as |\n"
      "|---|---|---|---|---|---|\n";
  std::int64_t line = 0;
  Describe(root, "", line, out);
  return out;
}
