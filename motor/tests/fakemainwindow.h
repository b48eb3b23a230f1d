#pragma once
// A main window for the binding's tests: records what the helpers ask of it.

#include <QList>
#include <QPair>
#include <QStringList>

#include "motor/mainwindowlink.h"
#include "motor/seams.h"

class TFakeMainWindow : public TMainWindowLink {
 public:
  // The seams are saved before the fake fills itself in and put back after it is gone.
  TFakeMainWindow() { TMotorSeams::Current().mainWindowLink = this; }

  int PageTabCount() const override { return static_cast<int>(tabs.size()); }
  void AddPageTab(const QString& caption) override { tabs.append(caption); }
  void SelectPageTab(int index) override { selectedTabs.append(index); }
  void RemoveLastPageTab() override { tabs.removeLast(); }
  void SetPageTabCaption(int index, const QString& caption) override { tabs[index] = caption; }
  bool SaveProposal() override {
    ++saves;
    return saveResult;
  }
  QString CurrentFileName() const override { return currentFileName; }
  void FocusDrivingRestrictions() override { ++restrictionFocus; }
  void SetControlEnabled(QObject* control, bool enabled) override {
    enabledCalls.append({control, enabled});
  }
  double ScreenScaleFactor() const override { return scaleFactor; }
  QSize FormSize(QObject*) const override { return formSize; }
  void ResizeForm(QObject*, const QSize& size) override { formSize = size; }
  void SetScrollRangesToClientSize(QObject*) override { ++scrollRangeUpdates; }
  void RemoveRecentFileItems() override {
    recentCaptions.clear();
    recentFiles.clear();
  }
  void AppendRecentFileItem(const QString& caption, const QString& fileName) override {
    recentCaptions.append(caption);
    recentFiles.append(fileName);
  }
  void SetRecentFilesMarkerVisible(bool visible) override { recentMarkerVisible = visible; }

  QStringList tabs{QStringLiteral("Proposer"), QStringLiteral("Vehicle")};
  QList<int> selectedTabs;
  int saves = 0;
  bool saveResult = true;
  QString currentFileName;
  int restrictionFocus = 0;
  QList<QPair<QObject*, bool>> enabledCalls;
  double scaleFactor = 1.0;
  QSize formSize{800, 600};
  int scrollRangeUpdates = 0;
  QStringList recentCaptions;
  QStringList recentFiles;
  bool recentMarkerVisible = false;

 private:
  const TMotorSeamsGuard seams_;
};
