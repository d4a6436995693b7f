// Answers the modal windows a test step opens (the dialog under test, message boxes, file
// choices) while the step runs its own event loop.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

namespace vantrel::testing {

/// Offers the active modal window to its steps while it lives. A window is offered once it
/// has stayed on top for a few polls (the code that opened it has then finished). Steps act
/// through queued events, so windows that open inside an answered one are answered too.
///
/// In order: `Then` queues one step per window; a step returns false when the window is not
/// the expected one and is offered the next window on top. A window is not offered again
/// right after it was answered, but it is when it comes back on top after another one (a
/// dialog after the message box it opened). When steps are left and no window has been
/// answered for a long time, every open modal window is rejected so that a broken test
/// fails instead of hanging.
///
/// Every window: the constructor's handler is offered every window not answered yet; it
/// may wait for a condition by returning false.
class ModalScript {
 public:
  using Step = std::function<bool(QWidget& modal)>;
  ModalScript();
  explicit ModalScript(Step everyWindow);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  ModalScript& Then(Step step);
  /// Answers the next window, whatever it is, with `answer` run once the current event has
  /// been handled: windows that `answer` opens are answered by the steps after it.
  ModalScript& ThenAnswer(std::function<void(QWidget& modal)> answer);
  /// Answers the next message box with OK (or its only button); its text goes to
  /// Messages() and to `text` when given.
  ModalScript& ThenMessage(QString* text = nullptr);
  /// Answers the next file choice with `path` typed into its name field, or cancels it when
  /// `path` is empty.
  ModalScript& ThenFile(const QString& path);

  /// Steps not yet taken.
  std::size_t Pending() const { return steps_.size(); }
  /// Texts of the message boxes answered by ThenMessage, in order.
  const QStringList& Messages() const { return messages_; }
  /// Titles of the windows answered, in order.
  const std::vector<QString>& Seen() const { return seen_; }
  bool TimedOut() const { return timedOut_; }

 private:
  void Poll();
  bool Answered(const QWidget* modal) const;
  void GiveUp();

  QTimer timer_;
  Step everyWindow_;
  std::deque<Step> steps_;
  std::vector<QPointer<QWidget>> answered_;
  QPointer<QWidget> lastAnswered_;
  QPointer<QWidget> onTop_;
  int onTopPolls_ = 0;
  int idlePolls_ = 0;
  QStringList messages_;
  std::vector<QString> seen_;
  bool timedOut_ = false;
};

}  // namespace vantrel::testing
