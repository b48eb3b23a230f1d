#pragma once
// The program's own pictures, drawn as SVG in resources/images and compiled into the program:
// the splash picture, the icon, the speed-bar glyphs and the "What is" cursor.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The picture of that name (without ".svg") drawn at the size; an empty pixmap when there is
// no such picture. A picture the build has drawn at that size already (the splash) is read
// instead: the same pixels, without drawing them at every start.
QPixmap ImagePixmap(const QString& name, const QSize& size);
// The picture drawn from its SVG now, whatever the build has drawn.
QPixmap DrawnImagePixmap(const QString& name, const QSize& size);
// The picture at its own size.
QPixmap ImagePixmap(const QString& name);
QIcon ImageIcon(const QString& name);

// The cursor "HelpPointer" of the "What is" mode, drawn the first time it is asked for.
void RegisterHelpCursor();
QCursor HelpPointerCursor();
