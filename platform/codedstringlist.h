#pragma once
// A list of texts each carrying a number, as the choice lists of the screens hold them: the text
// is shown, the number (usually a Data Server list code) travels with it.

#include <QList>
#include <QString>

struct TCodedString {
  QString text;
  qint32 code = 0;

  friend bool operator==(const TCodedString&, const TCodedString&) = default;
};

using TCodedStringList = QList<TCodedString>;
