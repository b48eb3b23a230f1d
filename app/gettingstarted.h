#pragma once
// TInitialHelpForm ("Getting Started"): a page of help for a new user, shown at start-up until
// the user ticks "Don't show this at startup", and from the Help menu.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QTextBrowser;

class TInitialHelpForm : public QDialog {
  Q_OBJECT

 public:
  // The headings of the page, in order, as they stand.
  static const QStringList kHeadings;

  explicit TInitialHelpForm(QWidget* parent = nullptr);

  QTextBrowser* Page() const { return page_; }
  QCheckBox* DontShowCheckBox() const { return dontShow_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DontShowCheckBoxClick();
  // Centres the form on the window that opened it.
  void CentreOnOwner();

  QTextBrowser* page_;
  QCheckBox* dontShow_;
};

// Opens "Getting Started" modally (the Help menu's "Getting &Started" and the first show of
// the main window).
void ShowGettingStarted(QWidget* parent);
