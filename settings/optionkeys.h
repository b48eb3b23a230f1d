#pragma once
// Keys and value names of the current user's settings, below the program's base key.

#include <QString>

namespace OptionKeys {

inline const QString kDictionary = QStringLiteral("\\Dictionary");
inline const QString kQuoteEngine = QStringLiteral("\\QuoteEngine");
inline const QString kOptions = QStringLiteral("\\Options");
inline const QString kHelp = QStringLiteral("\\Help");
inline const QString kMRUList = QStringLiteral("\\MRUList");

inline const QString kApplicationVersion = QStringLiteral("ApplicationVersion");
inline const QString kDictionaryPath = QStringLiteral("DictionaryPath");
inline const QString kPath = QStringLiteral("Path");
inline const QString kExpiryDate = QStringLiteral("ED");
inline const QString kRatesNotify = QStringLiteral("RatesNotify");
inline const QString kEMailTo = QStringLiteral("EMailTo");
inline const QString kCurrentInternetMailServer = QStringLiteral("CurrentInternetMailServer");
inline const QString kMailServer = QStringLiteral("MailServer");
inline const QString kMailPort = QStringLiteral("MailPort");
inline const QString kMailUser = QStringLiteral("MailUser");
inline const QString kMailPassword = QStringLiteral("MailPassword");
inline const QString kMailSecurity = QStringLiteral("MailSecurity");
inline const QString kMailTimeout = QStringLiteral("MailTimeout");
inline const QString kAutoSaveSeconds = QStringLiteral("AutoSaveSeconds");
inline const QString kMotorSummaryWndHeight = QStringLiteral("MotorSummaryWndHeight");
inline const QString kFileName = QStringLiteral("FileName");
inline const QString kHintsActive = QStringLiteral("HintsActive");
inline const QString kShowFirstHelp = QStringLiteral("ShowFirstHelp");
inline const QString kHeader = QStringLiteral("Header");

inline const QString kYes = QStringLiteral("Yes");
inline const QString kNo = QStringLiteral("No");

}  // namespace OptionKeys
