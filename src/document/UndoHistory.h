// The undo history of one document: a list of steps, each holding the stored state of the
// measurement before and after one change. States share the samples of their curves with
// the measurement and with each other, so a step that leaves samples alone holds only the
// small rest; what steps hold on their own (replaced samples, notes) is kept within a
// memory budget by dropping the oldest steps.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/CMessungObj.h"

namespace vantrel::document {

class UndoHistory {
 public:
  /// The memory a document's steps may hold on their own.
  static constexpr std::size_t kDefaultBudgetBytes = std::size_t{256} << 20;

  explicit UndoHistory(std::size_t budgetBytes = kDefaultBudgetBytes) : budget_(budgetBytes) {}

  /// Forgets every step; `measurement` (may be null) is the state the next step starts
  /// from and the saved state.
  void Reset(const model::CMessungObj* measurement);
  /// Takes the current state as the start of the next step without recording one (changes
  /// that are not steps: samples arriving from a recording).
  void Rebase(const model::CMessungObj& measurement);
  /// Records the change since the last step (or Reset) as a step named by message `nameId`;
  /// `marksModified` false for a change that does not make the document modified (showing
  /// or hiding the title).
  /// Nothing is recorded when nothing changed. Steps that were undone are dropped, and the
  /// oldest ones while over the budget.
  void Record(int nameId, const model::CMessungObj& measurement, bool marksModified = true);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  /// The name's message ID of the step Undo / Redo would take back / do again; 0 for none.
  int UndoNameId() const { return CanUndo() ? steps_[position_ - 1].nameId : 0; }
  int RedoNameId() const { return CanRedo() ? steps_[position_].nameId : 0; }
  /// Takes back the last step's change in `measurement`; false when there is none.
  bool Undo(model::CMessungObj& measurement);
  /// Does the last undone step's change again; false when there is none.
  bool Redo(model::CMessungObj& measurement);

  /// The current state is the one in the document's file.
  void MarkSaved() { savedPosition_ = position_; }
  /// No undo or redo leads back to the saved state any more (a change outside the steps).
  void ForgetSavedState() { savedPosition_.reset(); }
  /// Whether undo and redo have led back to the saved state, or to one that differs from it
  /// only by steps that do not make the document modified.
  bool AtSavedState() const;

  std::size_t StepCount() const { return steps_.size(); }
  /// Bytes the steps hold that `measurement` does not share: sample storages (each counted
  /// once) and notes.
  std::size_t HeldBytes(const model::CMessungObj& measurement) const;
  std::size_t Budget() const { return budget_; }

 private:
  using State = std::shared_ptr<const model::CMessungObj>;
  struct Step {
    int nameId = 0;
    bool marksModified = true;
    State before;
    State after;
  };

  static State Snapshot(const model::CMessungObj& measurement);
  void DropOldestOverBudget(const model::CMessungObj& measurement);
  void AddStep(Step step);
  void EraseSteps(std::size_t from, std::size_t to);
  /// Counts a state's use by a step (+1) or its end (-1); its bytes count while it is used.
  void Track(const State& state, int change);

  std::size_t budget_;
  std::deque<Step> steps_;
  /// Steps [0, position_) are done; the rest were undone.
  std::size_t position_ = 0;
  std::optional<std::size_t> savedPosition_ = 0;
  /// The state the next step starts from.
  State baseline_;

  // The bookkeeping of HeldBytes: the states the steps use, the sample storages they hold
  // (each with the number of such states) and the bytes of the states apart from samples.
  std::unordered_map<const model::CMessungObj*, int> stateUses_;
  std::unordered_map<const std::vector<model::CValueObj>*, int> storageUses_;
  std::size_t stateBytes_ = 0;
};

}  // namespace vantrel::document
