#include "document/UndoHistory.h"

#include <algorithm>
#include <unordered_set>

namespace vantrel::document {
namespace {

/// The bytes of a state apart from its samples.
std::size_t StateBytes(const model::CMessungObj& state) {
  std::size_t bytes = sizeof(model::CMessungObj) + state.GetName().size() * sizeof(char16_t);
  if (state.GetNotes()) bytes += state.GetNotes()->size();
  for (const auto& text : state.Texts()) {
    bytes += sizeof(model::CTextObj) + text->GetText().size() * sizeof(char16_t);
  }
  bytes += state.Lines().size() * sizeof(model::CLineObj);
  bytes += (state.YAxes().size() + 1) * sizeof(model::CAchse);
  for (const auto& curve : state.Curves()) {
    bytes += sizeof(model::CKurveObj) +
             (curve->GetName().size() + curve->GetSourceText().size()) * sizeof(char16_t);
  }
  return bytes;
}

}  // namespace

UndoHistory::State UndoHistory::Snapshot(const model::CMessungObj& measurement) {
  return measurement.CopyDocumentState();
}

void UndoHistory::Reset(const model::CMessungObj* measurement) {
  EraseSteps(0, steps_.size());
  position_ = 0;
  savedPosition_ = 0;
  baseline_ = measurement != nullptr ? Snapshot(*measurement) : nullptr;
}

void UndoHistory::Rebase(const model::CMessungObj& measurement) {
  baseline_ = Snapshot(measurement);
}

void UndoHistory::Record(int nameId, const model::CMessungObj& measurement, bool marksModified) {
  State after = Snapshot(measurement);
  if (baseline_ == nullptr) {
    // No state to start from (the history was given up): the next step starts here.
    baseline_ = std::move(after);
    return;
  }
  // A command that changed nothing (confirmed unchanged, a click without a move) is no step.
  if (after->SameDocumentState(*baseline_)) return;
  EraseSteps(position_, steps_.size());
  if (savedPosition_ && *savedPosition_ > position_) savedPosition_.reset();
  AddStep({nameId, marksModified, baseline_, after});
  ++position_;
  baseline_ = std::move(after);
  DropOldestOverBudget(measurement);
}

bool UndoHistory::Undo(model::CMessungObj& measurement) {
  if (!CanUndo()) return false;
  const Step& step = steps_[position_ - 1];
  measurement.ApplyStateChange(*step.after, *step.before);
  --position_;
  baseline_ = Snapshot(measurement);
  return true;
}

bool UndoHistory::Redo(model::CMessungObj& measurement) {
  if (!CanRedo()) return false;
  const Step& step = steps_[position_];
  measurement.ApplyStateChange(*step.before, *step.after);
  ++position_;
  baseline_ = Snapshot(measurement);
  return true;
}

bool UndoHistory::AtSavedState() const {
  if (!savedPosition_) return false;
  const std::size_t from = std::min(position_, *savedPosition_);
  const std::size_t to = std::max(position_, *savedPosition_);
  for (std::size_t i = from; i < to; ++i) {
    if (steps_[i].marksModified) return false;
  }
  return true;
}

void UndoHistory::AddStep(Step step) {
  Track(step.before, 1);
  Track(step.after, 1);
  steps_.push_back(std::move(step));
}

void UndoHistory::EraseSteps(std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    Track(steps_[i].before, -1);
    Track(steps_[i].after, -1);
  }
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(from),
               steps_.begin() + static_cast<std::ptrdiff_t>(to));
}

void UndoHistory::Track(const State& state, int change) {
  int& uses = stateUses_[state.get()];
  const bool counted = uses > 0;
  uses += change;
  if (counted == (uses > 0)) return;
  if (uses <= 0) stateUses_.erase(state.get());
  // The state starts or ends being used: its bytes and storages come or go.
  const std::size_t bytes = StateBytes(*state);
  stateBytes_ = change > 0 ? stateBytes_ + bytes : stateBytes_ - bytes;
  for (const auto& curve : state->Curves()) {
    const std::vector<model::CValueObj>* storage = &curve->Samples();
    int& holders = storageUses_[storage];
    holders += change;
    if (holders <= 0) storageUses_.erase(storage);
  }
}

std::size_t UndoHistory::HeldBytes(const model::CMessungObj& measurement) const {
  std::unordered_set<const std::vector<model::CValueObj>*> shared;
  for (const auto& curve : measurement.Curves()) shared.insert(&curve->Samples());
  std::size_t bytes = stateBytes_;
  for (const auto& [storage, holders] : storageUses_) {
    if (shared.count(storage) == 0) bytes += storage->capacity() * sizeof(model::CValueObj);
  }
  return bytes;
}

void UndoHistory::DropOldestOverBudget(const model::CMessungObj& measurement) {
  while (!steps_.empty() && HeldBytes(measurement) > budget_) {
    EraseSteps(0, 1);
    --position_;
    if (savedPosition_) {
      if (*savedPosition_ == 0) {
        savedPosition_.reset();
      } else {
        --*savedPosition_;
      }
    }
  }
}

}  // namespace vantrel::document
