#pragma once
// TAcceptancePage: what the acceptance wizard's pages have in common. A page is a column of
// texts (plain text, word-wrapped, headings in bold) and fields, shown one at a time in the
// wizard's page stack; its object name is the page's name ("Intro", "Proposer", ...), which the
// wizard's tests look it up by.

#include <QWidget>
#include <vector>

class QGridLayout;
class QLabel;
class QVBoxLayout;
class TFieldBinder;
struct TFieldRow;

class TAcceptancePage : public QWidget {
  Q_OBJECT

 public:
  TAcceptancePage(const char* name, QWidget* parent);

 protected:
  // A name (or an e-mail address) takes at most what the Data Server stores.
  static constexpr int kTextLength = 255;

  // The page's column, top to bottom.
  QVBoxLayout* Column() const { return column_; }
  // A paragraph of text, next in the column.
  QLabel* AddText(const QString& text);
  // A paragraph in bold.
  QLabel* AddHeading(const QString& text);
  // Makes the table's fields, each on a line of the grid after its label, in tab order.
  static void AddFields(TFieldBinder* binder, const std::vector<TFieldRow>& rows,
                        QGridLayout* grid);

 private:
  QVBoxLayout* column_;
};
