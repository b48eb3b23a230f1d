#pragma once
// Send e-mail: the acceptance wizard's way to send the accepted proposal to the broker.

#include <QString>

#include "transmit/emailform.h"

class QWidget;

// Shows the "Send Quotation" dialog for the saved quotation file (attached when it exists) and
// the way the computer connects; answers true exactly when the broker's server accepted the
// message.
bool SendEMail(const QString& fileName, TConnectionMethod method, QWidget* parent = nullptr);
