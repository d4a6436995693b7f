// Helpers of the chart dialog tests: finding numbered controls, typing into fields,
// choosing list entries with the keyboard, clicking after the current event, and answering
// the modal dialogs and message boxes that a step opens, in order.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/platform/QtServices.h"
#include "model/CMessungObj.h"

namespace vantrel::testing {

/// The control named by its number; fails the test (and returns null) when it is missing.
template <typename W>
W* Numbered(QWidget& dialog, int id) {
  return dialog.findChild<W*>(QString::number(id));
}

/// Replaces the text of `edit` by typing `text`.
void Retype(QLineEdit& edit, const QString& text);
/// Moves the selection of `combo` to `index` with the arrow keys (as a user does).
void ChooseEntry(QComboBox& combo, int index);
/// Clicks `button` once the current event has been handled (for answers of modal dialogs).
void ClickLater(QAbstractButton& button);
/// Clicks control `id` of `dialog` later.
void ClickLater(QWidget& dialog, int id);

/// Answers the modal dialogs that open from now on, one answer per dialog in order. An
/// answer gets the modal widget and returns false when it is not the expected one (the
/// test then fails when the script runs out unanswered). Polling ends with the object.
class ModalScript {
 public:
  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  void Then(std::function<bool(QWidget&)> answer);
  /// Expects a message box: its text goes to `text` (when given) and OK closes it.
  void ThenMessage(QString* text = nullptr);
  std::size_t Pending() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

/// A started application in the "C" number convention (tests that need the German one
/// pass ',' to the dialogs themselves).
class ChartDialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  gui::CMainFrame& Frame() { return app_->MainFrame(); }
  gui::AppContext& Context() { return Frame().Context(); }
  const gui::BrandedTexts& Texts() { return Context().texts; }
  QString Text(int id) { return gui::ToQString(Texts().Text(id)); }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

/// A measurement with `count` curves of 21 samples (min = i, max = i + 1, value = i + 0.5
/// plus 100 per curve) at 0.5 s on axes 1 and 2 alternately, an x axis of 0..10 s.
std::unique_ptr<model::CMessungObj> ChartMeasurement(int count);

}  // namespace vantrel::testing
