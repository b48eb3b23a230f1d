#include "transmit/rasscriptedbackend.h"

TScriptedRasBackend::TScriptedRasBackend() = default;

void TScriptedRasBackend::AddEntry(const QString& name, const QString& userName,
                                   const QString& password) {
  TEntry entry;
  entry.params.entryName = name;
  entry.params.userName = userName;
  entry.params.password = password;
  entries_.append(entry);
}

void TScriptedRasBackend::AddUnreadableEntry(const QString& name) {
  TEntry entry;
  entry.params.entryName = name;
  entry.readable = false;
  entries_.append(entry);
}

void TScriptedRasBackend::SetDevice(const QString& name, const QString& type) {
  deviceName_ = name;
  deviceType_ = type;
}

bool TScriptedRasBackend::Notify(quint32 state, quint32 error) {
  if (live_ == 0 || !notifier_)
    return false;
  if (error == 0)
    status_.state = state;
  status_.error = error;
  TRasNotifier notifier = notifier_;  // the handler may hang up
  notifier(state, error);
  return true;
}

bool TScriptedRasBackend::Available() {
  return available_;
}

quint32 TScriptedRasBackend::EnumEntries(const QString&, QStringList& names) {
  ++enumCalls_;
  names.clear();
  for (const TEntry& entry : entries_) {
    if (names.size() == kRasMaxEntries)
      return RasError::kBufferTooSmall;
    names.append(entry.params.entryName);
  }
  return 0;
}

quint32 TScriptedRasBackend::GetEntryDialParams(const QString&, const QString& entryName,
                                                TRasDialParams& params) {
  for (const TEntry& entry : entries_) {
    if (entry.params.entryName != entryName)
      continue;
    if (!entry.readable)
      return RasError::kCannotOpenPhoneBook;
    params = entry.params;
    return 0;
  }
  return RasError::kCannotFindPhoneBookEntry;
}

quint32 TScriptedRasBackend::Dial(const QString&, const TRasDialParams& params,
                                  TRasNotifier notifier, TRasHandle& handle) {
  dials_.append(params);
  // As the remote-access layer does, a connection is allocated even when dialling fails.
  live_ = ++lastHandle_;
  handle = live_;
  notifier_ = std::move(notifier);
  status_ = TRasConnStatus();
  status_.error = dialResult_;
  status_.deviceName = deviceName_;
  status_.deviceType = deviceType_;
  return dialResult_;
}

quint32 TScriptedRasBackend::HangUp(TRasHandle handle) {
  ++hangUps_;
  if (handle != live_ || live_ == 0)
    return RasError::kInvalidHandle;
  live_ = 0;
  notifier_ = nullptr;
  return 0;
}

quint32 TScriptedRasBackend::GetConnectStatus(TRasHandle handle, TRasConnStatus& status) {
  if (handle != live_ || live_ == 0)
    return RasError::kInvalidHandle;
  status = status_;
  return 0;
}

QString TScriptedRasBackend::ErrorString(quint32 code) {
  return errorStrings_.contains(code) ? errorStrings_.value(code) : RasErrorDescription(code);
}
