#pragma once
// TVehicleKwTabsheetForm: the capture page of the vehicle and the cover (tab "Vehicle").

#include "capture/capturepage.h"

class TVehicleKwTabsheetForm : public TCapturePage {
  Q_OBJECT

 public:
  explicit TVehicleKwTabsheetForm(QWidget* parent = nullptr);

  void LoadDetails() override;
};
