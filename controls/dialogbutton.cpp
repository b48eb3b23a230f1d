#include "controls/dialogbutton.h"

#include "controls/enterclick.h"
#include "controls/fieldhelp.h"

const TDialogButton kPopUpOkButton{.Name = "OKBitBtn",
                                   .Caption = QStringLiteral("OK"),
                                   .Glyph = QStyle::SP_DialogOkButton,
                                   .Enter = TEnterPress::DialogDefault,
                                   .ToolTip = QStringLiteral("OK")};
const TDialogButton kPopUpCancelButton{.Name = "CancelBitBtn",
                                       .Caption = QStringLiteral("Cancel"),
                                       .Glyph = QStyle::SP_DialogCancelButton,
                                       .Enter = TEnterPress::DialogDefault,
                                       .ToolTip = QStringLiteral("Cancel")};

QPushButton* MakeDialogButton(QWidget* parent, const TDialogButton& button) {
  auto* made = new QPushButton(button.Caption, parent);
  made->setObjectName(QLatin1String(button.Name));
  if (button.Glyph)
    made->setIcon(parent->style()->standardIcon(*button.Glyph, nullptr, made));
  if (!button.ToolTip.isEmpty())
    made->setToolTip(button.ToolTip);
  if (!button.Hint.isEmpty())
    SetFieldHint(made, button.Hint);
  if (button.HelpContext != 0)
    SetHelpContext(made, button.HelpContext);
  switch (button.Enter) {
    case TEnterPress::Never:
      made->setAutoDefault(false);
      break;
    case TEnterPress::OnButton:
      made->setAutoDefault(false);
      ClickOnEnter(made);
      break;
    case TEnterPress::DialogDefault:
      made->setAutoDefault(true);
      break;
  }
  return made;
}

void ShowGlyphOnly(QPushButton* button) {
  if (!button->icon().isNull())
    button->setText(QString());
}
