#pragma once
// Builds engine input text field by field for the tests: every field starts as the transfer
// writes a missing value (codes "0", everything else blank) and is padded to its width.

#include <map>
#include <string>
#include <vector>

#include "tools/demoengine/inputlayout.h"

class TInputBuilder {
 public:
  // A field of the root: Set("cover", "1").
  TInputBuilder& Set(const std::string& field, const std::string& value) {
    values_[field] = value;
    return *this;
  }
  // A field of an occurrence path: At({"driver", 1, "incident", 2, "claim", 1}, "claim type", "3").
  TInputBuilder& At(const std::vector<std::pair<std::string, int>>& path, const std::string& field,
                    const std::string& value) {
    std::string key;
    for (const auto& [object, n] : path)
      key += object + "#" + std::to_string(n) + "/";
    values_[key + field] = value;
    return *this;
  }
  TInputBuilder& Driver(int n, const std::string& field, const std::string& value) {
    return At({{"driver", n}}, field, value);
  }

  std::string Text() const {
    std::string text;
    Write(EngineInputLayout(), "", text);
    return text;
  }

 private:
  void Write(const TLayoutNode& node, const std::string& prefix, std::string& text) const {
    for (const auto& f : node.Fields) {
      auto it = values_.find(prefix + f.Name);
      std::string value = it != values_.end()          ? it->second
                          : f.Kind == TFieldKind::Tag  ? std::string(kInputTag)
                          : f.Kind == TFieldKind::Code ? std::string("0")
                                                       : std::string();
      value.resize(static_cast<std::size_t>(f.Width), ' ');
      text += value + "\r\n";
    }
    for (const auto& child : node.Children)
      for (int i = 1; i <= child.Repeat; ++i)
        Write(child, prefix + child.Name + "#" + std::to_string(i) + "/", text);
  }

  std::map<std::string, std::string> values_;
};

// A plain risk every mainstream scheme prices: a 40-year-old with a clean record, a six-year-old
// Ford Focus kept on a driveway in Leeds, comprehensive cover.
inline TInputBuilder StandardRisk() {
  TInputBuilder b;
  b.Set("cover", "1")
      .Set("cover start", "01/06/2026")
      .Set("driving restriction", "1")
      .Set("voluntary excess", "100")
      .Set("policy end", "01/06/2027")
      .Set("proposer postcode", "LS6 2AB")
      .Set("vehicle age", "6")
      .Set("vehicle year", "2020")
      .Set("make", "14")
      .Set("make name", "FORD")
      .Set("model", "14012")
      .Set("model description", " 2018-     HBK  5  PM 1596  FOCUS 1.6 ZETEC")
      .Set("seats", "5")
      .Set("vehicle value", "8000")
      .Set("private mileage", "8000")
      .Set("business mileage", "0")
      .Set("left-hand drive", "1")
      .Set("overnight location", "3")
      .Set("vehicle postcode", "LS6 2AB")
      .Set("use", "1")
      .Set("main driver", "1")
      .Set("bonus years", "5")
      .Set("bonus country", "1")
      .Set("bonus vehicle type", "1")
      .Driver(1, "driver number", "1")
      .Driver(1, "age", "40")
      .Driver(1, "date of birth", "15/03/1986")
      .Driver(1, "sex", "2")
      .Driver(1, "marital status", "2")
      .Driver(1, "licence type", "1")
      .Driver(1, "licence months", "240")
      .Driver(1, "main or frequent", "1");
  return b;
}
