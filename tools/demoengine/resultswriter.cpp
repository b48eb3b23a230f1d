#include "tools/demoengine/resultswriter.h"

#include <cstdio>

namespace {

void Line(std::string& text, const std::string& line) {
  text += line;
  text += "\r\n";
}

}  // namespace

std::string ResultsFileText(const std::vector<TQuote>& quotes) {
  std::string text;
  for (const auto& q : quotes) {
    Line(text, std::to_string(q.Plan));
    Line(text, std::to_string(q.PremiumPence));
    for (std::size_t i = 0; i < 15; ++i) {
      bool has = i < q.Notes.size();
      Line(text, has ? std::to_string(q.Notes[i].first) : "0");
      Line(text, has ? q.Notes[i].second : "");
    }
    Line(text, std::to_string(q.CompulsoryExcess));
    Line(text, std::to_string(q.VoluntaryExcess));
    Line(text, std::to_string(q.AllSectionsExcess));
    for (std::size_t i = 0; i < 5; ++i) {
      bool has = i < q.SectionExcesses.size();
      Line(text, has ? std::to_string(q.SectionExcesses[i].first) : "0");
      // Amounts carry leading zeros, which the results format allows and readers drop.
      char amount[16];
      std::snprintf(amount, sizeof amount, "%05d", has ? q.SectionExcesses[i].second : 0);
      Line(text, amount);
    }
    Line(text, std::to_string(q.UseCode));
  }
  return text;
}
