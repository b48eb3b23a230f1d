#pragma once
// TAboutForm ("About Quillmarsh"): the product, its release, and who made and who sells it.

#include <QDialog>

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  static const QString kProductLine;
  static const QString kRelease;

  explicit TAboutForm(QWidget* parent = nullptr);
};

// Opens the About box modally.
void ShowAbout(QWidget* parent);
