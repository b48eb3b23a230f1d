#pragma once
// How the program's own field controls speak to assistive technology (a screen reader over
// AT-SPI). Qt knows nothing of a self-drawn control and would present it as an empty panel, so
// each gets an accessible interface that tells a reader what a native control would: its role,
// the value it shows (as text, and as a number for a number field), its checked state, and its
// buttons (the yes/no field's "Details", the date field's "Calendar") as buttons of their own.
// The list field keeps Qt's presentation of a drop-down list but is named by its label (Qt names
// a list by its item on Linux); Qt's own edits speak already and need only their names.
//
// A field's name is its label without the mnemonic and its description its hint (the part after
// the bar); the field binder gives every row both (capture/fieldbinder.h).

#include <QString>
#include <QWidget>

// Registers the interfaces of the field controls with Qt; each of those fields calls it when it
// is made, so no window can show a field before its interface is known. Safe to call again.
void InstallFieldAccessibility();

// The caption as a reader says it: "Period Licen&ce Held" gives "Period Licence Held" ("&&" is a
// literal ampersand). Line breaks become spaces.
QString CaptionWithoutMnemonic(const QString& caption);

// Names a panel that holds a set of choices (radio buttons) and makes a reader announce it as a
// group with that caption, as a group box would be, when the focus enters one of its choices.
void MarkAsGroup(QWidget* panel, const QString& caption);
