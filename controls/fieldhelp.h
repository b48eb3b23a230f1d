#pragma once
// The help a control carries: its help context (the number that names its hint lines in
// "TTHelp.dat" and its pop-up in the help file) and its hint. A hint may hold two parts,
// "short|long": the short part is the tool tip, the long part is shown in the main window's
// status bar while the control has the focus. A hint without a bar is both.

#include <QString>

class QWidget;

void SetHelpContext(QWidget* control, int context);
// 0 when the control has none.
int HelpContextOf(const QWidget* control);

// Sets the tool tip and the status tip from a "short|long" hint.
void SetHint(QWidget* control, const QString& hint);
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);
// The long hint a control shows in the status bar (empty when it has none).
QString LongHintOf(const QWidget* control);
