#include "capture/vehiclepage.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "capture/modelcolumncaptions.h"
#include "capture/securitydevicesform.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

using namespace VehicleField;

namespace {

constexpr int kVoluntaryExcessAmounts[] = {0, 50, 100, 150, 200, 250};

// A list's drop-down is as wide as its longest item, however narrow the field: fitted when it
// is first opened.
void WidenDropDown(TKwComboEdit* field) {
  QObject::connect(field, &TKwComboEdit::listSetUp, field, [](QAbstractItemView* list) {
    list->setMinimumWidth(list->sizeHintForColumn(0) + 24);
  });
}

}  // namespace

TVehicleKwTabsheetForm::TVehicleKwTabsheetForm(QWidget* parent) : TCapturePage(parent) {
  setObjectName(QStringLiteral("TVehicleKwTabsheetForm"));
  // The field table builds, loads and stores every field and runs the handlers its rows name.
  CreateFields();
  LayOutFields();

  // Until a proposal is loaded: nobody beyond the proposer, no business use, no restriction.
  drivers_.UpdateAnyDriverFields(false);
  binder_.SetEnabled(BusMileageNumericEdit, false);
  drivers_.FillDriverLists();
}

// ---- Field table and layout ---------------------------------------------------------------------

// The field table in tab order (the spin button, tab 1, is made beside the year). The page has
// more captions than the letters left beside the menu bar's F and H, so the youngest driver's
// age, the sex of drivers and the registered owner, each reached by Tab from the field before
// it, have no mnemonic.
std::vector<TFieldRow> TVehicleKwTabsheetForm::FieldTable() {
  using K = TFieldKind;
  using L = TListSource;
  using W = TWriteRule;
  const auto modifications = [] { return VehicleObjectPath(ObjectCode::Modification, 0); };
  const auto devices = [] { return VehicleObjectPath(ObjectCode::SecurityDevice, 0); };
  return {
      {.Name = VehicleYearNumericEdit,
       .Kind = K::Number,
       .Label = "&Year",
       .Hint = "|Enter the year in which the vehicle to be insured was first registered.",
       .HelpContext = 110201,
       .PropertyId = Id::VehicleYear,
       .Path = Vehicle,
       .Write = W::OnExitIfChanged,
       .Options = foYearMade | foQuiet | foExitOnStore,
       .Exit = [this] { models_.VehicleYearNumericEditExit(); }},
      {.Name = VehicleMakeKwComboEdit,
       .Kind = K::List,
       .Label = "&Make",
       .Hint = "|Select the Make/Manufacturer of the vehicle to be insured.",
       .HelpContext = 110202,
       .List = L::Page,
       .PropertyId = Id::VehicleMake,
       .Path = Vehicle,
       .Write = W::OnExitIfChanged,
       .Options = foUpperCase | foSorted | foExitOnStore,
       .ListId = ListId::Makes,
       .Exit = [this] { models_.VehicleMakeKwComboEditExit(); },
       .BuildList = [this] { models_.VehicleMakeKwComboEditBuildList(); }},
      {.Name = VehicleModelKwComboEdit,
       .Kind = K::List,
       .Label = "Mo&del",
       .Hint = "|Select the Model of the vehicle to be insured.",
       .HelpContext = 110203,
       .List = L::Page,
       .PropertyId = Id::VehicleModel,
       .Path = Vehicle,
       .Write = W::OnExitIfSelected,
       .Options = foUpperCase | foSorted | foBuildOnLoad,
       .ListId = ListId::Models,
       .Handler = "VehicleModelKwComboEditExit",
       .BuildList = [this] { models_.VehicleModelKwComboEditBuildList(); }},
      {.Name = LHDKwYesNoDlg,
       .Kind = K::YesNo,
       .Label = "Is the vehicle &Left-Hand-Drive?",
       .Hint = "|Indicate whether the driving controls of the vehicle are on the left-hand side.",
       .HelpContext = 110204,
       .PropertyId = Id::LeftHandDrive,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Handler = "LHDKwYesNoDlgExit"},
      {.Name = SeatsNumericEdit,
       .Kind = K::Number,
       .Label = "&Number of seats in vehicle",
       .Hint = "|Enter the number of seats in the vehicle.",
       .HelpContext = 110205,
       .PropertyId = Id::Seats,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foTruncated,
       .Handler = "SeatsNumericEditExit"},
      {.Name = RegNoKwEdit,
       .Kind = K::Text,
       .Label = "&Reg. No. (if known)",
       .Hint = "|Enter the vehicle registration number (if known)",
       .HelpContext = 110206,
       .PropertyId = Id::RegistrationNumber,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foUpperCase,
       .MaxLength = 30,
       .Handler = "RegNoKwEditExit"},
      {.Name = ValueNumericEdit,
       .Kind = K::Number,
       .Label = "Current market &value of vehicle",
       .Hint = "|Enter an estimation of the current value of the vehicle in pounds. ",
       .HelpContext = 110207,
       .PropertyId = Id::VehicleValue,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foMoney,
       .Handler = "ValueNumericEditExit"},
      {.Name = PrivateMileageNumericEdit,
       .Kind = K::Number,
       .Label = "Annual mileage of the vehicle for &Private Use",
       .Hint = "|Enter an estimate of the number of miles the vehicle is likely to cover in one "
               "year.",
       .HelpContext = 110208,
       .PropertyId = Id::PrivateMileage,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foTruncated,
       .Handler = "PrivateMileageNumericEditExit"},
      {.Name = LocationKwComboEdit,
       .Kind = K::List,
       .Label = "Where is the vehicle kept &overnight",
       .Hint = "|Select the location where the vehicle is normally kept overnight.",
       .HelpContext = 110209,
       .List = L::DataServerByCode,
       .PropertyId = Id::OvernightLocation,
       .Path = Vehicle,
       .Write = W::OnExitIfSelected,
       .Options = foInitialCaps,
       .Handler = "LocationKwComboEditExit"},
      {.Name = PostCodeKwEdit,
       .Kind = K::Text,
       .Label = "Pos&tcode where vehicle is kept",
       .Hint = "|Enter the postcode where the vehicle is most often kept.",
       .HelpContext = 110210,
       .PropertyId = Id::VehiclePostcode,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foUpperCase | foPostcode,
       .MaxLength = 30,
       .Handler = "PostCodeKwEditExit"},
      {.Name = LeaseKwYesNoDlg,
       .Kind = K::YesNo,
       .Label = "Is the vehicle le&ased?",
       .Hint = "|Indicate whether the vehicle is leased.",
       .HelpContext = 110211,
       .PropertyId = Id::Leased,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Handler = "LeaseKwYesNoDlgExit"},
      // Neither answer is stored: it tells whether the vehicle has such objects.
      {.Name = ModificationsKwYesNoDlg,
       .Kind = K::YesNo,
       .Label = "Vehicle Mod&ified?",
       .Hint = "|Indicate whether any non-standard modifications have been made to the vehicle.",
       .HelpContext = 110212,
       .Path = modifications,
       .Options = foDialogOnYes | foObjectExists,
       .Change = [this] { ModificationsKwYesNoDlgChange(); },
       .CallDialog = [this] { ModificationsKwYesNoDlgCallDialog(); }},
      {.Name = SecurityDevicesKwYesNoDlg,
       .Kind = K::YesNo,
       .Label = "&Security Devices fitted?",
       .Hint = "|Indicate whether the vehicle is fitted with any security devices.",
       .HelpContext = 110213,
       .Path = devices,
       .Options = foDialogOnYes | foObjectExists,
       .Change = [this] { SecurityDevicesKwYesNoDlgChange(); },
       .CallDialog = [this] { SecurityDevicesKwYesNoDlgCallDialog(); }},
      {.Name = UseKwComboEdit,
       .Kind = K::List,
       .Label = "What is the intended &use of the vehicle",
       .Hint = "|Select the intended use of the vehicle. ",
       .HelpContext = 110214,
       .List = L::DataServerByCode,
       .PropertyId = Id::VehicleUse,
       .Path = Vehicle,
       .Write = W::OnChange,
       .Options = foInitialCaps,
       .Change = [this] { UseKwComboEditChange(); }},
      {.Name = GoodsKwYesNoDlg,
       .Kind = K::YesNo,
       .Label = "Carriage of &goods in connection with any business?",
       .Hint = "|Indicate whether the vehicle is used to carry goods in connection with any "
               "business.",
       .HelpContext = 110215,
       .PropertyId = Id::CarriesGoods,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Handler = "GoodsKwYesNoDlgExit"},
      {.Name = BusMileageNumericEdit,
       .Kind = K::Number,
       .Label = "Annual mileage of vehicle for &Business Use",
       .Hint = "|Enter the number of miles the vehicle is likely to cover in one year on Business "
               "Use.",
       .HelpContext = 110216,
       .PropertyId = Id::BusinessMileage,
       .Path = Vehicle,
       .Write = W::OnExit,
       .Options = foTruncated,
       .Handler = "BusMileageNumericEditExit"},
      // The cover's codes are its items' places from 1.
      {.Name = CoverKwComboEdit,
       .Kind = K::List,
       .Label = "Type of &cover",
       .Hint = "|Select the type of cover required for the vehicle.",
       .HelpContext = 110217,
       .List = L::Page,
       .PropertyId = Id::CoverType,
       .Path = Cover,
       .Write = W::OnChange,
       .Handler = "CoverKwComboEditChange",
       .BuildList = [this] { CoverKwComboEditBuildList(); }},
      {.Name = VoluntaryExcessAmountKwComboEdit,
       .Kind = K::List,
       .Label = "Amount of voluntary e&xcess",
       .Hint = "|Enter the amount the Proposer would pay in the event of a claim.",
       .HelpContext = 110218,
       .List = L::Page,
       .PropertyId = Id::VoluntaryExcess,
       .Path = Cover,
       .Write = W::OnChange,
       .Options = foNumericCode,
       .Handler = "VoluntaryExcessAmountKwComboEditChange",
       .BuildList = [this] { VoluntaryExcessAmountKwComboEditBuildList(); }},
      {.Name = DrivingRestrictionsKwComboEdit,
       .Kind = K::List,
       .Label = "Driving r&estrictions",
       .Hint = "|Select who is allowed to drive the vehicle. ",
       .HelpContext = 110219,
       .List = L::DataServerByCode,
       .PropertyId = Id::DrivingRestriction,
       .Path = Cover,
       .Write = W::OnEveryChange,
       .Exit = [this] { drivers_.DrivingRestrictionsKwComboEditExit(); },
       .Change = [this] { drivers_.DrivingRestrictionsKwComboEditChange(); }},
      {.Name = YoungestDriverNumericEdit,
       .Kind = K::Number,
       .Label = "What is the age of the youngest driver",
       .Hint = "|Enter the age of the youngest driver.",
       .HelpContext = 110220,
       .PropertyId = Id::YoungestDriverAge,
       .Path = Cover,
       .Write = W::OnExit,
       .Options = foTruncated,
       .Handler = "YoungestDriverNumericEditExit"},
      {.Name = FemaleDriversKwComboEdit,
       .Kind = K::List,
       .Label = "Sex of drivers",
       .Hint = "|Select the catergory of people who will drive the vehicle.",
       .HelpContext = 110221,
       .List = L::DataServer,
       .PropertyId = Id::SexOfDrivers,
       .Path = Cover,
       .Write = W::OnExitIfSelected,
       .Handler = "FemaleDriversKwComboEditExit"},
      // The driver lists are filled by FillDriverLists; driver number d is the code of item
      // d - 1.
      {.Name = MainDriverKwComboEdit,
       .Kind = K::List,
       .Label = "&Who is the main driver?",
       .Hint = "|Select who is the main driver of the vehicle.",
       .HelpContext = 110222,
       .PropertyId = Id::MainDriver,
       .Path = Vehicle,
       .Write = W::OnChange,
       .Options = foInitialCaps | foMainDriver,
       .Handler = "MainDriverKwComboEditChange"},
      {.Name = RegisteredKeeperKwComboEdit,
       .Kind = K::List,
       .Label = "Who is the registered &keeper?",
       .Hint = "|Select who is the registered keeper of the vehicle.",
       .HelpContext = 110223,
       .PropertyId = Id::RegisteredKeeper,
       .Path = Vehicle,
       .Write = W::OnChange,
       .Options = foInitialCaps,
       .Handler = "RegisteredKeeperKwComboEditChange"},
      {.Name = RegisteredOwnerKwComboEdit,
       .Kind = K::List,
       .Label = "Who is the registered owner?",
       .Hint = "|Select who is the legal owner of the vehicle.",
       .HelpContext = 110224,
       .PropertyId = Id::RegisteredOwner,
       .Path = Vehicle,
       .Write = W::OnChange,
       .Options = foInitialCaps,
       .Handler = "RegisteredOwnerKwComboEditChange"},
  };
}

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
  yearSpin_ = models_.MakeYearSpin();

  Number(VehicleYearNumericEdit)->SetAsInteger(1997);
  Number(YoungestDriverNumericEdit)->SetAsInteger(17);
  // The model lines are columns of characters: they line up only in a fixed-pitch font.
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  model->setFont(fixed);  // a combo box gives its list its font
  model->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(52, QLatin1Char('0'))) +
                         model->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  for (const char* wide : {LocationKwComboEdit, UseKwComboEdit, DrivingRestrictionsKwComboEdit})
    WidenDropDown(List(wide));
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
  grid->addWidget(new TModelColumnCaptions(List(VehicleModelKwComboEdit), this), 1, 1, 1, 3);
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

// ---- Lookups ------------------------------------------------------------------------------------

TKwComboEdit* TVehicleKwTabsheetForm::List(const char* name) const {
  return binder_.Field<TKwComboEdit>(name);
}
TNumericEdit* TVehicleKwTabsheetForm::Number(const char* name) const {
  return binder_.Field<TNumericEdit>(name);
}
TKwYesNoDlg* TVehicleKwTabsheetForm::YesNo(const char* name) const {
  return binder_.Field<TKwYesNoDlg>(name);
}
TKwEdit* TVehicleKwTabsheetForm::Text(const char* name) const {
  return binder_.Field<TKwEdit>(name);
}

// ---- Lists --------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::CoverKwComboEditBuildList() {
  TKwComboEdit* cover = List(CoverKwComboEdit);
  cover->ClearItems();
  cover->AddItem(QStringLiteral("Comprehensive"), Code::Comprehensive);
  cover->AddItem(QStringLiteral("Third Party, Fire and Theft"), Code::ThirdPartyFireAndTheft);
  cover->AddItem(QStringLiteral("Third Party Only"), Code::ThirdPartyOnly);
}

void TVehicleKwTabsheetForm::VoluntaryExcessAmountKwComboEditBuildList() {
  TKwComboEdit* excess = List(VoluntaryExcessAmountKwComboEdit);
  excess->ClearItems();
  for (int amount : kVoluntaryExcessAmounts)
    excess->AddItem(QString::number(amount), amount);
}

// ---- Loading ------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::LoadDetails() {
  // Every row in table order: the model list is rebuilt for the make and year loaded before it.
  binder_.LoadAll();
  // What the loaded answers decide: the business mileage, the any-driver fields, the driver
  // lists.
  UpdateBusinessMileage();
  drivers_.Load();
}

void TVehicleKwTabsheetForm::UpdateBusinessMileage() {
  const bool business = GetListValue(Id::VehicleUse, Vehicle()) > Code::SocialUse;
  binder_.SetEnabled(BusMileageNumericEdit, business);
  if (!business) {
    // A use without business has no business mileage: 0 is stored through the field's row.
    Number(BusMileageNumericEdit)->SetAsInteger(0);
    binder_.Store(BusMileageNumericEdit);
  }
  binder_.Load(BusMileageNumericEdit);
}

QString TVehicleKwTabsheetForm::ShownPostcode() const {
  return Text(PostCodeKwEdit)->Text();
}

void TVehicleKwTabsheetForm::ShowFollowedPostcode(const QString& postcode) {
  Text(PostCodeKwEdit)->SetText(postcode);
}

// ---- Modifications and security devices --------------------------------------------------------

void TVehicleKwTabsheetForm::ModificationsKwYesNoDlgChange() {
  TKwYesNoDlg* answer = YesNo(ModificationsKwYesNoDlg);
  if (answer->State() != TKwYesNoState::ynNo)
    return;
  const int count = VehicleObjectCount(ObjectCode::Modification);
  if (count == 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove all entered vehicle Modifications?")) == PromptAnswer::Yes)
    DeleteVehicleObjects(ObjectCode::Modification, count);
  else
    answer->SetState(TKwYesNoState::ynYes);
}

void TVehicleKwTabsheetForm::ModificationsKwYesNoDlgCallDialog() {
  if (!ShowVehicleModifications(this))
    YesNo(ModificationsKwYesNoDlg)->SetState(TKwYesNoState::ynNo);
}

void TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgChange() {
  TKwYesNoDlg* answer = YesNo(SecurityDevicesKwYesNoDlg);
  if (answer->State() != TKwYesNoState::ynNo)
    return;
  const int count = VehicleObjectCount(ObjectCode::SecurityDevice);
  if (count == 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove all entered Security Devices?")) == PromptAnswer::Yes)
    DeleteVehicleObjects(ObjectCode::SecurityDevice, count);
  else
    answer->SetState(TKwYesNoState::ynYes);
}

void TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgCallDialog() {
  if (!ShowSecurityDevices(this))
    YesNo(SecurityDevicesKwYesNoDlg)->SetState(TKwYesNoState::ynNo);
}

// ---- Use ---------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::UseKwComboEditChange() {
  UpdateBusinessMileage();
}
