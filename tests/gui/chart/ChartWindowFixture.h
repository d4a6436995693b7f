// The fixture of the chart window tests: a started application with the demo measurement
// in a chart window of known size, painted once, and helpers for the modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QtTest/QTest>

#include "ChartTestData.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/chart/CChildFrame.h"

namespace vantrel::testing {

/// Answers one modal dialog (and closes it).
using Answer = std::function<void(QWidget&)>;

class ChartWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
    document_ = Main().Documents().AddMeasurement(DemoChartMeasurement());
    ASSERT_NE(document_, nullptr);
    frame_ = qobject_cast<gui::CChildFrame*>(document_->FrameOf(document_->Windows().front()));
    ASSERT_NE(frame_, nullptr);
    Window().resize(820, 560);
    document_->Doc().SetModifiedFlag(false);
    Paint();
  }

  gui::CMainFrame& Main() { return app_->MainFrame(); }
  gui::OpenDocument& Document() { return *document_; }
  model::CMessungObj& M() { return *document_->Measurement(); }
  gui::CChildFrame& Frame() { return *frame_; }
  gui::CVantrel40View& View() { return frame_->View(); }
  QWidget& Surface() { return View().Surface(); }
  QMdiSubWindow& Window() { return *qobject_cast<QMdiSubWindow*>(frame_->parentWidget()); }
  bool Modified() { return document_->Doc().IsModified(); }
  const platform::Rect& Plot() { return M().GetPlotRect(); }

  /// Lets pending events run and paints the chart at once.
  void Paint() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    View().RepaintNow();
  }
  /// Makes the plot rectangle's width and height even (halves are then exact).
  void MakePlotEven() {
    for (int i = 0; i < 4 && (Plot().Width() % 2 != 0 || Plot().Height() % 2 != 0); ++i) {
      Window().resize(Window().width() + Plot().Width() % 2,
                      Window().height() + Plot().Height() % 2);
      Paint();
    }
    ASSERT_EQ(Plot().Width() % 2, 0);
    ASSERT_EQ(Plot().Height() % 2, 0);
  }

  /// Answers the next modal dialogs one after the other (each answer closes its dialog).
  void AnswerInOrder(const std::vector<Answer>& answers) {
    for (const Answer& answer : answers) modals_.ThenAnswer(answer);
  }
  /// An answer that clicks `button` of a message box and keeps its text.
  static Answer MessageAnswer(QMessageBox::StandardButton button, QString* text = nullptr) {
    return [button, text](QWidget& widget) {
      auto* box = qobject_cast<QMessageBox*>(&widget);
      if (box == nullptr) {
        ADD_FAILURE() << "no message box: " << widget.metaObject()->className();
        widget.close();
        return;
      }
      if (text != nullptr) *text = box->text();
      box->button(button)->click();
    };
  }
  /// Answers the next message box with `button` and keeps its text.
  void AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
    modals_.ThenAnswer(MessageAnswer(button, text));
  }

  void Press(QPoint p) { QTest::mousePress(&Surface(), Qt::LeftButton, {}, p); }
  void Move(QPoint p) { QTest::mouseMove(&Surface(), p); }
  void Release(QPoint p) { QTest::mouseRelease(&Surface(), Qt::LeftButton, {}, p); }
  /// The pixel of normalized chart point (x, y) at zoom 1.
  QPoint At(double x, double y) {
    return {Plot().left + static_cast<int>(Plot().Width() * x),
            Plot().top + static_cast<int>((1.0 - y) * Plot().Height())};
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
  gui::OpenDocument* document_ = nullptr;
  gui::CChildFrame* frame_ = nullptr;
  ModalScript modals_;
};

}  // namespace vantrel::testing
