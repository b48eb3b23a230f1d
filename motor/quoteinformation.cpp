#include "motor/quoteinformation.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "motor/enginetextfile.h"
#include "motor/identifiers.h"
#include "motor/plannames.h"
#include "motor/quotedescriptions.h"
#include "motor/quoteresultserror.h"

namespace {

constexpr int kNotePairs = 15;
constexpr int kSectionPairs = 5;

// The fire and theft section's excess counts with third party, fire and theft cover.
constexpr int kFireAndTheftSection = 4;

// A line of the file as a message quotes it: a damaged file's line may be long and hold control
// characters, which a message box should neither show nor be stretched by.
QString Shown(const QString& line) {
  constexpr qsizetype kShownLength = 40;
  QString shown = line.left(kShownLength);
  for (QChar& c : shown) {
    if (c.unicode() < u' ' || c.unicode() == 0x7F)
      c = QLatin1Char('?');
  }
  return line.size() > kShownLength ? shown + QStringLiteral("...") : shown;
}

// Walks the lines of the results file, failing with the file and line named.
class TResultsReader {
 public:
  TResultsReader(const QString& fileName, const QStringList& lines)
      : fileName_(fileName), lines_(lines) {}

  bool AtEnd() const { return next_ >= lines_.size(); }

  QString Line() {
    if (AtEnd())
      throw EQuoteResultsError(fileName_, next_ + 1,
                               QStringLiteral("the file ends in the middle of a quotation"));
    return lines_[next_++];
  }

  qint32 Integer(const char* what) {
    QString text = Line();
    bool ok = false;
    qint32 value = text.trimmed().toInt(&ok);
    if (!ok)
      throw EQuoteResultsError(fileName_, next_,
                               QStringLiteral("\"%1\" is not a number (%2 expected)")
                                   .arg(Shown(text), QLatin1String(what)));
    return value;
  }

 private:
  QString fileName_;
  const QStringList& lines_;
  int next_ = 0;
};

QString WithoutLeadingZeros(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && text[start] == QLatin1Char('0'))
    ++start;
  return text.mid(start);
}

qint32 TotalExcessFor(const TQuoteDetails& details, qint32 coverType) {
  switch (coverType) {
    case Code::Comprehensive: {
      // Summed in 64 bits: two excesses near the 32-bit limits in a damaged file must not
      // overflow; the total stops at the limit instead.
      const qint64 total = qint64(details.CompulsoryExcess) + details.VoluntaryExcess;
      return static_cast<qint32>(std::clamp<qint64>(total, INT32_MIN, INT32_MAX));
    }
    case Code::ThirdPartyFireAndTheft:
      return details.SectionExcessByCode(kFireAndTheftSection);
    default:  // third party only, and any other value
      return 0;
  }
}

// One block of 46 lines; the plan-number line has already been read.
void ReadQuotation(TResultsReader& reader, const QString& planLine, const TPlanNames& plans,
                   qint32 coverType, TQuoteDetails& details) {
  bool ok = false;
  details.PlanNumber = planLine.trimmed().toInt(&ok);
  if (!ok)
    details.PlanNumber = 0;  // kept, but not offered as a quotation
  TPlanName name = plans.Lookup(details.PlanNumber);
  if (name.found) {
    details.InsurerName = name.insurerName;
    details.LogoCode = name.logoCode;
  }

  // The engine writes the premium in pence.
  details.Premium = reader.Integer("premium in pence") * 0.01;
  for (int i = 0; i < kNotePairs; ++i) {
    qint32 code = reader.Integer("note code");
    QString text = reader.Line();
    if (code > 0)
      details.Notes.append({code, text});
  }
  details.CompulsoryExcess = reader.Integer("compulsory excess");
  details.VoluntaryExcess = reader.Integer("voluntary excess");
  details.AllSectionsExcess = reader.Integer("all-sections excess");
  for (int i = 0; i < kSectionPairs; ++i) {
    qint32 code = reader.Integer("section code");
    QString amount = WithoutLeadingZeros(reader.Line().trimmed());
    if (code > 0)
      details.SectionExcesses.append({amount, code});
  }
  details.TotalExcess = TotalExcessFor(details, coverType);
  details.UseDescription = UseCodeDescription(reader.Integer("use code"));
}

}  // namespace

void TQuoteInformation::LoadFromFile(const QString& fileName, const QString& planNameFile,
                                     qint32 coverType) {
  Clear();
  std::optional<QStringList> lines = ReadEngineTextLines(fileName);
  if (!lines)
    throw EQuoteResultsError(fileName, 0, QStringLiteral("the quotation results cannot be read"));
  TPlanNames plans = TPlanNames::LoadFromFile(planNameFile);

  TResultsReader reader(fileName, *lines);
  while (!reader.AtEnd()) {
    QString planLine = reader.Line();
    // Empty lines separate the blocks.
    if (planLine.trimmed().isEmpty())
      continue;
    // A quotation is kept only when its whole block was read: a half-read one would show a
    // price without its notes or excesses.
    auto details = std::make_unique<TQuoteDetails>();
    ReadQuotation(reader, planLine, plans, coverType, *details);
    items_.push_back(std::move(details));
  }
}

const TQuoteDetails& TQuoteInformation::Items(int index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("quotation index out of range");
  return *items_[static_cast<std::size_t>(index)];
}
