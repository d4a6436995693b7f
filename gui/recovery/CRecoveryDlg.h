// The recovery dialog shown at start-up when abnormally ended runs left journals or
// recovery copies: one row per item (name, kind, start time, sample count, age) and the
// buttons Restore, Discard (after a confirmation) and Later. OfferRecovery runs it: the
// items stay locked by this program while they are shown, restored documents open as
// changed, untitled documents, and their items stay until those documents are saved or
// closed.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "gui/app/AppContext.h"
#include "recovery/RecoveredItem.h"

class QTableWidget;

namespace vantrel::gui {

class RecoveryKeeper;

class CRecoveryDlg final : public QDialog {
  Q_OBJECT
 public:
  enum class Choice { kRestore, kDiscard, kLater };

  /// One listed item and what it tells.
  struct Entry {
    std::unique_ptr<recovery::RecoveredItem> item;
    recovery::ItemSummary summary;
  };

  CRecoveryDlg(AppContext& context, const std::vector<Entry>& entries, QWidget* parent);
  Choice GetChoice() const { return choice_; }
  QTableWidget* Table() const { return table_; }

 private:
  void Choose(Choice choice);

  AppContext& context_;
  QTableWidget* table_ = nullptr;
  Choice choice_ = Choice::kLater;
};

/// Lists what abnormally ended runs left in the keeper's folder and, unless there is
/// nothing, asks what to do with it. Unreadable items are reported by path and kept.
/// Returns the number of documents restored.
int OfferRecovery(AppContext& context, RecoveryKeeper& keeper, QWidget* parent);

}  // namespace vantrel::gui
