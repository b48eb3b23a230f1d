#pragma once
// The one way the program makes a dialog's push button: its object name, caption, optional
// glyph, hint ("short|long") and help context, and how Enter treats it. Written with designated
// initializers:
//
//   QPushButton* close = MakeDialogButton(this, {.Name = "CloseBitBtn", .Caption = "&Close",
//                                                .Hint = "|Closes the dialog.", .HelpContext =
//                                                120607});
//
// By default Enter in a field never presses the button: the capture dialogs store a field's
// answer on Enter, and a button that took it would end the dialog half-way.

#include <QPushButton>
#include <QString>
#include <QStyle>
#include <optional>

// How the Enter key treats a button.
enum class TEnterPress {
  Never,          // neither Enter in a field nor Enter on the button presses it (Space and the
                  // mnemonic do)
  OnButton,       // only Enter on the focused button itself clicks it, as Space does
  DialogDefault,  // Qt's dialog rule: Enter presses the focused button, or else the dialog's
                  // default button (a wizard's Next)
};

struct TDialogButton {
  const char* Name = nullptr;  // the object name
  QString Caption = {};        // with its mnemonic, "&Close"
  QString Hint = {};           // empty: the button has no hint
  int HelpContext = 0;         // 0: the button has none of its own
  std::optional<QStyle::StandardPixmap> Glyph = std::nullopt;
  TEnterPress Enter = TEnterPress::Never;
  QString ToolTip = {};  // a glyph button's caption, kept for when only the glyph shows
};

// The OK and Cancel of the controls' pop-up forms (the calendar, the yes/no details): the
// platform's glyphs, Enter presses OK (their default button).
extern const TDialogButton kPopUpOkButton;
extern const TDialogButton kPopUpCancelButton;

// Creates the button as a child of `parent`.
QPushButton* MakeDialogButton(QWidget* parent, const TDialogButton& button);
// The OK and Cancel of the controls' pop-up forms show only their glyphs once the form opens
// (their captions stay as tool tips): clears the caption when the button has a glyph instead.
void ShowGlyphOnly(QPushButton* button);
