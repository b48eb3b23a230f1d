#pragma once
// A remote-access backend for tests: a phone book set up by the test, dials recorded, progress
// delivered when the test calls Notify().

#include <QList>
#include <QMap>

#include "transmit/rasbackend.h"

class TScriptedRasBackend : public TRasBackend {
 public:
  TScriptedRasBackend();

  // Adds an entry whose dial parameters hold the user name and password.
  void AddEntry(const QString& name, const QString& userName = QString(),
                const QString& password = QString());
  // Adds an entry whose dial parameters cannot be read.
  void AddUnreadableEntry(const QString& name);
  void SetAvailable(bool available) { available_ = available; }
  // The result of the next dials (0: dialling starts).
  void SetDialResult(quint32 result) { dialResult_ = result; }
  void SetDevice(const QString& name, const QString& type);
  // Replaces the program's text of a code.
  void SetErrorString(quint32 code, const QString& text) { errorStrings_[code] = text; }

  // Delivers a notification to the connection being dialled, as the event loop would; the status
  // then answers this state and error. False when no connection is there to receive it.
  bool Notify(quint32 state, quint32 error = 0);

  // What the program asked for.
  const QList<TRasDialParams>& Dials() const { return dials_; }
  int HangUps() const { return hangUps_; }
  int EnumCalls() const { return enumCalls_; }
  // The connection allocated by the last dial and not hung up yet; 0 when none.
  TRasHandle LiveConnection() const { return live_; }

  bool Available() override;
  quint32 EnumEntries(const QString& phoneBook, QStringList& names) override;
  quint32 GetEntryDialParams(const QString& phoneBook, const QString& entryName,
                             TRasDialParams& params) override;
  quint32 Dial(const QString& phoneBook, const TRasDialParams& params, TRasNotifier notifier,
               TRasHandle& handle) override;
  quint32 HangUp(TRasHandle handle) override;
  quint32 GetConnectStatus(TRasHandle handle, TRasConnStatus& status) override;
  QString ErrorString(quint32 code) override;

 private:
  struct TEntry {
    TRasDialParams params;
    bool readable = true;
  };

  bool available_ = true;
  QList<TEntry> entries_;
  quint32 dialResult_ = 0;
  QMap<quint32, QString> errorStrings_;
  QString deviceName_;
  QString deviceType_;

  TRasHandle lastHandle_ = 0;
  TRasHandle live_ = 0;
  TRasNotifier notifier_;
  TRasConnStatus status_;
  QList<TRasDialParams> dials_;
  int hangUps_ = 0;
  int enumCalls_ = 0;
};
