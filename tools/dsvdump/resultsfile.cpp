#include "tools/dsvdump/resultsfile.h"

#include <cstdio>
#include <fstream>

#include "dataserver/binarystream.h"
#include "tools/dictc/cp1252.h"

namespace {

const char* const kSections[] = {"",
                                 "Accidental damage",
                                 "Accidental damage, fire and theft",
                                 "Accidental damage and theft",
                                 "Fire and theft",
                                 "Theft",
                                 "Fire",
                                 "All sections",
                                 "Malicious Damage",
                                 "Accidental and malicious damage",
                                 "Accidental and malicious damage, fire and theft",
                                 "Malicious damage, fire and theft",
                                 "Windscreen",
                                 "Ungaraged theft",
                                 "Ungaraged fire and theft",
                                 "Ungaraged malicious damage and theft",
                                 "Alarm theft",
                                 "malicious damage and theft",
                                 "Accidental and malicious damage and theft",
                                 "main driver novice",
                                 "Ungaraged malicious damage, fire and theft",
                                 "Minimum accidental damage",
                                 "Minimum accidental and malicious damage, fire and theft",
                                 "Minimum fire and theft"};

const char* const kUses[] = {"",
                             "Social, Domestic and Pleasure",
                             "Class 1",
                             "Class 2",
                             "Class 3",
                             "Commercial Vehicle",
                             "Commercial vehicle (including hire)",
                             "Commercial vehicle (including hire), Limited Radius"};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty())
    lines.push_back(current);
  return lines;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.pop_back();
  return s;
}

std::string Trim(std::string s) {
  s = TrimRight(s);
  std::size_t start = s.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : s.substr(start);
}

class TLineReader {
 public:
  TLineReader(const std::string& fileName, std::vector<std::string> lines)
      : fileName_(fileName), lines_(std::move(lines)) {}

  bool AtEnd() const { return next_ >= lines_.size(); }
  bool NextIsEmpty() const { return Trim(lines_[next_]).empty(); }
  void Skip() { ++next_; }

  const std::string& Text() {
    if (AtEnd())
      Fail("the file ends inside a block");
    return lines_[next_++];
  }

  std::int64_t Number() {
    std::string text = Trim(Text());
    std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (i >= text.size() || text.size() > 18)
      Fail("expected a number, found \"" + text + "\"");
    for (std::size_t k = i; k < text.size(); ++k)
      if (text[k] < '0' || text[k] > '9')
        Fail("expected a number, found \"" + text + "\"");
    return std::stoll(text);
  }

  [[noreturn]] void Fail(const std::string& fault) const {
    throw EReadError(fileName_ + " line " + std::to_string(next_) + ": " + fault);
  }

 private:
  std::string fileName_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

std::int32_t Int32(TLineReader& in) {
  std::int64_t n = in.Number();
  if (n < INT32_MIN || n > INT32_MAX)
    in.Fail("number out of range");
  return static_cast<std::int32_t>(n);
}

}  // namespace

bool TResultBlock::IsDeclined() const {
  if (!IsReferred() || Notes.empty())
    return false;
  std::int32_t first = Notes.front().first;
  return first == 32 || first == 39 || first == 56;
}

std::vector<TResultBlock> ReadResultsFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file)
    throw EReadError("cannot open " + fileName);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TLineReader in(fileName, SplitLines(text));
  std::vector<TResultBlock> blocks;
  while (!in.AtEnd()) {
    if (in.NextIsEmpty()) {
      in.Skip();
      continue;
    }
    TResultBlock b;
    b.PlanNumber = Int32(in);
    b.PremiumPence = in.Number();
    for (int i = 0; i < 15; ++i) {
      std::int32_t code = Int32(in);
      std::string note = TrimRight(in.Text());
      if (code > 0)
        b.Notes.emplace_back(code, note);
    }
    b.CompulsoryExcess = Int32(in);
    b.VoluntaryExcess = Int32(in);
    b.AllSectionsExcess = Int32(in);
    for (int i = 0; i < 5; ++i) {
      std::int32_t code = Int32(in);
      std::string amount = Trim(in.Text());
      for (char c : amount)
        if (c < '0' || c > '9')
          in.Fail("expected an amount, found \"" + amount + "\"");
      std::size_t digits = amount.find_first_not_of('0');
      if (code > 0)
        b.SectionExcesses.emplace_back(code,
                                       digits == std::string::npos ? "" : amount.substr(digits));
    }
    b.UseCode = Int32(in);
    blocks.push_back(std::move(b));
  }
  return blocks;
}

std::vector<std::string> ReadPlanNames(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file)
    return {};
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // Only CR LF or LF ends a line here: a name line is never empty in the middle of the file.
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  return lines;
}

std::string PlanDisplayName(const std::vector<std::string>& planNames, std::int32_t planNumber) {
  std::int32_t index = planNumber / 10 - 1;
  std::int32_t variant = planNumber % 10;
  if (index < 0 || static_cast<std::size_t>(index) >= planNames.size())
    return {};
  const std::string& line = planNames[static_cast<std::size_t>(index)];
  std::string name = TrimRight(line.substr(0, 20));
  // The line is made of 20-character fields: the insurer, then one per variant.
  std::size_t at = static_cast<std::size_t>(20 * variant);
  if (variant > 0 && at < line.size())
    name += " " + Trim(line.substr(at, 20));
  return name;
}

std::string SectionDescription(std::int32_t code) {
  return code >= 1 && code <= 23 ? kSections[code] : "";
}

std::string UseDescription(std::int32_t code) {
  return code >= 1 && code <= 7 ? kUses[code] : "";
}

void DumpResultsFile(const std::string& fileName, const std::vector<std::string>& planNames,
                     std::ostream& out) {
  std::vector<TResultBlock> blocks = ReadResultsFile(fileName);
  out << "Formula1.001: " << blocks.size() << " quotations\n";
  for (const auto& b : blocks) {
    out << "\nPlan " << b.PlanNumber;
    std::string name = PlanDisplayName(planNames, b.PlanNumber);
    if (!name.empty())
      out << "  " << Cp1252ToUtf8(name);
    out << "\n  ";
    if (b.IsDeclined()) {
      out << "declined";
    } else if (b.IsReferred()) {
      out << "referred";
    } else {
      char money[48];
      std::snprintf(money, sizeof money, "premium %lld pence (\xC2\xA3%lld.%02lld)",
                    static_cast<long long>(b.PremiumPence),
                    static_cast<long long>(b.PremiumPence / 100),
                    static_cast<long long>(b.PremiumPence % 100));
      out << money;
    }
    out << "\n";
    for (const auto& [code, text] : b.Notes)
      out << "  note " << code << ": " << Cp1252ToUtf8(text) << "\n";
    out << "  excess: compulsory " << b.CompulsoryExcess << ", voluntary " << b.VoluntaryExcess
        << ", all sections " << b.AllSectionsExcess << "\n";
    for (const auto& [code, amount] : b.SectionExcesses)
      out << "  section " << code << " " << SectionDescription(code) << ": " << amount << "\n";
    out << "  use " << b.UseCode << " " << UseDescription(b.UseCode) << "\n";
  }
}
