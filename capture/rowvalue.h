#pragma once
// How a field row's value goes between its control and the Data Server: the row's kind says
// which getter and setter, its options say how the value is shown and kept (a year kept as a
// date, a list of amounts over a number, a period kept as its start date, ...). TFieldBinder
// calls these for every row; the path is asked of the row each time.

#include <QWidget>

#include "capture/fieldtable.h"

class QRadioButton;
class TNumericEdit;

// Shows the stored value in the control; `unit` is a period's unit list (nullptr otherwise).
// A row without a property (or with an empty path) shows nothing.
void LoadRowValue(const TFieldRow& row, QWidget* control, QWidget* unit);
// Stores the value shown; answers the setter's result (false for a row without a property or
// with an empty path, and for a period whose shown value is the one stored).
bool StoreRowValue(const TFieldRow& row, QWidget* control, QWidget* unit);
// The value shown differs from the stored one.
bool RowDiffersFromStored(const TFieldRow& row, QWidget* control);

// Makes the typed year one a vehicle can have been made in (a later year is this year, a
// number below 1900 the last two digits of a 19xx year); a correction beyond that is told.
void CorrectYearMade(TNumericEdit* field);

// The radio buttons of a Choice row's panel, in tab order.
QList<QRadioButton*> ChoiceButtons(QWidget* control);
