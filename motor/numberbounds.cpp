#include "motor/numberbounds.h"

#include <QFile>
#include <cmath>

#include "dataserver/dsv.h"
#include "dataserver/dsvexport.h"
#include "dataserver/numbertext.h"
#include "motor/identifiers.h"

namespace {

struct TNumberBound {
  std::int32_t Id;
  double Maximum;
  const char* What;  // the start of the message
};

// Bounds no vehicle or person goes beyond, kept wide enough for every real case.
constexpr TNumberBound kBounds[] = {
    {Id::Seats, 20, "A vehicle insured here has at most 20 seats"},
    {Id::VehicleValue, 2000000,
     "The value of the vehicle cannot be more than \xC2\xA3"
     "2,000,000"},
    {Id::PrivateMileage, 150000, "The annual mileage cannot be more than 150,000 miles"},
    {Id::BusinessMileage, 150000, "The annual mileage cannot be more than 150,000 miles"},
    {Id::BonusYears, 70, "No claims bonus cannot be claimed for more than 70 years"},
    {Id::OtherVehicleClaimFreeYears, 70, "Claim free driving cannot be more than 70 years"},
    {Id::CompanyCarClaimFreeYears, 70, "Claim free driving cannot be more than 70 years"},
    {Id::VehiclesOwned, 50, "The number of other vehicles cannot be more than 50"},
    {Id::OtherVehiclesDriven, 50, "The number of other vehicles cannot be more than 50"},
    {Id::ClaimCost, 20000000,
     "The cost of a claim cannot be more than \xC2\xA3"
     "20,000,000"},
    {Id::PenaltyPoints, 12, "A conviction carries at most 12 penalty points"},
    {Id::ConvictionFine, 1000000,
     "A fine cannot be more than \xC2\xA3"
     "1,000,000"},
    {Id::MonthsBanned, 1200, "A ban cannot be longer than 1200 months"},
};

const TNumberBound* BoundOf(std::int32_t id) {
  for (const TNumberBound& bound : kBounds) {
    if (bound.Id == id)
      return &bound;
  }
  return nullptr;
}

}  // namespace

double NumberMaximum(std::int32_t id) {
  const TNumberBound* bound = BoundOf(id);
  return bound != nullptr ? bound->Maximum : 0;
}

QString NumberRefusal(std::int32_t id, double value, const QString& exportsFile) {
  if (!std::isfinite(value) || value < 0)
    return QStringLiteral("Please enter a number of 0 or more");
  if (const TNumberBound* bound = BoundOf(id); bound != nullptr && value > bound->Maximum)
    return QString::fromUtf8(bound->What) + QStringLiteral("\rPlease enter a smaller number");
  if (exportsFile.isEmpty())
    return QString();
  std::int32_t width = 0;
  const QByteArray file = QFile::encodeName(exportsFile);
  if (DsvQueryExportWidth(file.constData(), id, &width) != 0)
    return QString();
  const std::string text = FormatGeneralNumber(value);
  if (static_cast<std::int32_t>(text.size()) <= width)
    return QString();
  return QStringLiteral(
             "The Quote engine reads at most %1 characters for this number (%2)\r"
             "Please enter a smaller number")
      .arg(width)
      .arg(QString::fromStdString(text));
}
