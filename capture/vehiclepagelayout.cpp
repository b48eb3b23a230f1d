// The vehicle page's field table and its layout: the vehicle, its use, the cover, who drives and
// the drivers' roles, each in a bevel of its own.

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "capture/vehiclepage.h"
#include "capture/vehiclepagefields.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "motor/identifiers.h"

namespace {

using namespace VehicleField;

// The field table in tab order (the spin button, tab 1, is made beside the year). The page has
// more captions than the letters left beside the menu bar's F and H, so the youngest driver's
// age, the sex of drivers and the registered owner, each reached by Tab from the field before
// it, have no mnemonic.
std::vector<TFieldRow> FieldTable() {
  using K = TFieldKind;
  using L = TListSource;
  using W = TWriteRule;
  return {
      {VehicleYearNumericEdit, K::Number, "&Year",
       "|Enter the year in which the vehicle to be insured was first registered.", 110201, L::None,
       0, Vehicle},
      {VehicleMakeKwComboEdit, K::List, "&Make",
       "|Select the Make/Manufacturer of the vehicle to be insured.", 110202, L::Page,
       Id::VehicleMake, Vehicle, W::OnExitIfChanged, foUpperCase | foSorted},
      {VehicleModelKwComboEdit, K::List, "Mo&del",
       "|Select the Model of the vehicle to be insured.", 110203, L::Page, Id::VehicleModel,
       Vehicle, W::OnExitIfSelected, foUpperCase | foSorted},
      {LHDKwYesNoDlg, K::YesNo, "Is the vehicle &Left-Hand-Drive?",
       "|Indicate whether the driving controls of the vehicle are on the left-hand side.", 110204,
       L::None, Id::LeftHandDrive, Vehicle, W::OnExit},
      {SeatsNumericEdit, K::Number, "&Number of seats in vehicle",
       "|Enter the number of seats in the vehicle.", 110205, L::None, Id::Seats, Vehicle,
       W::OnExit},
      {RegNoKwEdit, K::Text, "&Reg. No. (if known)",
       "|Enter the vehicle registration number (if known)", 110206, L::None, Id::RegistrationNumber,
       Vehicle, W::OnExit, foUpperCase, 30},
      {ValueNumericEdit, K::Number, "Current market &value of vehicle",
       "|Enter an estimation of the current value of the vehicle in pounds. ", 110207, L::None,
       Id::VehicleValue, Vehicle, W::OnExit, foMoney},
      {PrivateMileageNumericEdit, K::Number, "Annual mileage of the vehicle for &Private Use",
       "|Enter an estimate of the number of miles the vehicle is likely to cover in one year.",
       110208, L::None, Id::PrivateMileage, Vehicle, W::OnExit},
      {LocationKwComboEdit, K::List, "Where is the vehicle kept &overnight",
       "|Select the location where the vehicle is normally kept overnight.", 110209,
       L::DataServerByCode, Id::OvernightLocation, Vehicle, W::OnExitIfSelected, foInitialCaps},
      {PostCodeKwEdit, K::Text, "Pos&tcode where vehicle is kept",
       "|Enter the postcode where the vehicle is most often kept.", 110210, L::None,
       Id::VehiclePostcode, Vehicle, W::None, foUpperCase, 30},
      {LeaseKwYesNoDlg, K::YesNo, "Is the vehicle le&ased?",
       "|Indicate whether the vehicle is leased.", 110211, L::None, Id::Leased, Vehicle, W::OnExit},
      {ModificationsKwYesNoDlg, K::YesNo, "Vehicle Mod&ified?",
       "|Indicate whether any non-standard modifications have been made to the vehicle.", 110212,
       L::None, 0, Vehicle, W::None, foDialogOnYes},
      {SecurityDevicesKwYesNoDlg, K::YesNo, "&Security Devices fitted?",
       "|Indicate whether the vehicle is fitted with any security devices.", 110213, L::None, 0,
       Vehicle, W::None, foDialogOnYes},
      {UseKwComboEdit, K::List, "What is the intended &use of the vehicle",
       "|Select the intended use of the vehicle. ", 110214, L::DataServerByCode, Id::VehicleUse,
       Vehicle, W::OnChange, foInitialCaps},
      {GoodsKwYesNoDlg, K::YesNo, "Carriage of &goods in connection with any business?",
       "|Indicate whether the vehicle is used to carry goods in connection with any business.",
       110215, L::None, Id::CarriesGoods, Vehicle, W::OnExit},
      {BusMileageNumericEdit, K::Number, "Annual mileage of vehicle for &Business Use",
       "|Enter the number of miles the vehicle is likely to cover in one year on Business Use.",
       110216, L::None, Id::BusinessMileage, Vehicle, W::OnExit},
      {CoverKwComboEdit, K::List, "Type of &cover",
       "|Select the type of cover required for the vehicle.", 110217, L::Page, Id::CoverType, Cover,
       W::OnChange},
      {VoluntaryExcessAmountKwComboEdit, K::List, "Amount of voluntary e&xcess",
       "|Enter the amount the Proposer would pay in the event of a claim.", 110218, L::Page, 0,
       Cover},
      {DrivingRestrictionsKwComboEdit, K::List, "Driving r&estrictions",
       "|Select who is allowed to drive the vehicle. ", 110219, L::DataServerByCode,
       Id::DrivingRestriction, Cover},
      {YoungestDriverNumericEdit, K::Number, "What is the age of the youngest driver",
       "|Enter the age of the youngest driver.", 110220, L::None, Id::YoungestDriverAge, Cover,
       W::OnExit},
      {FemaleDriversKwComboEdit, K::List, "Sex of drivers",
       "|Select the catergory of people who will drive the vehicle.", 110221, L::DataServer,
       Id::SexOfDrivers, Cover, W::OnExitIfSelected},
      {MainDriverKwComboEdit, K::List, "&Who is the main driver?",
       "|Select who is the main driver of the vehicle.", 110222, L::None, 0, Vehicle, W::None,
       foInitialCaps},
      {RegisteredKeeperKwComboEdit, K::List, "Who is the registered &keeper?",
       "|Select who is the registered keeper of the vehicle.", 110223, L::None, 0, Vehicle, W::None,
       foInitialCaps},
      {RegisteredOwnerKwComboEdit, K::List, "Who is the registered owner?",
       "|Select who is the legal owner of the vehicle.", 110224, L::None, 0, Vehicle, W::None,
       foInitialCaps},
  };
}

// The model list's lines are fixed columns ("%-27s%scc, %s, %s, %s"): the name, the engine size,
// the doors, the gearbox and the fuel. Their captions stand above the columns of the field.
class TModelColumnCaptions : public QWidget {
 public:
  TModelColumnCaptions(TKwComboEdit* model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("ModelCaptions"));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
    setFixedHeight(fontMetrics().height());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    // Each caption centred over its columns (first and last character of the line).
    struct TColumn {
      const char* caption;
      int first;
      int last;
    };
    static const TColumn kColumns[] = {
        {"CC", 27, 32}, {"Doors", 35, 35}, {"Trans", 38, 41}, {"Fuel", 44, 49}};
    const QLineEdit* edit = model_->lineEdit();
    const QFontMetricsF lineFont(model_->font());
    const qreal character = lineFont.horizontalAdvance(QLatin1Char('0'));
    // Where the field's text starts, in this widget.
    const qreal textLeft =
        mapFromGlobal(edit->mapToGlobal(QPoint(0, 0))).x() + edit->textMargins().left() + 2;
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    for (const TColumn& column : kColumns) {
      const QString text = QLatin1String(column.caption);
      const qreal centre = textLeft + character * (column.first + column.last + 1) / 2.0;
      const qreal width = fontMetrics().horizontalAdvance(text);
      painter.drawText(QPointF(centre - width / 2, fontMetrics().ascent()), text);
    }
  }

 private:
  TKwComboEdit* model_;
};

// A list's drop-down is as wide as its longest item, however narrow the field.
void WidenDropDown(TKwComboEdit* list) {
  list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
}

}  // namespace

QFrame* TVehicleKwTabsheetForm::MakeBevel(const QString& name) {
  auto* bevel = new QFrame(this);
  bevel->setObjectName(name);
  bevel->setFrameShape(QFrame::Box);
  bevel->setFrameShadow(QFrame::Sunken);
  return bevel;
}

void TVehicleKwTabsheetForm::AddFormRow(QGridLayout* grid, int row, int column, const char* field) {
  QLabel* label = binder_.Label(field);
  FitCaption(label);
  grid->addWidget(label, row, column);
  grid->addWidget(binder_.Control(field), row, column + 1, Qt::AlignLeft);
}

void TVehicleKwTabsheetForm::CreateFields() {
  QWidget* previous = nullptr;
  for (const TFieldRow& row : FieldTable()) {
    QWidget* control = binder_.Create(row);
    if (previous != nullptr)
      setTabOrder(previous, control);
    previous = control;
  }
  yearSpin_ = new TSpinButton(this);
  yearSpin_->setObjectName(QLatin1String(VehicleYearSpinButton));
  SetFieldHint(yearSpin_, QStringLiteral("Increase/Decrease Year"));
  SetHelpContext(yearSpin_, 110201);

  Number(VehicleYearNumericEdit)->SetAsInteger(1997);
  Number(YoungestDriverNumericEdit)->SetAsInteger(17);
  // The model lines are columns of characters: they line up only in a fixed-pitch font.
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  model->setFont(fixed);
  model->view()->setFont(fixed);
  model->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(52, QLatin1Char('0'))) +
                         model->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  for (const char* wide : {LocationKwComboEdit, UseKwComboEdit, DrivingRestrictionsKwComboEdit})
    WidenDropDown(List(wide));
}

QWidget* TVehicleKwTabsheetForm::ModelCaptions() {
  return new TModelColumnCaptions(List(VehicleModelKwComboEdit), this);
}

void TVehicleKwTabsheetForm::LayOutFields() {
  // The vehicle: year and make, the model across the bevel, then two columns of details.
  QFrame* vehicle = MakeBevel(QStringLiteral("VehicleBevel"));
  auto* grid = new QGridLayout(vehicle);
  auto* year = new QHBoxLayout;
  year->setSpacing(0);
  year->addWidget(binder_.Control(VehicleYearNumericEdit));
  year->addWidget(yearSpin_);
  year->addStretch();
  grid->addWidget(binder_.Label(VehicleYearNumericEdit), 0, 0);
  grid->addLayout(year, 0, 1);
  AddFormRow(grid, 0, 2, VehicleMakeKwComboEdit);
  grid->addWidget(ModelCaptions(), 1, 1, 1, 3);
  grid->addWidget(binder_.Label(VehicleModelKwComboEdit), 2, 0);
  grid->addWidget(binder_.Control(VehicleModelKwComboEdit), 2, 1, 1, 3, Qt::AlignLeft);
  const char* left[] = {LHDKwYesNoDlg, SeatsNumericEdit, RegNoKwEdit, ValueNumericEdit,
                        PrivateMileageNumericEdit};
  const char* right[] = {LocationKwComboEdit, PostCodeKwEdit, LeaseKwYesNoDlg,
                         ModificationsKwYesNoDlg, SecurityDevicesKwYesNoDlg};
  for (int i = 0; i < 5; ++i) {
    AddFormRow(grid, 3 + i, 0, left[i]);
    AddFormRow(grid, 3 + i, 2, right[i]);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  // Its use, the cover, who drives and the drivers' roles: two columns of two bevels.
  const auto bevel = [this](const QString& name, std::initializer_list<const char*> fields) {
    QFrame* frame = MakeBevel(name);
    auto* form = new QGridLayout(frame);
    int row = 0;
    for (const char* field : fields)
      AddFormRow(form, row++, 0, field);
    form->setColumnStretch(1, 1);
    return frame;
  };
  auto* page = new QGridLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(vehicle, 0, 0, 1, 2);
  page->addWidget(
      bevel(QStringLiteral("UseBevel"), {UseKwComboEdit, GoodsKwYesNoDlg, BusMileageNumericEdit}),
      1, 0);
  page->addWidget(
      bevel(QStringLiteral("CoverBevel"), {CoverKwComboEdit, VoluntaryExcessAmountKwComboEdit}), 2,
      0);
  page->addWidget(
      bevel(QStringLiteral("DriversBevel"),
            {DrivingRestrictionsKwComboEdit, YoungestDriverNumericEdit, FemaleDriversKwComboEdit}),
      1, 1);
  page->addWidget(
      bevel(QStringLiteral("RolesBevel"),
            {MainDriverKwComboEdit, RegisteredKeeperKwComboEdit, RegisteredOwnerKwComboEdit}),
      2, 1);
  page->setRowStretch(3, 1);
}
