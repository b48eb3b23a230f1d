#include "capture/claimrecords.h"

#include <cmath>

#include "controls/today.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"

namespace {

TPath IncidentOf(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident)};
}
TPath ClaimOf(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident), ClaimPath(0)};
}
TPath ConvictionOf(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident), ConvictionPath(0)};
}

// A claim or a conviction is stored when any of its answers is, also one still without its
// type or code; the bare number the quotation run gives a conviction's incident is no claim.
bool AnyValue(const TPath& path, std::initializer_list<std::int32_t> ids) {
  for (std::int32_t id : ids) {
    if (ValueExists(id, path))
      return true;
  }
  return false;
}
bool ClaimStored(const TPath& path) {
  return AnyValue(path,
                  {Id::ClaimType, Id::ClaimDate, Id::ClaimCost, Id::ClaimAtFault, Id::ClaimInjury});
}
bool ConvictionStored(const TPath& path) {
  return AnyValue(path, {Id::ConvictionCode, Id::ConvictionDate, Id::PenaltyPoints,
                         Id::ConvictionFine, Id::MonthsBanned});
}

QString YesOrNo(bool yes) {
  return yes ? QStringLiteral("Y") : QStringLiteral("N");
}
bool IsYes(const QString& answer) {
  return answer == QLatin1String("Y");
}

void WriteClaim(const TPath& path, const TClaimRecord& claim) {
  SetListValue(Id::ClaimType, path, claim.Type);
  SetDateValue(Id::ClaimDate, path, claim.Date);
  SetNumericValue(Id::ClaimCost, path, claim.Cost);
  SetListValue(Id::ClaimAtFault, path, IsYes(claim.AtFault) ? Code::AtFault : Code::NotAtFault);
  SetListValue(Id::ClaimInjury, path, IsYes(claim.Injury) ? Code::Yes : Code::No);
}

void WriteConviction(const TPath& path, const TConvictionRecord& conviction) {
  SetListValue(Id::ConvictionCode, path, conviction.Code);
  SetDateValue(Id::ConvictionDate, path, conviction.Date);
  SetNumericValue(Id::PenaltyPoints, path, conviction.Points);
  SetNumericValue(Id::ConvictionFine, path, conviction.Fine);
  SetNumericValue(Id::MonthsBanned, path, conviction.MonthsBanned);
  SetDateValue(Id::ConvictionRecordedDate, path, Today());
}

}  // namespace

void Relate(TClaimRecord& claim, TConvictionRecord& conviction) {
  if (claim.RelatedConviction == &conviction)
    return;
  Unrelate(claim);
  Unrelate(conviction);
  claim.RelatedConviction = &conviction;
  conviction.RelatedClaim = &claim;
}

void Unrelate(TClaimRecord& claim) {
  if (claim.RelatedConviction != nullptr)
    claim.RelatedConviction->RelatedClaim = nullptr;
  claim.RelatedConviction = nullptr;
}

void Unrelate(TConvictionRecord& conviction) {
  if (conviction.RelatedClaim != nullptr)
    conviction.RelatedClaim->RelatedConviction = nullptr;
  conviction.RelatedClaim = nullptr;
}

void LoadClaimsAndConvictions(int driver, TClaimList& claims, TConvictionList& convictions) {
  claims.Clear();
  convictions.Clear();
  int count = 0;
  GetObjectCount({DriverPath(driver)}, ObjectCode::Incident, count);
  for (int i = 0; i < count; ++i) {
    TClaimRecord* claim = nullptr;
    const TPath claimPath = ClaimOf(driver, i);
    if (ClaimStored(claimPath)) {
      claim = &claims.Append();
      claim->Type = GetListValue(Id::ClaimType, claimPath);
      claim->Date = GetDateValue(Id::ClaimDate, claimPath);
      claim->Cost = GetNumericValue(Id::ClaimCost, claimPath);
      claim->AtFault = YesOrNo(GetListValue(Id::ClaimAtFault, claimPath) == Code::AtFault);
      claim->Injury = YesOrNo(GetListValue(Id::ClaimInjury, claimPath) == Code::Yes);
    }
    const TPath convictionPath = ConvictionOf(driver, i);
    if (ConvictionStored(convictionPath)) {
      TConvictionRecord& conviction = convictions.Append();
      conviction.Code = GetListValue(Id::ConvictionCode, convictionPath);
      conviction.Date = GetDateValue(Id::ConvictionDate, convictionPath);
      conviction.Points = static_cast<std::int32_t>(
          std::lround(GetNumericValue(Id::PenaltyPoints, convictionPath)));
      conviction.Fine = GetNumericValue(Id::ConvictionFine, convictionPath);
      conviction.MonthsBanned =
          static_cast<std::int32_t>(std::lround(GetNumericValue(Id::MonthsBanned, convictionPath)));
      if (claim != nullptr)
        Relate(*claim, conviction);
    }
  }
}

void SaveClaimsAndConvictions(int driver, const TClaimList& claims,
                              const TConvictionList& convictions) {
  int count = 0;
  GetObjectCount({DriverPath(driver)}, ObjectCode::Incident, count);
  for (int i = 0; i < count; ++i)
    DeleteObject(IncidentOf(driver, i));
  int incident = 0;
  for (int i = 0; i < claims.Count(); ++i, ++incident) {
    const TClaimRecord& claim = claims.At(i);
    WriteClaim(ClaimOf(driver, incident), claim);
    if (claim.RelatedConviction != nullptr)
      WriteConviction(ConvictionOf(driver, incident), *claim.RelatedConviction);
  }
  for (int i = 0; i < convictions.Count(); ++i) {
    const TConvictionRecord& conviction = convictions.At(i);
    if (conviction.RelatedClaim == nullptr)
      WriteConviction(ConvictionOf(driver, incident++), conviction);
  }
}
