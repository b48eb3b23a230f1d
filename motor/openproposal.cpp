#include "motor/openproposal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <exception>

#include "dataserver/dsv.h"
#include "dataserver/status.h"
#include "motor/proposalfile.h"

namespace {

const char kKeptSection[] = "Kept";

// The proposal set aside in a private folder as a section file; written and read through the
// Data Server itself, so that it comes back value for value.
class TKeptProposal {
 public:
  bool Keep() {
    if (!folder_.isValid())
      return false;
    file_ = QFile::encodeName(folder_.filePath(QStringLiteral("kept.pcd")));
    try {
      return DsvSaveSection(file_.constData(), kKeptSection) == 0;
    } catch (const std::exception&) {
      return false;
    }
  }

  void PutBack() {
    DsvClearAll();
    try {
      DsvLoadSection(file_.constData(), kKeptSection);
    } catch (const std::exception&) {
      // Written a moment ago by the same Data Server: it does not fail to read.
    }
  }

 private:
  QTemporaryDir folder_;
  QByteArray file_;
};

}  // namespace

DsvStatus OpenProposalFile(const QString& fileName) {
  TKeptProposal kept;
  // Without the copy aside a failed load could not be undone: nothing is cleared then.
  if (!kept.Keep())
    return dsv_status::kOpenError;
  DsvClearAll();
  const DsvStatus status = LoadProposalFile(fileName);
  if (status != 0)
    kept.PutBack();
  return status;
}
