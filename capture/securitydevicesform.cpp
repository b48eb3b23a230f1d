#include "capture/securitydevicesform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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

TVehicleDetailsDialog::TNames Names() {
  return {"TSecurityDevicesForm",
          QStringLiteral("Vehicle Security Devices"),
          "DevicesPZListView",
          {QStringLiteral("No"), QStringLiteral("Security Device")},
          QStringLiteral("|Contains a list of all the security devices for the vehicle."),
          121101,
          "DevicesGroupBox",
          QStringLiteral("|Allows you to add another Security Device. "),
          121105,
          QStringLiteral("|Removes the current Security Device."),
          121106,
          QStringLiteral("|Closes the dialog and returns you to the 'Vehicle Page'."),
          121107};
}

}  // namespace

TSecurityDevicesForm::TSecurityDevicesForm(QWidget* parent)
    : TVehicleDetailsDialog(Names(), parent), binder_(Group()), kindGroup_(new QGroupBox(Group())) {
  kindGroup_->setObjectName(QStringLiteral("DeviceTypeRadioGroup"));
  SetFieldHint(kindGroup_, QStringLiteral("|Indicate  the catergory of security device."));
  SetHelpContext(kindGroup_, 121102);
  auto* kinds = new QGridLayout(kindGroup_);
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
    auto* button = new QRadioButton(radio.caption, kindGroup_);
    button->setObjectName(QLatin1String(radio.name));
    SetHelpContext(button, 121102);
    // The group's hint is each choice's description for a reader, as the status bar shows it.
    button->setAccessibleDescription(LongHint(FieldHint(kindGroup_)));
    // Two columns: down the first, then down the second.
    const int at = static_cast<int>(kinds_.size());
    kinds->addWidget(button, at % 2, at / 2);
    kinds_.append(button);
    connect(button, &QRadioButton::clicked, this, &TSecurityDevicesForm::DeviceTypeRadioGroupClick);
  }
  GroupLayout()->addWidget(kindGroup_);

  auto* form = new QGridLayout;
  GroupLayout()->addLayout(form);
  const TFieldRow rows[] = {
      {kDevice,
       TFieldKind::List,
       QStringLiteral("Device &Name"),
       QStringLiteral("|Select typethe make and model of the security device fitted to the "
                      "vehicle."),
       121103,
       TListSource::Page,
       0,
       {}},
      {kManufacturerFitted,
       TFieldKind::YesNo,
       QStringLiteral("Is the device fitted by the vehicle &manufacturer?"),
       QStringLiteral(
           "|Indicate whether the manufacturer of the vehicle installed the security device."),
       121104,
       TListSource::None,
       0,
       {}},
  };
  int line = 0;
  for (const TFieldRow& row : rows) {
    QWidget* control = binder_.Create(row);
    form->addWidget(binder_.Label(row.Name), line, 0);
    form->addWidget(control, line++, 1);
  }
  binder_.Label(kDevice)->setObjectName(QStringLiteral("DeviceLabel"));
  form->setColumnStretch(1, 1);
  ArrangeTabOrder(
      {kinds_[0], kinds_[1], kinds_[2], kinds_[3], DeviceField(), ManufacturerFittedField()});

  connect(DeviceField(), &TKwComboEdit::buildList, this,
          &TSecurityDevicesForm::DeviceKwComboEditBuildList);
  DeviceField()->SetListID(ListId::SecurityDevices);
  connect(DeviceField(), &TKwComboEdit::exited, this, &TSecurityDevicesForm::DeviceKwComboEditExit);
  connect(ManufacturerFittedField(), &TKwYesNoDlg::changed, this,
          &TSecurityDevicesForm::ManufacturerFittedKwYesNoDlgChange);
  resize(460, 380);
}

TKwComboEdit* TSecurityDevicesForm::DeviceField() const {
  return binder_.Field<TKwComboEdit>(kDevice);
}

TKwYesNoDlg* TSecurityDevicesForm::ManufacturerFittedField() const {
  return binder_.Field<TKwYesNoDlg>(kManufacturerFitted);
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
  DeviceField()->setEnabled(enabled);
  binder_.Label(kDevice)->setEnabled(enabled);
}

void TSecurityDevicesForm::DeviceKwComboEditBuildList() {
  ListItems devices;
  devicesRead_ = FillEnumList(ListId::SecurityDevices, devices) == 0;
  if (!devicesRead_)
    return;
  TKwComboEdit* device = DeviceField();
  device->ClearItems();
  device->AddItem(kSelect, 0);
  for (const ListItem& item : devices)
    device->AddItem(item.text, item.code);
  device->SetItemIndex(0);
}

void TSecurityDevicesForm::ResetDetails() {
  SetKind(dkSpecified);
  EnableDeviceName(true);
  DeviceField()->SetItemIndex(0);
  ManufacturerFittedField()->SetState(TKwYesNoState::ynNo);
}

void TSecurityDevicesForm::RefreshList() {
  ClearRows();
  const int count = VehicleObjectCount(ObjectCode::SecurityDevice);
  for (int i = 0; i < count; ++i) {
    AppendRow({QString::number(i + 1), DeviceText(GetListValue(Id::SecurityDevice, Device(i)))});
    ListView()->topLevelItem(i)->setToolTip(1, CategoryText(i));
  }
  Group()->setEnabled(count > 0);
  if (count == 0)
    ResetDetails();
}

void TSecurityDevicesForm::ShowCaption(int row) {
  Group()->setTitle(QStringLiteral("Security Device %1 Details").arg(row + 1));
}

void TSecurityDevicesForm::AddDevice() {
  Group()->setEnabled(true);
  DeviceField()->SetItemIndex(0);
  const int index = VehicleObjectCount(ObjectCode::SecurityDevice);
  SetListValue(Id::FittedByManufacturer, Device(index), Code::FittedYes);
  AppendRow({QString::number(index + 1), kSelect});
  ListView()->topLevelItem(index)->setToolTip(1, kUnknown);
  SelectRow(RowCount() - 1);
  SetKind(dkSpecified);
  EnableDeviceName(true);
  ManufacturerFittedField()->SetState(TKwYesNoState::ynYes);
  ShowCaption(index);
  FocusDetails();
}

void TSecurityDevicesForm::ShowRow(int row) {
  // The device's own exit would write what the fields show half-way.
  showingRow_ = true;
  ShowCaption(row);
  const std::int32_t device = GetListValue(Id::SecurityDevice, Device(row));
  const TDeviceKind kind = KindOf(device);
  SetKind(kind);
  EnableDeviceName(kind == dkSpecified);
  DeviceField()->SetItemIndex(DeviceField()->IndexOfCode(device));
  ManufacturerFittedField()->SetState(
      GetListValue(Id::FittedByManufacturer, Device(row)) == Code::FittedYes ? TKwYesNoState::ynYes
                                                                             : TKwYesNoState::ynNo);
  showingRow_ = false;
}

void TSecurityDevicesForm::DeviceTypeRadioGroupClick() {
  const TDeviceKind kind = DeviceKind();
  // A click (or Space) on the category already chosen is no choice: the device stays.
  const int row = SelectedRow();
  if (row >= 0 && kind == KindOf(GetListValue(Id::SecurityDevice, Device(row))))
    return;
  EnableDeviceName(kind == dkSpecified);
  DeviceField()->SetItemIndex(DeviceField()->IndexOfCode(kKindCodes[kind]));
  DeviceKwComboEditExit();
}

void TSecurityDevicesForm::DeviceKwComboEditExit() {
  const int row = SelectedRow();
  TKwComboEdit* device = DeviceField();
  if (row < 0 || device->ItemIndex() < 0 || showingRow_)
    return;
  const std::int32_t code = device->ItemCode(device->ItemIndex());
  SetListValue(Id::SecurityDevice, Device(row), code);
  SetRowTexts(row, {QString::number(row + 1), device->Text()});
  ListView()->topLevelItem(row)->setToolTip(1, CategoryText(row));
}

void TSecurityDevicesForm::ManufacturerFittedKwYesNoDlgChange() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  SetListValue(Id::FittedByManufacturer, Device(row),
               ManufacturerFittedField()->State() == TKwYesNoState::ynYes ? Code::FittedYes
                                                                          : Code::FittedNo);
}

void TSecurityDevicesForm::RemoveDevice(int row, bool refresh) {
  if (VehicleObjectCount(ObjectCode::SecurityDevice) > 0)
    // The category moves with its device: left behind, it would describe the device that
    // takes the place.
    RemoveVehicleObject(ObjectCode::SecurityDevice, row,
                        {Id::SecurityDevice, Id::FittedByManufacturer, Id::SecurityDeviceCategory});
  else
    refresh = true;  // nothing to remove: the list only catches up with the store
  if (!refresh)
    return;
  RefreshList();
  SelectRow(qMin(row, RowCount() - 1));
}

void TSecurityDevicesForm::AddClicked() {
  AddDevice();
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

void TSecurityDevicesForm::CloseClicked() {
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
