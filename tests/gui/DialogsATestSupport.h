// Helpers of the formula, settings and curve import dialog tests: a script of answers to the
// modal windows a step opens (message boxes, file choices, the dialogs themselves), control
// lookup by number, and measurements with chosen samples.
#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>

#include "model/CMessungObj.h"

namespace vantrel::testing {

/// Answers modal windows in order while it lives. Each step is offered the active modal
/// window until it accepts it (returns true); steps act through queued events, so windows
/// that open inside an answered one are answered too. After a time-out every open modal
/// window is rejected so that a broken test fails instead of hanging.
class ModalScript {
 public:
  using Step = std::function<bool(QWidget&)>;
  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  ModalScript& Then(Step step);
  /// Answers the next message box with OK and records its text.
  ModalScript& ThenMessage();
  /// Answers the next file choice with `path`, or cancels it when `path` is empty.
  ModalScript& ThenFile(const QString& path);

  /// Steps not yet taken.
  std::size_t Pending() const { return steps_.size(); }
  /// Texts of the message boxes answered by ThenMessage, in order.
  const QStringList& Messages() const { return messages_; }
  bool TimedOut() const { return timedOut_; }

 private:
  void Poll();

  QTimer timer_;
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QPointer<QWidget> seen_;
  int seenPolls_ = 0;
  QStringList messages_;
  int ticks_ = 0;
  bool timedOut_ = false;
};

/// The control with number `id` (its object name) below `parent`.
template <typename T>
T* Control(QWidget& parent, int id) {
  return parent.findChild<T*>(QString::number(id));
}

/// Clicks the button with number `id` below `parent` from the event loop.
void ClickLater(QWidget& parent, int id);

/// Appends a curve with `samples` (minimum, maximum, value), the sample interval and unit.
model::CKurveObj* AddCurve(model::CMessungObj& m,
                           std::initializer_list<std::array<float, 3>> samples,
                           double interval = 0.01, int unitCode = 4);
/// A measurement of `count` curves, each with two samples, one axis per curve.
std::unique_ptr<model::CMessungObj> MeasurementOfCurves(
    int count, platform::MessageService* messages = nullptr);

}  // namespace vantrel::testing
