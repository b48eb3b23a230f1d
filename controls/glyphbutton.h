#pragma once
// The OK and Cancel buttons of the controls' pop-up forms: created with a caption and the
// platform style's glyph; when the form opens the caption goes (kept as the tool tip) so that
// they show only their glyphs.

#include <QPushButton>
#include <QStyle>

QPushButton* MakeGlyphButton(QWidget* parent, const QString& caption, QStyle::StandardPixmap glyph,
                             const QString& objectName);
// Clears the caption when the button has a glyph to show instead.
void ShowGlyphOnly(QPushButton* button);
