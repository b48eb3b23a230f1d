#pragma once
// The help a field carries: its hint, written "short|long" (a tooltip and the long text the
// status bar shows; the capture pages give a bar and the long text only), and its help context
// number, which the hint window and F1 look up.

#include <QString>
#include <QWidget>

void SetFieldHint(QWidget* field, const QString& hint);
// The whole "short|long" hint as it was set.
QString FieldHint(const QWidget* field);
QString ShortHint(const QString& hint);  // before the bar (the whole hint when there is none)
QString LongHint(const QString& hint);   // after the bar (the whole hint when there is none)

void SetHelpContext(QWidget* field, int context);
// The field's own context, or 0.
int HelpContext(const QWidget* field);
