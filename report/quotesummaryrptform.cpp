#include "report/quotesummaryrptform.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "motor/quotedetails.h"
#include "settings/displayformats.h"

using namespace summarylayout;

namespace {

const QString kTitleBand = QStringLiteral("TitleRptBand");
const QString kFooterBand = QStringLiteral("PageFooterRptBand");

// The columns of the report's tables, across the printable width.
TColumns ModificationColumns() {
  return {{0, 50, "Number"}, {50, 300, "Modification"}, {350, 160, "Due to medical condition"}};
}
TColumns SecurityColumns() {
  return {{0, 50, "Number"}, {50, 300, "Device"}, {350, 160, "Fitted By"}};
}
TColumns ClaimColumns() {
  return {{0, 50, "Number"},          {50, 65, "Date"},         {115, 170, "Type of Claim"},
          {285, 75, "Cost of Claim"}, {360, 60, "Fault Claim"}, {420, 90, "Personal Injury"}};
}
TColumns ConvictionColumns() {
  return {{0, 50, "Number"}, {50, 65, "Date"},    {115, 210, "Conviction Code"},
          {325, 60, "Fine"}, {385, 50, "Points"}, {435, 75, "Months Banned"}};
}
TColumns MedicalConditionColumns() {
  return {{0, 40, "Number"},
          {40, 80, "Period condition\nheld"},
          {120, 120, "Condition"},
          {240, 50, "Notify\nDVLA?"},
          {290, 55, "DVLA\nNotified?"},
          {345, 70, "Restricted to\nAutomatic?"},
          {415, 95, "All DVLA\nrequirements met?"}};
}

// The broker's emblem for the title: a quill on a navy disc, drawn rather than shipped.
QImage BrokerEmblem() {
  QImage image(240, 240, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1f, 0x3a, 0x5f));
  painter.drawEllipse(QRectF(4, 4, 232, 232));
  QPainterPath feather;
  feather.moveTo(70, 185);
  feather.cubicTo(90, 120, 140, 60, 190, 45);
  feather.cubicTo(175, 95, 135, 150, 70, 185);
  painter.setBrush(Qt::white);
  painter.drawPath(feather);
  painter.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(70, 185), QPointF(52, 205));
  return image;
}

}  // namespace

QString BrokerName() {
  return QStringLiteral("Quillmarsh Motor Insurance Services Ltd");
}

QString BrokerAddress() {
  return QStringLiteral("Heron House, 12 Example Row, Sampleford, Exampleshire SF1 2QM");
}

QString BrokerTelephone() {
  return QStringLiteral("01632 960123");
}

TQuoteSummaryRptForm::TQuoteSummaryRptForm(const TQuoteDetails& quotation, int pageCount,
                                           const QDate& today, const QDateTime& generatedAt)
    : quotation_(quotation), pageCount_(pageCount), today_(today) {
  report_.SetGeneratedAt(generatedAt);
  report_.SetNeedData([this] { return NextRecord(); });
  BuildTitle();
  BuildFooter();
  BuildFieldSection(
      "ProposerHeaderRptBand", "ProposerDetailRptBand", "Proposer (Policyholder) Details",
      [this] { return record_ == 0; }, [this] { return ProposerFields(today_); });
  BuildFieldSection(
      "VehicleHeaderRptBand", "VehicleDetailsRptBand", "Vehicle", [this] { return record_ == 0; },
      [] { return VehicleFields(); });
  BuildTableSection(
      "VehicleModificationsHeaderRptBand", "VehicleModificationsDetailRptBand", "Modifications",
      ModificationColumns(), [this] { return record_ == 0; }, [] { return ModificationRows(); });
  BuildTableSection(
      "SecurityHeaderRptBand", "SecurityDetailRptBand", "Security", SecurityColumns(),
      [this] { return record_ == 0; }, [] { return SecurityDeviceRows(); });
  BuildFieldSection(
      "DriversHeaderRptBand", "DriversDetailRptBand", "Additional Driver's Details",
      [this] { return record_ >= 1; }, [this] { return DriverFields(record_, today_); });
  BuildTableSection(
      "ClaimsHeaderRptBand", "ClaimsDetailRptBand", "Driving Claims", ClaimColumns(),
      [] { return true; }, [this] { return ClaimRows(record_); });
  BuildTableSection(
      "ConvictionsHeaderRptBand", "ConvictionsDetailRptBand", "Driving Convictions",
      ConvictionColumns(), [] { return true; }, [this] { return ConvictionRows(record_); });
  BuildTableSection(
      "MedicalCondtionsHeaderRptBand", "MedicalCondtionsDetailRptBand", "Medical Conditions",
      MedicalConditionColumns(), [] { return true; },
      [this] { return MedicalConditionRows(record_, today_); });
  BuildQuotation();
  BuildMemoSection("PolicyExcessesRptBand", "Excesses", [this] { return ExcessLines(quotation_); });
  BuildMemoSection("PolicyNotesRptBand", "Policy Notes", [this] { return NoteLines(quotation_); });
}

bool TQuoteSummaryRptForm::NextRecord() {
  if (record_ + 1 >= records_) {
    return false;
  }
  ++record_;
  return true;
}

TRptDocument TQuoteSummaryRptForm::Generate(const QPageLayout& layout) {
  records_ = SummaryRecordCount();
  record_ = -1;
  return report_.Generate(layout);
}

void TQuoteSummaryRptForm::BuildTitle() {
  TRptBand& band = report_.SetTitleBand(kTitleBand, 112);
  TRptItem picture;
  picture.Kind = TRptItemKind::Picture;
  picture.Name = QStringLiteral("LogoRptImage");
  picture.Geometry = QRectF(0, 0, 60, 60);
  picture.Picture = BrokerEmblem();
  band.Add(std::move(picture));

  QFont title = HeadingFont();
  title.setPointSizeF(16);
  band.AddLabel("TitleRptLabel", QRectF(72, 2, kBodyWidth - 72, 22),
                "Private Motor Insurance Quotation", title, Qt::AlignLeft | Qt::AlignVCenter);
  QFont text = TextFont();
  text.setPointSizeF(9);
  band.AddLabel("GeneratedRptLabel", QRectF(72, 28, 110, 12), "Quotation Generated at:", text);
  TRptItem generated;
  generated.Kind = TRptItemKind::DateTime;
  generated.Name = QStringLiteral("GeneratedRptSysData");
  generated.Geometry = QRectF(184, 28, 150, 12);
  generated.Font = text;
  generated.Format = kShortDateFormat + QLatin1Char(' ') + kTimeFormat;
  band.Add(std::move(generated));
  QFont call = text;
  call.setBold(true);
  band.AddLabel("CallRptLabel", QRectF(72, 44, kBodyWidth - 72, 12),
                "To arrange cover simply call Quillmarsh now on " + BrokerTelephone(), call);

  QFont company = HeadingFont();
  company.setPointSizeF(10);
  band.AddLabel("CompanyRptLabel", QRectF(0, 70, kBodyWidth, 14), BrokerName(), company,
                Qt::AlignHCenter | Qt::AlignVCenter);
  band.AddLabel("AddressRptLabel", QRectF(0, 85, kBodyWidth, 12), BrokerAddress(), text,
                Qt::AlignHCenter | Qt::AlignVCenter);
  TRptItem rule;
  rule.Kind = TRptItemKind::Rule;
  rule.Name = QStringLiteral("TitleRptRule");
  rule.Geometry = QRectF(0, 104, kBodyWidth, 0);
  band.Add(std::move(rule));
}

void TQuoteSummaryRptForm::BuildFooter() {
  TRptBand& band = report_.SetPageFooterBand(kFooterBand, 24);
  TRptItem rule;
  rule.Kind = TRptItemKind::Rule;
  rule.Name = QStringLiteral("FooterRptRule");
  rule.Geometry = QRectF(0, 6, kBodyWidth, 0);
  band.Add(std::move(rule));
  const qreal middle = kBodyWidth / 2;
  TRptItem page;
  page.Kind = TRptItemKind::PageNumber;
  page.Name = QStringLiteral("PageNumberRptSysData");
  page.Text = QStringLiteral("Page ");
  page.Geometry = QRectF(middle - 80, 10, 79, 12);
  page.Font = TextFont();
  page.Alignment = Qt::AlignRight | Qt::AlignVCenter;
  band.Add(std::move(page));
  band.AddLabel("PageCountRptLabel", QRectF(middle + 2, 10, 78, 12), "of", TextFont(),
                Qt::AlignLeft | Qt::AlignVCenter)
      .OnPrint = [this](const TRptPrintContext&, QString& text) {
    text = QStringLiteral("of %1").arg(pageCount_);
  };
}

void TQuoteSummaryRptForm::BuildFieldSection(const QString& header, const QString& detail,
                                             const QString& heading,
                                             std::function<bool()> printsWhen,
                                             std::function<TSummaryFields()> fields) {
  TRptBand& headerBand = report_.AddDetailBand(header, 0);
  AddSectionHeading(headerBand, header, heading);
  headerBand.SetBeforePrint(
      [printsWhen = std::move(printsWhen)](TRptBand&, bool& print) { print = printsWhen(); });
  TRptBand& detailBand = headerBand.AddLinked(detail, 0);
  const auto memos = AddTableMemos(detailBand, detail, 0, FieldColumns());
  detailBand.SetBeforePrint([memos, fields = std::move(fields)](TRptBand& band, bool&) {
    FillFields(band, memos, fields());
  });
}

void TQuoteSummaryRptForm::BuildTableSection(const QString& header, const QString& detail,
                                             const QString& heading, const TColumns& columns,
                                             std::function<bool()> printsWhen,
                                             std::function<TSummaryRows()> rows) {
  // The rows are read once, when the heading is about to print: none, and neither band prints.
  auto current = std::make_shared<TSummaryRows>();
  TRptBand& headerBand = report_.AddDetailBand(header, 0);
  const qreal top = AddSectionHeading(headerBand, header, heading);
  AddColumnHeadings(headerBand, header, top, columns);
  headerBand.SetBeforePrint([current, printsWhen = std::move(printsWhen), rows = std::move(rows)](
                                TRptBand&, bool& print) {
    *current = printsWhen() ? rows() : TSummaryRows();
    print = !current->isEmpty();
  });
  TRptBand& detailBand = headerBand.AddLinked(detail, 0);
  const auto memos = AddTableMemos(detailBand, detail, 0, columns);
  detailBand.SetBeforePrint([current, memos, columns](TRptBand& band, bool&) {
    FillTable(band, memos, columns, *current);
  });
}

void TQuoteSummaryRptForm::BuildQuotation() {
  TRptBand& headerBand = report_.AddDetailBand("QuotationInformationHeaderRptBand", 0);
  AddSectionHeading(headerBand, "QuotationInformationHeaderRptBand", "Quotation");
  headerBand.SetBeforePrint([this](TRptBand&, bool& print) { print = LastRecord(); });
  TRptBand& detailBand = headerBand.AddLinked("QuotationInformationDetailRptBand", 0);
  const auto memos =
      AddTableMemos(detailBand, "QuotationInformationDetailRptBand", 0, FieldColumns());
  detailBand.SetBeforePrint([this, memos](TRptBand& band, bool&) {
    FillFields(band, memos,
               {{"Insurer (Scheme):", QuotationInsurer(quotation_)},
                {"Premium", QuotationPremium(quotation_)}});
  });
}

void TQuoteSummaryRptForm::BuildMemoSection(const QString& name, const QString& heading,
                                            std::function<QStringList()> lines) {
  TRptBand& band = report_.AddDetailBand(name, 0);
  band.AddLabel(name + "Label", QRectF(0, 4, kBodyWidth, 14), heading, BoldFont(),
                Qt::AlignLeft | Qt::AlignVCenter);
  const auto memos = AddTableMemos(band, name, 20, {TColumn{0, kBodyWidth, QString()}});
  band.SetBeforePrint([this, memos, lines = std::move(lines)](TRptBand& band, bool& print) {
    print = LastRecord();
    if (!print) {
      return;
    }
    TSummaryRows rows;
    for (const QString& line : lines()) {
      rows << QStringList{line};
    }
    // The memo's top plus its height plus 5.
    FillTable(band, memos, {TColumn{0, kBodyWidth, QString()}}, rows, 5);
  });
}

QPageLayout DefaultSummaryPageLayout() {
  return QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter);
}

TRptDocument GenerateQuoteSummary(const TQuoteDetails& quotation, const QPageLayout& layout,
                                  const QDate& today, const QDateTime& generatedAt) {
  int pageCount = 0;
  {
    TQuoteSummaryRptForm counting(quotation, 0, today, generatedAt);
    pageCount = counting.Generate(layout).PageCount();
  }
  TQuoteSummaryRptForm printing(quotation, pageCount, today, generatedAt);
  return printing.Generate(layout);
}
