#include "capture/vehiclepage.h"

TVehicleKwTabsheetForm::TVehicleKwTabsheetForm(QWidget* parent) : TCapturePage(parent) {
  setObjectName(QStringLiteral("TVehicleKwTabsheetForm"));
}

void TVehicleKwTabsheetForm::LoadDetails() {
  // The vehicle's fields read themselves back here once the page has them.
}
