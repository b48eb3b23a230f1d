#include "tools/cli/clioutput.h"

#include <algorithm>

#include "motor/quotedetails.h"
#include "motor/resultdetails.h"
#include "platform/prompt.h"

namespace {

const QString kIndent = QStringLiteral("    ");

struct TColumnWidths {
  qsizetype No = 2;
  qsizetype Insurer = 7;
  qsizetype Premium = 7;
  qsizetype Excess = 6;
};

TColumnWidths Widths(const QList<TResultRow>& rows) {
  TColumnWidths widths;
  for (const TResultRow& row : rows) {
    widths.No = std::max(widths.No, row.No.size());
    widths.Insurer = std::max(widths.Insurer, row.Insurer.size());
    widths.Premium = std::max(widths.Premium, row.PremiumText.size());
    widths.Excess = std::max(widths.Excess, row.ExcessText.size());
  }
  return widths;
}

// "No" and "Insurer" stand left, "Premium" and "Excess" right, as in the results list.
QString Line(const TColumnWidths& widths, const QString& no, const QString& insurer,
             const QString& premium, const QString& excess) {
  return QStringLiteral("%1  %2  %3  %4")
             .arg(no, -static_cast<int>(widths.No))
             .arg(insurer, -static_cast<int>(widths.Insurer))
             .arg(premium, static_cast<int>(widths.Premium))
             .arg(excess, static_cast<int>(widths.Excess))
             .trimmed() +
         QLatin1Char('\n');
}

}  // namespace

QString QuotationTable(const QList<TResultRow>& rows) {
  const TColumnWidths widths = Widths(rows);
  QString table = Line(widths, QStringLiteral("No"), QStringLiteral("Insurer"),
                       QStringLiteral("Premium"), QStringLiteral("Excess"));
  for (const TResultRow& row : rows) {
    table += Line(widths, row.No, row.Insurer, row.PremiumText, row.ExcessText);
    if (row.Details == nullptr) {
      continue;
    }
    for (const QString& line : DescribeQuotation(*row.Details).Lines) {
      table += kIndent + line + QLatin1Char('\n');
    }
  }
  return table;
}

QString MissingList(const QList<TMissingItem>& missing) {
  QString list;
  for (const TMissingItem& item : missing) {
    list += QStringLiteral("%1%2 (page %3, %4)\n")
                .arg(kIndent, item.Message)
                .arg(item.Page)
                .arg(item.Field);
  }
  return list;
}

QJsonArray QuotationsJson(const QList<TResultRow>& rows) {
  QJsonArray quotations;
  for (const TResultRow& row : rows) {
    QJsonObject quotation{{"no", row.No.toInt()},
                          {"insurer", row.Insurer},
                          {"premium", row.PremiumText},
                          {"excess", row.ExcessText},
                          {"referred", row.Referred},
                          {"premiumPounds", row.Referred ? QJsonValue() : QJsonValue(row.Premium)},
                          {"totalExcess", row.TotalExcess}};
    if (row.Details != nullptr) {
      const TQuoteDetails& details = *row.Details;
      QJsonArray notes;
      for (int i = 0; i < details.NoteCount(); ++i) {
        const TQuoteNote note = details.GetNote(i);
        notes.append(QJsonObject{{"code", note.code}, {"text", note.text}});
      }
      QJsonArray sections;
      for (int i = 0; i < details.SectionExcessCount(); ++i) {
        const TSectionExcessText section = details.GetSectionExcess(i);
        sections.append(QJsonObject{{"section", section.description}, {"amount", section.amount}});
      }
      quotation.insert("planNumber", details.PlanNumber);
      quotation.insert("notes", notes);
      quotation.insert("compulsoryExcess", details.CompulsoryExcess);
      quotation.insert("voluntaryExcess", details.VoluntaryExcess);
      quotation.insert("sectionExcesses", sections);
      quotation.insert("use", details.UseDescription);
    }
    quotations.append(quotation);
  }
  return quotations;
}

QJsonArray MissingJson(const QList<TMissingItem>& missing) {
  QJsonArray items;
  for (const TMissingItem& item : missing) {
    items.append(
        QJsonObject{{"message", item.Message}, {"page", item.Page}, {"field", item.Field}});
  }
  return items;
}

QString ConsoleText(const QString& message) {
  return PromptTextForDisplay(message);
}
