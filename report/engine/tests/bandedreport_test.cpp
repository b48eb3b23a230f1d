// The banded report engine on its own: page breaks, linked and suppressed bands, title and
// footer, label hooks, cut bands, and that a generated document prints the pages it counted.

#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "report/engine/bandedreport.h"
#include "report/engine/rpttext.h"
#include "report/engine/tests/pdfprobe.h"

namespace {

// 300 x 400 points without margins: with the 20-point footer, 380 points for the bands.
QPageLayout SmallPage() {
  return QPageLayout(
      QPageSize(QSizeF(300, 400), QPageSize::Point, QStringLiteral("Test"), QPageSize::ExactMatch),
      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

QFont TestFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(8);
  return font;
}

// Repeats the detail bands `records` times; Record() is the current one from 0.
class TCountedRecords {
 public:
  explicit TCountedRecords(TBandedReport& report, int records) : records_(records) {
    report.SetNeedData([this] {
      if (current_ + 1 >= records_) {
        return false;
      }
      ++current_;
      return true;
    });
  }
  int Record() const { return current_; }
  void Restart() { current_ = -1; }

 private:
  int records_;
  int current_ = -1;
};

void AddPageFooter(TBandedReport& report, int* pageCount) {
  TRptBand& footer = report.SetPageFooterBand(QStringLiteral("Footer"), 20);
  TRptItem& number = footer.Add(TRptItem{});
  number.Kind = TRptItemKind::PageNumber;
  number.Name = QStringLiteral("PageNumber");
  number.Text = QStringLiteral("Page ");
  number.Geometry = QRectF(100, 4, 48, 12);
  number.Font = TestFont();
  number.Alignment = Qt::AlignRight | Qt::AlignTop;
  footer.AddLabel(QStringLiteral("PageCount"), QRectF(152, 4, 60, 12), QString(), TestFont())
      .OnPrint = [pageCount](const TRptPrintContext&, QString& text) {
    text = QStringLiteral("of %1").arg(*pageCount);
  };
}

// Names of the detail bands of a page, without the footer.
QStringList BodyBands(const TRptDocument& document, int page) {
  QStringList names = document.BandNames(page);
  names.removeAll(QStringLiteral("Footer"));
  return names;
}

}  // namespace

TEST(BandedReport, LinkedBandsAreNeverSeparatedFromTheirMaster) {
  TBandedReport report;
  TCountedRecords records(report, 9);
  // A filler of changing height moves the groups about so that breaks fall everywhere.
  report.AddDetailBand(QStringLiteral("Filler"), 10).SetBeforePrint([&](TRptBand& band, bool&) {
    band.SetHeight(10 + 17 * (records.Record() % 4));
  });
  TRptBand& header = report.AddDetailBand(QStringLiteral("Header"), 30);
  header.AddLabel(QStringLiteral("Caption"), QRectF(0, 0, 200, 20), QStringLiteral("Head"),
                  TestFont());
  header.AddLinked(QStringLiteral("Table"), 100);
  report.SetPageFooterBand(QStringLiteral("Footer"), 20);

  const TRptDocument document = report.Generate(SmallPage());
  ASSERT_GT(document.PageCount(), 3);
  int headers = 0;
  int breaksBetweenGroups = 0;
  for (int page = 1; page <= document.PageCount(); ++page) {
    const QStringList names = BodyBands(document, page);
    for (qsizetype i = 0; i < names.size(); ++i) {
      if (names[i] == QStringLiteral("Header")) {
        ++headers;
        ASSERT_LT(i + 1, names.size()) << "a header ends page " << page;
        EXPECT_EQ(names[i + 1], QStringLiteral("Table")) << "page " << page;
      }
      if (names[i] == QStringLiteral("Table")) {
        ASSERT_GT(i, 0) << "a table starts page " << page;
        EXPECT_EQ(names[i - 1], QStringLiteral("Header"));
      }
    }
    if (!names.isEmpty() && names.front() == QStringLiteral("Header")) {
      ++breaksBetweenGroups;
    }
    // Nothing runs into the footer.
    for (const TRptPlacedBand& band : document.Bands(page)) {
      if (band.Name != QStringLiteral("Footer")) {
        EXPECT_LE(band.Top + band.SliceHeight, 380.01) << band.Name.toStdString();
        EXPECT_FALSE(band.Sliced);
      } else {
        EXPECT_DOUBLE_EQ(band.Top, 380);
      }
    }
  }
  EXPECT_EQ(headers, 9);
  EXPECT_GT(breaksBetweenGroups, 0) << "some group must have moved to a new page";
}

TEST(BandedReport, ASuppressedBandTakesNoSpaceAndItsLinkedBandsGoWithIt) {
  TBandedReport report;
  TCountedRecords records(report, 2);
  report.AddDetailBand(QStringLiteral("First"), 40);
  TRptBand& optional = report.AddDetailBand(QStringLiteral("Optional"), 60);
  optional.SetBeforePrint([&](TRptBand&, bool& print) { print = records.Record() == 1; });
  optional.AddLinked(QStringLiteral("OptionalLines"), 25);
  TRptBand& hidden = report.AddDetailBand(QStringLiteral("Last"), 40);
  hidden.AddLinked(QStringLiteral("NeverLines"), 30).SetBeforePrint([](TRptBand&, bool& print) {
    print = false;
  });

  const TRptDocument document = report.Generate(SmallPage());
  ASSERT_EQ(document.PageCount(), 1);
  const auto& bands = document.Bands(1);
  ASSERT_EQ(document.BandNames(1),
            QStringList({"First", "Last", "First", "Optional", "OptionalLines", "Last"}));
  EXPECT_DOUBLE_EQ(bands[0].Top, 0);
  EXPECT_DOUBLE_EQ(bands[1].Top, 40);  // right below First: the suppressed band took nothing
  EXPECT_DOUBLE_EQ(bands[2].Top, 80);
  EXPECT_DOUBLE_EQ(bands[3].Top, 120);
  EXPECT_DOUBLE_EQ(bands[4].Top, 180);
  EXPECT_DOUBLE_EQ(bands[5].Top, 205);
}

// A title with the run's date, the "Page n of N" footer, and 12 records of one to five lines.
std::unique_ptr<TCountedRecords> BuildNumberedReport(TBandedReport& report, int* pageCount) {
  TRptBand& title = report.SetTitleBand(QStringLiteral("Title"), 50);
  title.AddLabel(QStringLiteral("Heading"), QRectF(0, 0, 300, 14), QStringLiteral("Test Title"),
                 TestFont());
  TRptItem& generated = title.Add(TRptItem{});
  generated.Kind = TRptItemKind::DateTime;
  generated.Text = QStringLiteral("Generated ");
  generated.Format = QStringLiteral("dd/MM/yyyy hh:mm");
  generated.Geometry = QRectF(0, 20, 300, 14);
  generated.Font = TestFont();
  AddPageFooter(report, pageCount);
  auto records = std::make_unique<TCountedRecords>(report, 12);
  TRptBand& detail = report.AddDetailBand(QStringLiteral("Detail"), 0);
  TRptItem& memo = detail.AddMemo(QStringLiteral("Lines"), QRectF(0, 0, 280, 0), TestFont(), 10);
  detail.SetBeforePrint([&memo, current = records.get()](TRptBand& band, bool&) {
    memo.Lines.clear();
    for (int i = 0; i <= current->Record() % 5; ++i) {
      memo.Lines << QStringLiteral("Record %1 line %2").arg(current->Record()).arg(i + 1);
    }
    memo.Geometry.setHeight(memo.MemoHeight());
    band.FitHeightToItems(5);
  });
  report.SetGeneratedAt(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
  return records;
}

TEST(BandedReport, TitleOnceFooterOnEveryPageAndTheCountedPagesArePrinted) {
  int pageCount = 0;
  int counted = 0;
  {
    TBandedReport counting;
    const auto records = BuildNumberedReport(counting, &pageCount);
    counted = counting.Generate(SmallPage()).PageCount();
  }
  ASSERT_GT(counted, 1);
  pageCount = counted;

  // The printing pass, to a PDF.
  TBandedReport printing;
  const auto records = BuildNumberedReport(printing, &pageCount);
  const TRptDocument document = printing.Generate(SmallPage());
  EXPECT_EQ(document.PageCount(), counted);
  EXPECT_EQ(document.BandNames(1).front(), QStringLiteral("Title"));
  for (int page = 2; page <= document.PageCount(); ++page) {
    EXPECT_FALSE(document.BandNames(page).contains(QStringLiteral("Title")));
  }

  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
  {
    QPdfWriter writer(pdf);
    ASSERT_TRUE(document.Print(writer));
  }
  ASSERT_EQ(pdfprobe::PageCount(pdf), counted);
  EXPECT_TRUE(pdfprobe::FlatText(pdf, 1).contains(QStringLiteral("Generated 05/03/2024 09:30")));
  for (int page = 1; page <= counted; ++page) {
    EXPECT_TRUE(pdfprobe::FlatText(pdf, page).contains(
        QStringLiteral("Page %1 of %2").arg(page).arg(counted)))
        << pdfprobe::Text(pdf, page).toStdString();
  }
  const QString all = pdfprobe::FlatText(pdf);
  for (int record = 0; record < 12; ++record) {
    EXPECT_TRUE(all.contains(QStringLiteral("Record %1 line %2").arg(record).arg(record % 5 + 1)));
  }
}

TEST(BandedReport, ABandTallerThanAPageIsCutBetweenLines) {
  TBandedReport report;
  report.SetPageFooterBand(QStringLiteral("Footer"), 20);
  report.AddDetailBand(QStringLiteral("Before"), 55);
  TRptBand& tall = report.AddDetailBand(QStringLiteral("Tall"), 0);
  TRptItem& memo = tall.AddMemo(QStringLiteral("Lines"), QRectF(0, 3, 280, 0), TestFont(), 12);
  for (int i = 1; i <= 80; ++i) {
    memo.Lines << QStringLiteral("Row %1 of the tall band").arg(i);
  }
  memo.Geometry.setHeight(memo.MemoHeight());
  tall.FitHeightToItems(0);
  tall.SetSplitGrid(3, 12);

  const TRptDocument document = report.Generate(SmallPage());
  ASSERT_EQ(document.PageCount(), 3);  // 963 points of rows on pages of 380
  qreal shown = 0;
  for (int page = 1; page <= 3; ++page) {
    for (const TRptPlacedBand& band : document.Bands(page)) {
      if (band.Name != QStringLiteral("Tall")) {
        continue;
      }
      EXPECT_TRUE(band.Sliced);
      EXPECT_DOUBLE_EQ(band.SliceTop, shown);
      // Every cut falls between two rows.
      const qreal end = band.SliceTop + band.SliceHeight;
      if (page < 3) {
        EXPECT_NEAR(std::fmod(end - 3, 12), 0, 1e-6);
        EXPECT_LE(band.Top + band.SliceHeight, 380.01);
      }
      shown = end;
    }
  }
  EXPECT_DOUBLE_EQ(shown, 963);

  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("tall.pdf"));
  {
    QPdfWriter writer(pdf);
    ASSERT_TRUE(document.Print(writer));
  }
  const QString text = pdfprobe::Text(pdf);
  for (int i = 1; i <= 80; ++i) {
    EXPECT_EQ(text.count(QStringLiteral("Row %1 of the tall band").arg(i)), 1) << i;
  }
}

TEST(RptText, WrapsAtWordsAndInsideWordsTooLongForALine) {
  const QFont font = TestFont();
  const qreal width = RptTextWidth(font, QStringLiteral("Accident - own vehicle"));
  const QStringList lines =
      RptWrapText(font, QStringLiteral("Accident - own vehicle damaged in a car park"), width);
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines.front(), QStringLiteral("Accident - own vehicle"));
  for (const QString& line : lines) {
    EXPECT_LE(RptTextWidth(font, line), width + 0.01) << line.toStdString();
  }
  EXPECT_EQ(lines.join(QLatin1Char(' ')),
            QStringLiteral("Accident - own vehicle damaged in a car park"));

  const QStringList broken = RptWrapText(font, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), 30);
  EXPECT_GT(broken.size(), 1);
  EXPECT_EQ(broken.join(QString()), QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));

  EXPECT_EQ(RptWrapText(font, QStringLiteral("one\rtwo"), 200), QStringList({"one", "two"}));
  EXPECT_EQ(RptWrapText(font, QString(), 200), QStringList({QString()}));
}
