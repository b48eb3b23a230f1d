#pragma once
// TModelColumnCaptions: the captions above the vehicle model list. The list's lines are fixed
// columns ("%-27s%scc, %s, %s, %s"): the name, the engine size, the doors, the gearbox and the
// fuel; each caption stands centred over its columns of the field's text.

#include <QWidget>

class TKwComboEdit;

class TModelColumnCaptions : public QWidget {
  Q_OBJECT

 public:
  TModelColumnCaptions(TKwComboEdit* model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TKwComboEdit* model_;
};
