#pragma once
// The line layout of the engine input "QuoForm1.001" as the demo transfer definition
// (resources/demo/exports.json) writes it: one fixed-width line per field, objects repeated a
// fixed number of times. The tables here are the engine's half of that contract; the tests hold
// them against the definition line for line.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

enum class TFieldKind {
  Tag,     // the literal format tag; must match exactly
  Code,    // a whole number (a list code); blank reads as 0
  Number,  // a number in general form ("." decimal point); blank means not given
  Text,    // any text, trailing spaces dropped
  Date,    // dd/mm/yyyy or blank
};

struct TFieldSpec {
  const char* Name;
  int Width;
  TFieldKind Kind;
  std::int32_t PropertyId;  // the Data Server property written there; 0 for the tag and the
                            // driver number
  int Format;               // the transfer's format kind (dates: 0 date, 2 year, 3 whole years,
                            // 4 whole months; lists: 0 code, 1 description, 2 ABI code)
};

// One object of the layout: its own fields first, then each child object's occurrences.
struct TLayoutNode {
  const char* Name;
  int Repeat;
  std::vector<TFieldSpec> Fields;
  std::vector<TLayoutNode> Children;
};

// The whole input: the root node (repeat 1).
const TLayoutNode& EngineInputLayout();
// The format tag the first line carries.
inline constexpr const char* kInputTag = "QMDEMO1";

// A field as read: the trimmed text, and for Code/Number fields the value.
struct TFieldValue {
  std::string Text;
  bool Given = false;  // false for a blank Number or Date
  double Number = 0;
};

// One occurrence of a layout node, fields by name and child occurrences by child name.
struct TInputRecord {
  std::map<std::string, TFieldValue> Fields;
  std::map<std::string, std::vector<TInputRecord>> Children;

  const TFieldValue& Field(const std::string& name) const;
  const std::vector<TInputRecord>& Occurrences(const std::string& child) const;
};

// A malformed input: the message names the line and the field.
class EInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the whole file text (lines ended by CR LF or LF). Every line must have exactly its
// field's width, and the file exactly the layout's number of lines.
TInputRecord ParseEngineInput(const std::string& text);

// The number of lines the layout describes.
std::int64_t LayoutLineCount(const TLayoutNode& node);

// The layout as a Markdown table: line numbers, widths, fields and their properties.
std::string DescribeLayout(const TLayoutNode& root);
