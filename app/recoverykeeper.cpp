#include "app/recoverykeeper.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStatusTipEvent>
#include <algorithm>

#include "app/mainwindow.h"
#include "motor/modifiedstate.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"
#include "settings/options.h"

namespace {

const QString kRecoverQuestion = QStringLiteral(
    "Quillmarsh closed before your last changes were saved.\r\rRecover the quotation you were "
    "working on (%1, last changed %2)?");
const QString kDamaged = QStringLiteral(
    "The recovery copy of the quotation you were working on (%1, last changed %2) is damaged "
    "and cannot be recovered.\r\rIt is kept in %3.");
const QString kWriteFailed = QStringLiteral("The recovery copy could not be written: %1");

int IntervalMs() {
  const TOptions* options = Options();
  return 1000 *
         (options != nullptr ? options->GetAutoSaveSeconds() : TOptions::kDefaultAutoSaveSeconds);
}

}  // namespace

TRecoveryKeeper::TRecoveryKeeper(TTolvaneForm* window)
    : QObject(window), window_(window), store_(TRecoveryStore::DefaultFolder()) {
  setObjectName(QStringLiteral("RecoveryKeeper"));
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { WriteNow(); });
  // Without a folder of its own the program runs as before, only without a copy.
  store_.Start();
  connect(&ModifiedState(), &TModifiedState::answerStored, this, [this] { AnswerStored(); });
}

TRecoveryKeeper::~TRecoveryKeeper() = default;

void TRecoveryKeeper::ModifiedChanged(bool modified) {
  if (modified) {
    Schedule();
    return;
  }
  // Saved, replaced or abandoned by the user's choice: nothing is left to recover.
  timer_.stop();
  pendingSince_.invalidate();
  store_.Remove();
}

void TRecoveryKeeper::AnswerStored() {
  Schedule();
}

void TRecoveryKeeper::WindowClosed() {
  timer_.stop();
  pendingSince_.invalidate();
  store_.Remove();
}

void TRecoveryKeeper::Schedule() {
  const int interval = IntervalMs();
  if (interval == 0 || !IsModified() || !store_.Started()) {
    timer_.stop();
    return;
  }
  if (!pendingSince_.isValid())
    pendingSince_.start();
  // Quiet for a moment after the last answer, not more often than the interval, and an answer
  // never waits longer than the interval however fast the user types.
  qint64 due = quietMs_;
  if (sinceWrite_.isValid())
    due = std::max(due, interval - sinceWrite_.elapsed());
  due = std::min(due, interval - pendingSince_.elapsed());
  timer_.start(static_cast<int>(std::max<qint64>(due, 0)));
}

bool TRecoveryKeeper::WriteNow(bool force) {
  timer_.stop();
  pendingSince_.invalidate();
  if (!force && !IsModified())
    return true;
  const bool written = store_.Write(window_->CurrentFileName());
  sinceWrite_.start();
  if (!written) {
    NoteFailure();
  } else {
    failureNoted_ = false;
  }
  return written;
}

void TRecoveryKeeper::NoteFailure() {
  // Once until a write succeeds again: a box, or a note at every answer, would stop the typing.
  if (failureNoted_)
    return;
  failureNoted_ = true;
  QStatusTipEvent tip(kWriteFailed.arg(store_.Error()));
  QApplication::sendEvent(window_, &tip);
}

bool TRecoveryKeeper::OfferLeftCopies() {
  bool recovered = false;
  std::vector<TLeftCopy> copies = store_.ClaimLeftCopies();
  for (TLeftCopy& copy : copies) {
    if (recovered) {
      TRecoveryStore::Release(copy);  // offered at a later start
      continue;
    }
    const QString name = copy.QuotationFile.isEmpty() ? QStringLiteral("Untitled")
                                                      : QFileInfo(copy.QuotationFile).fileName();
    const QString when =
        FormatShortDate(copy.Written.date()) + QLatin1Char(' ') + FormatTime(copy.Written.time());
    if (!TRecoveryStore::IsIntact(copy.CopyFile)) {
      RefuseDamaged(copy, name, when);
      continue;
    }
    if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, kRecoverQuestion.arg(name, when)) !=
        PromptAnswer::Yes) {
      store_.MoveAside(copy);
      continue;
    }
    if (!window_->RecoverProposal(copy.CopyFile, copy.QuotationFile)) {
      RefuseDamaged(copy, name, when);
      continue;
    }
    recovered = true;
    // The left copy goes only once this program's own copy holds the proposal.
    if (WriteNow(true))
      store_.Adopted(copy);
    else
      TRecoveryStore::Release(copy);
  }
  return recovered;
}

void TRecoveryKeeper::RefuseDamaged(TLeftCopy& copy, const QString& name, const QString& when) {
  const QString folder = QFileInfo(copy.CopyFile).absolutePath();
  const QString moved = store_.MoveAside(copy);
  Ask(PromptKind::Warning, PromptButtons::Ok,
      kDamaged.arg(
          name, when,
          QDir::toNativeSeparators(moved.isEmpty() ? folder : QFileInfo(moved).absolutePath())));
}
