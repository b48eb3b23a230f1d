#include "controls/yesnodata.h"

bool DialogTypeShowsNote(TDialogType type) {
  return type != TDialogType::dtDatePeriod && type != TDialogType::dtUserDefined;
}

bool DialogTypeShowsDate(TDialogType type) {
  return type == TDialogType::dtMemoDate || type == TDialogType::dtMemoDatePeriod ||
         type == TDialogType::dtDatePeriod;
}

bool DialogTypeShowsAmount(TDialogType type) {
  return type == TDialogType::dtMemoPeriod || type == TDialogType::dtMemoDatePeriod ||
         type == TDialogType::dtDatePeriod;
}
