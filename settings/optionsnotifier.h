#pragma once
// What the settings tell the rest of the program when they change. The one notifier outlives the
// options object: the hint window, created before the settings, connects to it first.

#include <QObject>

class TOptionsNotifier : public QObject {
  Q_OBJECT

 signals:
  // TOptions::SetHintsActive, with the value stored (also when it had that value already).
  void hintsActiveChanged(bool active);
};

TOptionsNotifier& OptionsNotifier();
