#pragma once
// Single-byte text in the installed files and the engine's exchange files is Windows-1252.
// These convert at the file boundary; inside the program every text is a QString.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

QString DecodeWindows1252(QByteArrayView bytes);
// Characters that Windows-1252 cannot hold become '?'.
QByteArray EncodeWindows1252(QStringView text);
