#pragma once
// The yes/no question control's answer types and the details it stores for its built-in pop-up.

#include <QString>
#include <cstdint>

enum class TKwYesNoState { ynNo, ynYes };
// Which answer arms the details.
enum class TCallDialogOn { cdNone, cdYes, cdNo, cdEither };
enum class TDialogType {
  dtMemo,
  dtMemoDate,
  dtMemoPeriod,
  dtMemoDatePeriod,
  dtDatePeriod,
  dtUserDefined,  // the page's own dialog, through OnCallDialog
};

struct TYesNoData {
  QString note;
  std::int32_t amount = 0;
  double date = 0;  // a date serial (or a period value when the pop-up's date is a period)
  QString amountTitle = QStringLiteral("Period");
};

bool DialogTypeShowsNote(TDialogType type);
bool DialogTypeShowsDate(TDialogType type);
bool DialogTypeShowsAmount(TDialogType type);
