#include "motor/proposalfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <exception>

#include "dataserver/dsv.h"
#include "dataserver/durablefile.h"
#include "dataserver/status.h"

namespace {

// A name in the target's folder that no file has: the new file must be written on the same
// file system as the old one for the rename to replace it in one step.
QString FreshNameBeside(const QString& fileName) {
  QTemporaryFile reserve(fileName + QStringLiteral(".XXXXXX"));
  reserve.setAutoRemove(true);
  if (!reserve.open())
    return QString();
  return reserve.fileName();  // removed when `reserve` goes; the Data Server creates it afresh
}

}  // namespace

DsvStatus LoadProposalFile(const QString& fileName) {
  try {
    return DsvLoadSection(QFile::encodeName(fileName).constData(), kProposalSection);
  } catch (const std::exception&) {
    return dsv_status::kInternalError;
  }
}

DsvStatus SaveProposalFile(const QString& fileName) {
  const QString fresh = FreshNameBeside(fileName);
  if (fresh.isEmpty())
    return dsv_status::kOpenError;
  try {
    // A file that does not exist yet receives the one section alone, as a new quotation file.
    DsvStatus status = DsvSaveSection(QFile::encodeName(fresh).constData(), kProposalSection);
    if (status != 0) {
      QFile::remove(fresh);
      return status;
    }
  } catch (const std::exception&) {
    QFile::remove(fresh);
    return dsv_status::kOpenError;
  }
  // The saved file keeps the permissions the user gave the old one.
  if (QFileInfo::exists(fileName))
    QFile::setPermissions(fresh, QFile::permissions(fileName));
  // The fresh file is on the disk already; the rename and the folder follow it there.
  if (!RenameDurably(QFile::encodeName(fresh).toStdString(),
                     QFile::encodeName(fileName).toStdString())) {
    QFile::remove(fresh);
    return dsv_status::kOpenError;
  }
  return dsv_status::kOk;
}
