#pragma once
// TNumericEdit: the self-drawn number field, plain, money (pound sign) or percentage, with its
// own caret and typing rules (see TNumericEditor). The pages range-check its value themselves.

#include <QWidget>
#include <cstdint>

#include "controls/kwfield.h"
#include "controls/numericeditor.h"

enum class TNumberType { ntNone, ntMoney, ntPercent };

class TNumericEdit : public TKwField<QWidget, TNumericEdit> {
  Q_OBJECT

 public:
  explicit TNumericEdit(QWidget* parent = nullptr);

  std::int32_t AsInteger() const { return editor_.Integer(); }
  void SetAsInteger(std::int32_t value);
  double AsDouble() const { return editor_.Double(); }
  // Rounded to 1/10000 and written in the field's format.
  void SetAsDouble(double value);
  // -1: any number of decimals; 0: whole numbers only; n > 0: exactly n decimals.
  std::int8_t DecimalPlaces() const { return editor_.DecimalPlaces(); }
  void SetDecimalPlaces(std::int8_t places);
  TNumberType NumberType() const { return numberType_; }
  void SetNumberType(TNumberType type);
  bool PositiveNumbersOnly() const { return editor_.PositiveOnly(); }
  void SetPositiveNumbersOnly(bool on);

  // What the field shows: "-", the pound sign for money, the digits, "%" for percentages.
  QString DisplayText() const;
  int CaretPosition() const { return editor_.Caret(); }
  bool ValueSelected() const { return editor_.Selected(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void entered();
  void exited();
  // After every edit and every assignment of the value.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void FocusGained() override;
  void FocusLost() override;

 private:
  int PrefixLength() const;
  int TextLeft() const;
  int CaretAtX(int x) const;
  void Apply(TNumericEditor::TResult result);
  void Changed();

  TNumericEditor editor_;
  TNumberType numberType_ = TNumberType::ntNone;
};
