// The measurements a memory readout makes, in instrument order, at most 256; owned here until
// the caller takes the completely transferred ones.
#pragma once

#include <memory>
#include <vector>

#include "model/CMessungObj.h"
#include "platform/MessageService.h"

namespace vantrel::instrument {

class ReadoutList {
 public:
  static constexpr int kCapacity = 256;

  /// `messages` answers out-of-memory questions of the new measurements; may be null.
  explicit ReadoutList(platform::MessageService* messages = nullptr) : messages_(messages) {}

  /// Appends a new empty measurement; null when the list is full or memory ran out.
  model::CMessungObj* NewMeasurement() {
    if (Count() >= kCapacity) return nullptr;
    model::CMessungObj* made = nullptr;
    platform::RetryOnOutOfMemory(messages_, [&] {
      measurements_.push_back(std::make_unique<model::CMessungObj>(messages_));
      made = measurements_.back().get();
    });
    return made;
  }
  /// Removes and deletes the last measurement (a rejected attempt).
  void DiscardLast() {
    if (!measurements_.empty()) measurements_.pop_back();
  }
  /// Deletes every measurement after the first `count`.
  void KeepFirst(int count) {
    if (count >= 0 && count < Count()) {
      measurements_.resize(static_cast<std::size_t>(count));
    }
  }
  int Count() const { return static_cast<int>(measurements_.size()); }
  model::CMessungObj* At(int index) {
    return index >= 0 && index < Count() ? measurements_[static_cast<std::size_t>(index)].get()
                                         : nullptr;
  }
  /// Hands every measurement to the caller and leaves the list empty.
  std::vector<std::unique_ptr<model::CMessungObj>> TakeAll() {
    auto taken = std::move(measurements_);
    measurements_.clear();
    return taken;
  }

 private:
  platform::MessageService* messages_;
  std::vector<std::unique_ptr<model::CMessungObj>> measurements_;
};

}  // namespace vantrel::instrument
