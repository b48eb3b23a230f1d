#include "capture/securitydevicesform.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

#include "capture/fieldvalues.h"
#include "capture/vehicleobjects.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

constexpr char kDevice[] = "DeviceKwComboEdit";
constexpr char kManufacturerFitted[] = "ManufacturerFittedKwYesNoDlg";
const QString kSelect = QStringLiteral("<Select>");
const QString kUnknown = QStringLiteral("Unknown");

TPath Device(int index) {
  return VehicleObjectPath(ObjectCode::SecurityDevice, index);
}

// The code each kind of the radio group stands for; a named device is chosen from the list.
constexpr std::int32_t kKindCodes[] = {0, Code::UnknownAlarm, Code::UnknownImmobiliser,
                                       Code::UnknownTrackingDevice};

TSecurityDevicesForm::TDeviceKind KindOf(std::int32_t device) {
  for (int kind = TSecurityDevicesForm::dkUnknownAlarm;
       kind <= TSecurityDevicesForm::dkUnknownTracking; ++kind) {
    if (kKindCodes[kind] == device)
      return static_cast<TSecurityDevicesForm::TDeviceKind>(kind);
  }
  return TSecurityDevicesForm::dkSpecified;
}

QString DeviceText(std::int32_t code) {
  const QString text = code != 0 ? GetListText(ListId::SecurityDevices, code) : QString();
  return text.isEmpty() ? kSelect : text;
}

QString CategoryText(int index) {
  const std::int32_t category = GetListValue(Id::SecurityDeviceCategory, Device(index));
  const QString text =
      category != 0 ? GetListText(ListId::SecurityDeviceCategories, category) : QString();
  return text.isEmpty() ? kUnknown : text;
}

// The devices from 0 to rows - 1 that have no name, highest first.
QList<int> UnnamedDevices(int rows) {
  QList<int> unnamed;
  for (int index = rows - 1; index >= 0; --index) {
    if (GetListValue(Id::SecurityDevice, Device(index)) == 0)
      unnamed.append(index);
  }
  return unnamed;
}

bool NamedDeviceLeft() {
  const int count = VehicleObjectCount(ObjectCode::SecurityDevice);
  return UnnamedDevices(count).size() < count;
}

}  // namespace

TSecurityDevicesForm::TSecurityDevicesForm(QWidget* parent)
    : TRecordListDialog(parent, {.DetailsCaption = QStringLiteral("Security Device %1 Details")}) {
  setObjectName(QStringLiteral("TSecurityDevicesForm"));
  setWindowTitle(QStringLiteral("Vehicle Security Devices"));
  QFormLayout* form =
      BuildFrame({.ListName = "DevicesPZListView",
                  .Columns = {"No", "Security Device"},
                  .ListHint = "|Contains a list of all the security devices for the vehicle.",
                  .ListHelp = 121101,
                  .GroupName = "DevicesGroupBox",
                  .AddHint = "|Allows you to add another Security Device. ",
                  .AddHelp = 121105,
                  .RemoveHint = "|Removes the current Security Device.",
                  .RemoveHelp = 121106,
                  .CloseHint = "|Closes the dialog and returns you to the 'Vehicle Page'.",
                  .CloseHelp = 121107});

  auto* kindGroup = new QGroupBox(details_);
  kindGroup->setObjectName(QStringLiteral("DeviceTypeRadioGroup"));
  SetFieldHint(kindGroup, QStringLiteral("|Indicate  the catergory of security device."));
  SetHelpContext(kindGroup, 121102);
  auto* kinds = new QGridLayout(kindGroup);
  const struct {
    const char* name;
    QString caption;
  } radios[] = {
      {"SpecifiedDeviceRadioButton", QStringLiteral("&Specified Device")},
      {"UnknownAlarmRadioButton", QStringLiteral("Unknown A&larm")},
      {"UnknownImmobiliserRadioButton", QStringLiteral("Unknown &Immobiliser")},
      {"UnknownTrackingDeviceRadioButton", QStringLiteral("Unknown &Tracking Device")},
  };
  for (const auto& radio : radios) {
    auto* button = new QRadioButton(radio.caption, kindGroup);
    button->setObjectName(QLatin1String(radio.name));
    SetHelpContext(button, 121102);
    // The group's hint is each choice's description for a reader, as the status bar shows it.
    button->setAccessibleDescription(LongHint(FieldHint(kindGroup)));
    // Two columns: down the first, then down the second.
    const int at = static_cast<int>(kinds_.size());
    kinds->addWidget(button, at % 2, at / 2);
    kinds_.append(button);
    connect(button, &QRadioButton::clicked, this, &TSecurityDevicesForm::DeviceTypeRadioGroupClick);
  }
  form->addRow(kindGroup);

  const TPathProvider selected = [this] { return SelectedDevice(); };
  Binder().AddRow(form,
                  {.Name = kDevice,
                   .Kind = TFieldKind::List,
                   .Label = "Device &Name",
                   .Hint = "|Select typethe make and model of the security device fitted to the "
                           "vehicle.",
                   .HelpContext = 121103,
                   .List = TListSource::Page,
                   .PropertyId = Id::SecurityDevice,
                   .Path = selected,
                   .Write = TWriteRule::OnExitIfSelected,
                   .ListId = ListId::SecurityDevices,
                   .Exit = [this] { DeviceKwComboEditExit(); },
                   .BuildList = [this] { DeviceKwComboEditBuildList(); }});
  Binder().AddRow(
      form,
      {.Name = kManufacturerFitted,
       .Kind = TFieldKind::YesNo,
       .Label = "Is the device fitted by the vehicle &manufacturer?",
       .Hint = "|Indicate whether the manufacturer of the vehicle installed the security device.",
       .HelpContext = 121104,
       .PropertyId = Id::FittedByManufacturer,
       .Path = selected,
       .Write = TWriteRule::OnChange,
       .YesCode = Code::FittedYes,
       .NoCode = Code::FittedNo});
  Binder().Label(kDevice)->setObjectName(QStringLiteral("DeviceLabel"));
  Open(nullptr,
       {kinds_[0], kinds_[1], kinds_[2], kinds_[3], DeviceField(), ManufacturerFittedField()});
  resize(460, 380);
}

TKwComboEdit* TSecurityDevicesForm::DeviceField() const {
  return Binder().Field<TKwComboEdit>(kDevice);
}

TKwYesNoDlg* TSecurityDevicesForm::ManufacturerFittedField() const {
  return Binder().Field<TKwYesNoDlg>(kManufacturerFitted);
}

TPath TSecurityDevicesForm::SelectedDevice() const {
  const int row = SelectedRow();
  return row >= 0 ? Device(row) : TPath();
}

QWidget* TSecurityDevicesForm::FirstDetail() const {
  return kinds_.at(DeviceKind());
}

TSecurityDevicesForm::TDeviceKind TSecurityDevicesForm::DeviceKind() const {
  for (int kind = dkSpecified; kind <= dkUnknownTracking; ++kind) {
    if (kinds_.at(kind)->isChecked())
      return static_cast<TDeviceKind>(kind);
  }
  return dkSpecified;
}

void TSecurityDevicesForm::SetKind(TDeviceKind kind) {
  kinds_.at(kind)->setChecked(true);
}

void TSecurityDevicesForm::EnableDeviceName(bool enabled) {
  Binder().SetEnabled(kDevice, enabled);
}

void TSecurityDevicesForm::DeviceKwComboEditBuildList() {
  devicesRead_ = FillWithSelectFirst(DeviceField(), ListId::SecurityDevices);
  if (devicesRead_)
    DeviceField()->SetItemIndex(0);
}

int TSecurityDevicesForm::StoredCount() const {
  return VehicleObjectCount(ObjectCode::SecurityDevice);
}

void TSecurityDevicesForm::WriteRow(int row) {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  item->setText(0, QString::number(row + 1));
  item->setText(1, DeviceText(GetListValue(Id::SecurityDevice, Device(row))));
  item->setToolTip(1, CategoryText(row));
}

void TSecurityDevicesForm::ResetDetails() {
  SetKind(dkSpecified);
  EnableDeviceName(true);
  DeviceField()->SetItemIndex(0);
  ManufacturerFittedField()->SetState(TKwYesNoState::ynNo);
}

void TSecurityDevicesForm::AddRecord() {
  details_->setEnabled(true);
  DeviceField()->SetItemIndex(0);
  ShowNewRow();
  // The new device comes with its manufacturer's answer, Yes.
  ManufacturerFittedField()->SetState(TKwYesNoState::ynYes);
  Binder().Store(kManufacturerFitted);
}

void TSecurityDevicesForm::AddDevice() {
  AddRecord();
}

void TSecurityDevicesForm::ShowRecord(int row) {
  // Disabling the device name moves the focus out of it: its exit would store what the fields
  // show half-way.
  const QSignalBlocker quiet(DeviceField());
  const TDeviceKind kind = KindOf(GetListValue(Id::SecurityDevice, Device(row)));
  SetKind(kind);
  EnableDeviceName(kind == dkSpecified);
  Binder().Load(kDevice);
  Binder().Load(kManufacturerFitted);
}

void TSecurityDevicesForm::ListViewClick() {
  FocusDetails();
}

void TSecurityDevicesForm::DeviceTypeRadioGroupClick() {
  const TDeviceKind kind = DeviceKind();
  // A click (or Space) on the category already chosen is no choice: the device stays.
  const int row = SelectedRow();
  if (row >= 0 && kind == KindOf(GetListValue(Id::SecurityDevice, Device(row))))
    return;
  EnableDeviceName(kind == dkSpecified);
  DeviceField()->SetItemIndex(DeviceField()->IndexOfCode(kKindCodes[kind]));
  // Then the device's exit runs: its row stores the device, then DeviceKwComboEditExit.
  Binder().Leave(kDevice);
}

void TSecurityDevicesForm::DeviceKwComboEditExit() {
  // The row has stored the device; the row of the list follows it.
  const int row = SelectedRow();
  if (row < 0 || DeviceField()->ItemIndex() < 0)
    return;
  list_->topLevelItem(row)->setText(1, DeviceField()->Text());
  list_->topLevelItem(row)->setToolTip(1, CategoryText(row));
}

bool TSecurityDevicesForm::RemoveRecord(int row) {
  if (StoredCount() > 0)
    // The category moves with its device: left behind, it would describe the device that
    // takes the place.
    RemoveVehicleObject(ObjectCode::SecurityDevice, row,
                        {Id::SecurityDevice, Id::FittedByManufacturer, Id::SecurityDeviceCategory});
  return true;
}

void TSecurityDevicesForm::RemoveDevice(int row, bool refresh) {
  if (StoredCount() == 0)
    refresh = true;  // nothing to remove: the list only catches up with the store
  RemoveRecord(row);
  if (!refresh)
    return;
  RefreshList();
  SelectRow(qMin(row, RowCount() - 1));
}

void TSecurityDevicesForm::RemoveClicked() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove Vehicle Security Device %1 - %2")
              .arg(row + 1)
              .arg(RowText(row, 1))) == PromptAnswer::Yes)
    RemoveDevice(row, true);
}

bool TSecurityDevicesForm::CheckUnnamedDevices() {
  const QList<int> unnamed = UnnamedDevices(RowCount());
  if (unnamed.isEmpty())
    return true;
  if (Ask(PromptKind::Information, PromptButtons::YesNo,
          QStringLiteral("There are %1 Device(s) that don't have a Device Name\rDo you want to "
                         "remove these devices")
              .arg(unnamed.size())) != PromptAnswer::Yes)
    return false;
  for (int index : unnamed)  // highest first, so that the others keep their numbers
    RemoveDevice(index, false);
  return true;
}

void TSecurityDevicesForm::Closing() {
  if (CheckUnnamedDevices())
    done(Accepted);
}

bool ShowSecurityDevices(QWidget* parent) {
  TSecurityDevicesForm form(parent);
  if (form.DevicesRead()) {
    form.RefreshList();
    if (form.RowCount() == 0)
      form.AddDevice();
    else
      form.SelectRow(0);
    RunModalDialog(form);
  }
  return NamedDeviceLeft();
}
