// The chart view: drawing and its first paint, the refresh timer, the rectangle zoom and the
// scroll bars with real mouse events, the annotation modes, the keyboard cursor keys and
// every other command of the view with its effect on the document's modified flag, the
// mouse wheel and the touchpad pinch, the availability of the view's commands, and the
// summaries of a long document built in the background.
#include <QCursor>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>

#include "ChartWindowFixture.h"
#include "app/CommandIds.h"
#include "gui/chart/CTextDlg.h"
#include "gui/chart/ChartCommands.h"
#include "gui/tables/CurveSelectionDialog.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

namespace cmd = gui::chart_commands;

using CVantrel40ViewTest = ChartWindowTest;

/// Chooses `rows` in a curve selection dialog and confirms.
Answer CurveChoice(std::vector<int> rows) {
  return [rows](QWidget& widget) {
    auto* dialog = qobject_cast<gui::CurveSelectionDialog*>(&widget);
    if (dialog == nullptr) {
      ADD_FAILURE() << "no curve selection";
      widget.close();
      return;
    }
    QTableView& list = dialog->List();
    for (int row : rows) {
      const QRect cell = list.visualRect(list.model()->index(row, 1));
      QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    }
    dialog->accept();
  };
}
void ChooseCurves(ModalScript& modals, std::vector<int> rows) {
  modals.ThenAnswer(CurveChoice(std::move(rows)));
}

/// Enters `text` and `size` in the next text dialog and confirms.
void EnterText(ModalScript& modals, const QString& text, const QString& size) {
  modals.ThenAnswer([text, size](QWidget& widget) {
    auto* dialog = qobject_cast<gui::CTextDlg*>(&widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->SizeText(), QStringLiteral("10"));
    dialog->TextField().setText(text);
    dialog->SizeField().setEditText(size);
    SaveShot(*dialog, QStringLiteral("chart_text_dialog"));
    dialog->accept();
  });
}

TEST_F(CVantrel40ViewTest, FirstPaintDrawsTheChartOffScreenAndStartsTheTimer) {
  EXPECT_FALSE(View().FirstDraw());
  EXPECT_TRUE(View().RefreshTimer().isActive());
  EXPECT_EQ(View().RefreshTimer().interval(), 200);
  EXPECT_EQ(View().Picture().size(), Surface().size());
  EXPECT_GT(Plot().Width(), 400);
  const QImage& picture = View().Picture();
  EXPECT_EQ(picture.pixelColor(Plot().right - 2, Plot().bottom - 2), QColor(Qt::white));
  // The pressure curve crosses the plot's left part in its own colour, one pixel wide.
  int red = 0;
  for (int y = Plot().top; y < Plot().bottom; ++y) {
    red += picture.pixelColor(Plot().left + 40, y) == QColor(220, 0, 0) ? 1 : 0;
  }
  EXPECT_GE(red, 1);
  EXPECT_LE(red, 8);
  EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
  EXPECT_FALSE(View().verticalScrollBar()->isVisible());
  SaveShot(Window(), QStringLiteral("chart_window"));
  SaveShot(Main(), QStringLiteral("chart_in_main_window"));
}

TEST_F(CVantrel40ViewTest, TimerMarksNewOnlineSamplesAndFollowsTheNewestFiveMinutes) {
  QSignalSpy ticks(&View().RefreshTimer(), &QTimer::timeout);
  ASSERT_TRUE(ticks.wait(static_cast<int>(kPatience.count())));
  EXPECT_FALSE(Modified());  // nothing new: nothing marked
  M().GetXAxis().SetMax(600.0F);
  M().SetFormulaUpdatePending(1);
  EXPECT_TRUE(WaitUntil([&] { return M().GetFormulaUpdatePending() == 0; }));
  EXPECT_TRUE(Modified());
  EXPECT_DOUBLE_EQ(M().GetXZoom(), static_cast<double>(600.0F * 0.0033333334F));
  EXPECT_NEAR(M().GetXScroll(), 0.5, 1e-6);
  const QScrollBar& bar = *View().horizontalScrollBar();
  EXPECT_EQ(bar.maximum(), 40);
  EXPECT_EQ(bar.value(), 40);
  EXPECT_EQ(Window().windowTitle().count(QLatin1Char('*')), 1);
}

TEST_F(CVantrel40ViewTest, RectangleZoomWithTheMouseFillsThePlotAndSetsTheScrollBars) {
  MakePlotEven();
  const platform::Rect plot = Plot();
  const QPoint start(plot.left, plot.top);
  const QPoint end(plot.left + plot.Width() / 2, plot.top + plot.Height() / 2);
  // A press outside the plot starts nothing.
  View().HandleCommand(cmd::kCmdZoomBox);
  Press(QPoint(plot.left - 5, plot.top + 5));
  EXPECT_FALSE(View().Interaction().ZoomDragging());
  Release(QPoint(plot.left - 5, plot.top + 5));

  View().HandleCommand(cmd::kCmdZoomBox);
  EXPECT_EQ(Surface().cursor().shape(), Qt::SizeAllCursor);
  Press(start);
  Move(QPoint(start.x() + 30, start.y() + 20));
  Move(end);
  EXPECT_TRUE(View().Interaction().ZoomDragging());
  EXPECT_EQ(View().Interaction().ZoomRect(),
            (platform::Rect{start.x(), start.y(), end.x(), end.y()}));
  Surface().repaint();
  SaveShot(Window(), QStringLiteral("chart_zoom_feedback"));
  Release(end);

  EXPECT_DOUBLE_EQ(M().GetXZoom(), 2.0);
  EXPECT_DOUBLE_EQ(M().GetYZoom(), 2.0);
  EXPECT_DOUBLE_EQ(M().GetXScroll(), 0.0);
  EXPECT_DOUBLE_EQ(M().GetYScroll(), 0.5);
  EXPECT_FALSE(View().Interaction().ZoomArmed());
  EXPECT_EQ(Surface().cursor().shape(), Qt::ArrowCursor);
  QScrollBar& horizontal = *View().horizontalScrollBar();
  QScrollBar& vertical = *View().verticalScrollBar();
  EXPECT_EQ(horizontal.maximum(), 40);
  EXPECT_EQ(horizontal.value(), 0);
  EXPECT_EQ(vertical.maximum(), 40);
  EXPECT_EQ(vertical.value(), 0);
  EXPECT_FALSE(Modified());  // zooming changes no data

  // Scrolling: a page is half the scrollable distance, the ends reach 0 and 1 - 1/zoom.
  horizontal.triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(horizontal.value(), 20);
  EXPECT_DOUBLE_EQ(M().GetXScroll(), 0.25);
  horizontal.triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_DOUBLE_EQ(M().GetXScroll(), 0.5);
  horizontal.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(horizontal.value(), 40);
  vertical.triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_DOUBLE_EQ(M().GetYScroll(), 0.0);
  vertical.triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_NEAR(M().GetYScroll(), 0.5 / 40, 1e-12);
  // A real click into the bar's left page area pages back.
  Paint();
  QTest::mouseClick(&horizontal, Qt::LeftButton, {},
                    QPoint(horizontal.width() / 4, horizontal.height() / 2));
  EXPECT_EQ(horizontal.value(), 20);
  EXPECT_FALSE(Modified());

  // A second rectangle zooms into the zoomed view.
  Paint();
  View().HandleCommand(cmd::kCmdZoomBox);
  Press(QPoint(Plot().left, Plot().top));
  Move(QPoint(Plot().left + Plot().Width() / 2, Plot().bottom));
  Release(QPoint(Plot().left + Plot().Width() / 2, Plot().bottom));
  EXPECT_DOUBLE_EQ(M().GetXZoom(), 4.0);
  EXPECT_DOUBLE_EQ(M().GetYZoom(), 2.0);  // the full height keeps the y zoom
  EXPECT_DOUBLE_EQ(M().GetXScroll(), 0.25);

  View().HandleCommand(cmd::kCmdZoomReset);
  EXPECT_EQ(chart::ZoomOf(M()), chart::ZoomState{});
  EXPECT_EQ(horizontal.maximum(), 0);
  EXPECT_EQ(vertical.maximum(), 0);
  EXPECT_FALSE(Modified());
}

TEST_F(CVantrel40ViewTest, ZoomRectangleWithoutAreaLeavesTheZoom) {
  View().HandleCommand(cmd::kCmdZoomBox);
  const QPoint p = At(0.5, 0.5);
  Press(p);
  Move(QPoint(p.x() + 40, p.y()));
  Release(QPoint(p.x() + 40, p.y()));
  EXPECT_EQ(chart::ZoomOf(M()), chart::ZoomState{});
  EXPECT_FALSE(View().Interaction().ZoomArmed());
}

TEST_F(CVantrel40ViewTest, PlacingATextShowsItsOutlineAndAddsItAtTheOutline) {
  EnterText(modals_, QStringLiteral("Pumpe an"), QStringLiteral("14"));
  View().HandleCommand(cmd::kCmdTextPlace);
  ASSERT_TRUE(View().Interaction().PlaceTextMode());
  EXPECT_EQ(View().Interaction().PendingTextSize(), 14);
  const QPoint p = At(0.6, 0.4);
  Move(p);
  const platform::Rect outline = View().Interaction().FeedbackRect();
  EXPECT_EQ(outline.left, p.x());
  EXPECT_EQ(outline.top, p.y());
  EXPECT_GT(outline.Width(), 20);
  Press(p);
  Release(p);
  ASSERT_EQ(M().GetTextCount(), 2);
  const model::CTextObj& text = *M().GetText(1);
  EXPECT_EQ(text.GetText(), u"Pumpe an");
  EXPECT_EQ(text.GetFontSize(), 14);
  EXPECT_NEAR(text.GetPosX(), 0.6, 0.01);
  EXPECT_NEAR(text.GetPosY(), 0.4, 0.01);
  EXPECT_FALSE(View().Interaction().PlaceTextMode());
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, CancelledTextDialogPlacesNothingAndEndsOtherModes) {
  View().HandleCommand(cmd::kCmdLineDraw);
  modals_.ThenAnswer([](QWidget& dialog) { qobject_cast<QDialog*>(&dialog)->reject(); });
  View().HandleCommand(cmd::kCmdTextPlace);
  EXPECT_FALSE(View().Interaction().PlaceTextMode());
  EXPECT_FALSE(View().Interaction().DrawLineMode());
}

TEST_F(CVantrel40ViewTest, MovingATextDragsItToTheReleasePoint) {
  View().HandleCommand(cmd::kCmdTextMove);
  const QPoint anchor = At(0.3, 0.9);
  Move(anchor + QPoint(3, 3));
  EXPECT_EQ(View().Interaction().HotText(), 0);
  EXPECT_EQ(View().Interaction().FeedbackRect().left, anchor.x());
  Press(anchor + QPoint(3, 3));
  const QPoint target = At(0.5, 0.6);
  Move(At(0.4, 0.8));
  Move(target);
  EXPECT_NEAR(M().GetText(0)->GetPosX(), 0.5, 0.01);
  EXPECT_FALSE(M().GetText(0)->GetDragRect().IsNull());
  EXPECT_FALSE(Modified());  // marked when the drag ends
  Release(target);
  EXPECT_NEAR(M().GetText(0)->GetPosY(), 0.6, 0.01);
  EXPECT_FALSE(View().Interaction().MoveTextMode());
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, DeletingATextAsksAndADeclinedDeletionEndsTheMode) {
  const QPoint over = At(0.3, 0.9) + QPoint(3, 3);
  View().HandleCommand(cmd::kCmdTextDelete);
  Move(QPoint(Plot().left + 2, Plot().bottom - 2));
  EXPECT_EQ(View().Interaction().HotText(), -1);
  Move(over);
  ASSERT_EQ(View().Interaction().HotText(), 0);
  QString asked;
  AnswerMessage(QMessageBox::Cancel, &asked);
  Press(over);
  Release(over);
  EXPECT_EQ(asked, QStringLiteral("Soll der Text gelöscht werden?"));
  EXPECT_EQ(M().GetTextCount(), 1);
  EXPECT_FALSE(View().Interaction().DeleteTextMode());
  EXPECT_FALSE(Modified());

  View().HandleCommand(cmd::kCmdTextDelete);
  Move(over + QPoint(1, 0));  // the window system reports moves only
  AnswerMessage(QMessageBox::Ok);
  Press(over + QPoint(1, 0));
  Release(over + QPoint(1, 0));
  EXPECT_EQ(M().GetTextCount(), 0);
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, DrawingALineNeedsMoreThanFivePixels) {
  struct Case {
    QPoint offset;
    int lines;
  };
  const Case cases[] = {{QPoint(3, 4), 1}, {QPoint(6, 0), 2}, {QPoint(0, -5), 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset.x() * 100 + c.offset.y());
    View().HandleCommand(cmd::kCmdLineDraw);
    const QPoint start = At(0.1, 0.1);
    Press(start);
    Move(start + c.offset);
    Release(start + c.offset);
    EXPECT_EQ(M().GetLineCount(), c.lines);
    EXPECT_FALSE(View().Interaction().DrawLineMode());
  }
  const model::CLineObj& line = *M().GetLine(1);
  EXPECT_NEAR(line.GetPosX(), 0.1, 0.005);
  EXPECT_NEAR(line.GetPosY(), 0.1, 0.005);
  EXPECT_DOUBLE_EQ(line.GetDx(), 6.0 / Plot().Width());
  EXPECT_DOUBLE_EQ(line.GetDy(), 0.0);
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, LineDragShowsARubberBandAndUpwardIsPositive) {
  View().HandleCommand(cmd::kCmdLineDraw);
  const QPoint start = At(0.2, 0.2);
  const QPoint end = At(0.4, 0.5);
  Press(start);
  Move(end);
  EXPECT_TRUE(View().Interaction().LineDragging());
  EXPECT_EQ(View().Interaction().LineEnd(), (platform::Point{end.x(), end.y()}));
  Surface().repaint();
  SaveShot(Window(), QStringLiteral("chart_line_rubber_band"));
  Release(end);
  ASSERT_EQ(M().GetLineCount(), 2);
  EXPECT_NEAR(M().GetLine(1)->GetDx(), 0.2, 0.005);
  EXPECT_NEAR(M().GetLine(1)->GetDy(), 0.3, 0.005);
}

TEST_F(CVantrel40ViewTest, DeletingALineRemovesTheLineUnderTheCursor) {
  View().HandleCommand(cmd::kCmdLineDelete);
  const QPoint middle = At(0.65, 0.35);
  Move(middle);
  ASSERT_EQ(View().Interaction().HotLine(), 0);
  AnswerMessage(QMessageBox::Ok);
  Press(middle);
  EXPECT_EQ(M().GetLineCount(), 0);
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, AnnotationModesExcludeEachOther) {
  View().HandleCommand(cmd::kCmdLineDraw);
  View().HandleCommand(cmd::kCmdTextDelete);
  EXPECT_FALSE(View().Interaction().DrawLineMode());
  EXPECT_TRUE(View().Interaction().DeleteTextMode());
  View().HandleCommand(cmd::kCmdZoomBox);
  EXPECT_TRUE(View().Interaction().DeleteTextMode());  // the zoom is independent
  View().HandleCommand(cmd::kCmdTextMove);
  EXPECT_FALSE(View().Interaction().DeleteTextMode());
  EXPECT_TRUE(View().Interaction().MoveTextMode());
  EXPECT_TRUE(View().Interaction().ZoomArmed());
}

TEST_F(CVantrel40ViewTest, CursorReturnsToTheArrowWhenAModeEndsByAnotherCommand) {
  struct Case {
    const char* name;
    std::vector<int> commands;
    Qt::CursorShape cursor;
  };
  const Case cases[] = {
      {"line draw, then text move", {cmd::kCmdLineDraw, cmd::kCmdTextMove}, Qt::ArrowCursor},
      {"line draw, then text delete", {cmd::kCmdLineDraw, cmd::kCmdTextDelete}, Qt::ArrowCursor},
      {"line draw, then line delete", {cmd::kCmdLineDraw, cmd::kCmdLineDelete}, Qt::ArrowCursor},
      {"zoom, then zoom reset", {cmd::kCmdZoomBox, cmd::kCmdZoomReset}, Qt::ArrowCursor},
      {"line draw, then zoom reset", {cmd::kCmdLineDraw, cmd::kCmdZoomReset}, Qt::SizeAllCursor},
      {"zoom and line draw, then text move",
       {cmd::kCmdZoomBox, cmd::kCmdLineDraw, cmd::kCmdTextMove},
       Qt::SizeAllCursor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    View().Interaction().ClearAnnotationModes();
    View().HandleCommand(cmd::kCmdZoomReset);
    ASSERT_EQ(Surface().cursor().shape(), Qt::ArrowCursor);
    for (int command : c.commands) View().HandleCommand(command);
    EXPECT_EQ(Surface().cursor().shape(), c.cursor);
  }
  // The text placement ends the line mode before its dialog, also when that is cancelled.
  View().HandleCommand(cmd::kCmdZoomReset);
  View().HandleCommand(cmd::kCmdLineDraw);
  ASSERT_EQ(Surface().cursor().shape(), Qt::SizeAllCursor);
  modals_.ThenAnswer([](QWidget& widget) { widget.close(); });
  View().HandleCommand(cmd::kCmdTextPlace);
  EXPECT_EQ(Surface().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CVantrel40ViewTest, TitleTextRenamesTheMeasurementOnOkOnly) {
  M().SetName(u"Pumpe", 7);
  struct Case {
    const char* name;
    bool accept;
    std::u16string expected;
  };
  const Case cases[] = {{"cancel", false, u"Pumpe"}, {"ok", true, u"Pumpe neu"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document().Doc().SetModifiedFlag(false);
    modals_.ThenAnswer([&c](QWidget& widget) {
      auto* dialog = qobject_cast<gui::CTextDlg*>(&widget);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->TextField().text(), QStringLiteral("Pumpe"));
      EXPECT_TRUE(dialog->SizeText().isEmpty());
      EXPECT_TRUE(dialog->SizeField().isHidden());
      dialog->TextField().setText(QStringLiteral("Pumpe neu"));
      if (c.accept) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
    Main().WorkArea().setActiveSubWindow(&Window());
    Main().ExecuteCommand(cmd::kCmdTitleText);
    EXPECT_EQ(M().GetName(), c.expected);
    EXPECT_EQ(M().GetStorageNumber(), 7);
    EXPECT_EQ(Modified(), c.accept);
  }
}

TEST_F(CVantrel40ViewTest, CursorKeysMoveThePointerTwoPixelsWithinTheView) {
  View().setFocus();
  const QPoint origin = Surface().mapToGlobal(QPoint(0, 0));
  const int right = Surface().width() - 1;
  struct Case {
    QPoint from;
    Qt::Key key;
    QPoint to;
  };
  const Case cases[] = {
      {QPoint(100, 100), Qt::Key_Right, QPoint(102, 100)},
      {QPoint(100, 100), Qt::Key_Left, QPoint(98, 100)},
      {QPoint(100, 100), Qt::Key_Up, QPoint(100, 98)},
      {QPoint(100, 100), Qt::Key_Down, QPoint(100, 102)},
      {QPoint(right - 1, 100), Qt::Key_Right, QPoint(right, 100)},
      {QPoint(0, 1), Qt::Key_Up, QPoint(0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    QCursor::setPos(origin + c.from);
    QTest::keyClick(&View(), c.key);
    EXPECT_EQ(QCursor::pos() - origin, c.to);
  }
}

TEST_F(CVantrel40ViewTest, KeyboardClickStartsAndFinishesTheZoomRectangle) {
  View().setFocus();
  const QPoint origin = Surface().mapToGlobal(QPoint(0, 0));
  View().HandleCommand(cmd::kCmdZoomBox);
  QCursor::setPos(origin + At(0.25, 0.75));
  QTest::keyClick(&View(), Qt::Key_Space);
  EXPECT_TRUE(View().Interaction().ZoomDragging());
  for (int i = 0; i < 10; ++i) {
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClick(&View(), Qt::Key_Down);
    QApplication::processEvents();
  }
  EXPECT_EQ(View().Interaction().ZoomRect().Width(), 20);
  QTest::keyClick(&View(), Qt::Key_Return);
  EXPECT_FALSE(View().Interaction().ZoomArmed());
  EXPECT_DOUBLE_EQ(M().GetXZoom(), Plot().Width() / 20.0);
}

TEST_F(CVantrel40ViewTest, TitleToggleAndLegendToggleShowCheckMarks) {
  auto checked = [this](int id) {
    Main().WorkArea().setActiveSubWindow(&Window());  // the document menu of the chart
    Main().RefreshMenus();
    const auto& actions = Main().Menus().ActionsOf(id);
    return !actions.empty() && actions.front()->isChecked();
  };
  EXPECT_TRUE(checked(cmd::kCmdTitleToggle));
  Main().ExecuteCommand(cmd::kCmdTitleToggle);
  EXPECT_EQ(M().GetTitleVisible(), 0);
  EXPECT_FALSE(checked(cmd::kCmdTitleToggle));
  EXPECT_FALSE(Modified());

  EXPECT_FALSE(checked(cmd::kCmdLegendToggle));
  Main().ExecuteCommand(cmd::kCmdLegendToggle);
  EXPECT_TRUE(gui::IsLegendShown(Document()));
  EXPECT_TRUE(checked(cmd::kCmdLegendToggle));
  Main().ExecuteCommand(cmd::kCmdLegendToggle);
  EXPECT_FALSE(gui::IsLegendShown(Document()));
}

TEST_F(CVantrel40ViewTest, DeletingCurvesAsksOnceAndRemovesTheLaterPositionFirst) {
  QString asked;
  AnswerInOrder({CurveChoice({0, 2}), MessageAnswer(QMessageBox::Ok, &asked)});
  View().HandleCommand(cmd::kCmdDeleteCurves);
  EXPECT_EQ(asked, QStringLiteral("Sollen 2 Kurve(n) gelöscht werden?"));
  ASSERT_EQ(M().GetCurveCount(), 1);
  EXPECT_EQ(M().GetCurve(0)->GetName(), u"Steuerdruck");
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, CurvesStayWhenTheDeletionIsDeclinedOrARecordingRuns) {
  AnswerInOrder({CurveChoice({1}), MessageAnswer(QMessageBox::Cancel)});
  View().HandleCommand(cmd::kCmdDeleteCurves);
  EXPECT_EQ(M().GetCurveCount(), 3);
  EXPECT_FALSE(Modified());
  M().SetOnlineActive(1);
  View().HandleCommand(cmd::kCmdDeleteCurves);  // asks nothing: no dialog to answer
  EXPECT_EQ(M().GetCurveCount(), 3);
  M().SetOnlineActive(0);
}

TEST_F(CVantrel40ViewTest, ValueCommandsOpenTheirListWindows) {
  View().HandleCommand(cmd::kCmdExtremes);
  EXPECT_EQ(Document().Windows().size(), 2U);
  ChooseCurves(modals_, {0, 2});
  View().HandleCommand(cmd::kCmdValuesByInterval);
  EXPECT_EQ(Document().Windows().size(), 3U);  // both curves sample every 0.1 s
  ChooseCurves(modals_, {1});
  View().HandleCommand(cmd::kCmdCurveInformation);
  EXPECT_EQ(Document().Windows().size(), 4U);
  EXPECT_FALSE(Modified());
}

TEST_F(CVantrel40ViewTest, DialogCommandsOfColleaguesAreLeftToTheMainFrame) {
  for (int id : {ids::kCmdChartSetup, ids::kCmdChartFilterCurve, ids::kCmdFormulaCurve,
                 ids::kCmdUnits, ids::kCmdChartSamples, ids::kCmdChartNotes, ids::kCmdImportCurve,
                 ids::kCmdChartMarkers, ids::kCmdSave}) {
    EXPECT_FALSE(Frame().HandleCommand(id)) << id;
  }
}

/// Turns the wheel over the chart surface at `p` by `delta` eighths of a degree.
void Wheel(QWidget& surface, QPoint p, int delta,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWheelEvent event(p, surface.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&surface, &event);
}

/// The time (x) or value (y) in chart units under pixel `p`.
chart::NormalizedPoint Under(model::CMessungObj& m, QPoint p) {
  return chart::PixelToNormalized({p.x(), p.y()}, m.GetPlotRect(), chart::ZoomOf(m));
}

TEST_F(CVantrel40ViewTest, CtrlWheelZoomsAroundThePointerAndTheScrollBarsFollow) {
  const QPoint pointer(Plot().left + Plot().Width() / 3, Plot().top + Plot().Height() / 4);
  struct Case {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    int delta;
    double xZoom;
    double yZoom;
  };
  const Case cases[] = {
      {"two notches in on the time axis", Qt::ControlModifier, 240, 1.5625, 1.0},
      {"one notch in on the value axes", Qt::ControlModifier | Qt::ShiftModifier, 120, 1.5625,
       1.25},
      {"one notch out on the time axis", Qt::ControlModifier, -120, 1.25, 1.25},
      {"three thirds of a notch in", Qt::ControlModifier, 40, 1.25, 1.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const chart::NormalizedPoint before = Under(M(), pointer);
    Wheel(Surface(), pointer, c.delta, c.modifiers);
    if (c.delta == 40) {
      Wheel(Surface(), pointer, 40, c.modifiers);
      EXPECT_DOUBLE_EQ(M().GetXZoom(), c.xZoom);  // two thirds do nothing yet
      Wheel(Surface(), pointer, 40, c.modifiers);
      EXPECT_DOUBLE_EQ(M().GetXZoom(), c.xZoom * 1.25);
      continue;
    }
    EXPECT_DOUBLE_EQ(M().GetXZoom(), c.xZoom);
    EXPECT_DOUBLE_EQ(M().GetYZoom(), c.yZoom);
    const chart::NormalizedPoint after = Under(M(), pointer);
    EXPECT_NEAR(after.x, before.x, 1.0 / (Plot().Width() * M().GetXZoom()));
    EXPECT_NEAR(after.y, before.y, 1.0 / (Plot().Height() * M().GetYZoom()));
    // The bars show the new zoom as the rectangle zoom leaves them.
    const chart::ScrollBarState h = chart::HorizontalBar(M().GetXZoom(), M().GetXScroll());
    const chart::ScrollBarState v = chart::VerticalBar(M().GetYZoom(), M().GetYScroll());
    EXPECT_EQ(View().horizontalScrollBar()->maximum(), h.max);
    EXPECT_EQ(View().horizontalScrollBar()->value(), h.position);
    EXPECT_EQ(View().verticalScrollBar()->maximum(), v.max);
    EXPECT_EQ(View().verticalScrollBar()->value(), v.position);
    EXPECT_FALSE(Modified());  // zooming is a view, not a change
  }
  Paint();
  SaveShot(Main(), QStringLiteral("chart_wheel_zoomed"));
}

TEST_F(CVantrel40ViewTest, WheelScrollsOneLineStepPerNotchAndShiftScrollsTheValues) {
  chart::ApplyZoom(M(), {4.0, 4.0, 0.375, 0.375});
  View().FollowZoom();
  QScrollBar& h = *View().horizontalScrollBar();
  QScrollBar& v = *View().verticalScrollBar();
  const int hStart = h.value();
  const int vStart = v.value();
  const QPoint pointer = Surface().rect().center();
  Wheel(Surface(), pointer, -120);  // toward the user: later in time
  EXPECT_EQ(h.value(), hStart + 1);
  EXPECT_DOUBLE_EQ(M().GetXScroll(), chart::HorizontalScroll(4.0, h.value(), h.maximum()));
  Wheel(Surface(), pointer, 360);  // three notches back
  EXPECT_EQ(h.value(), hStart - 2);
  EXPECT_EQ(v.value(), vStart);
  Wheel(Surface(), pointer, -120, Qt::ShiftModifier);  // lower values
  EXPECT_EQ(v.value(), vStart + 1);
  EXPECT_DOUBLE_EQ(M().GetYScroll(), chart::VerticalScroll(4.0, v.value(), v.maximum()));
  Wheel(Surface(), pointer, -60, Qt::ShiftModifier);  // half a notch waits for the other half
  EXPECT_EQ(v.value(), vStart + 1);
  Wheel(Surface(), pointer, -60, Qt::ShiftModifier);
  EXPECT_EQ(v.value(), vStart + 2);
  EXPECT_EQ(M().GetXZoom(), 4.0);
  EXPECT_EQ(M().GetYZoom(), 4.0);
}

TEST_F(CVantrel40ViewTest, WheelZoomStopsAtTheWholeRangeAndPinchZoomsTheTimeAxis) {
  const QPoint pointer(Plot().left + Plot().Width() / 2, Plot().top + Plot().Height() / 2);
  Wheel(Surface(), pointer, -120 * 3, Qt::ControlModifier);
  EXPECT_EQ(M().GetXZoom(), 1.0);
  EXPECT_EQ(M().GetXScroll(), 0.0);
  EXPECT_EQ(View().horizontalScrollBar()->maximum(), 0);

  const chart::NormalizedPoint before = Under(M(), pointer);
  QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                            pointer, pointer, Surface().mapToGlobal(pointer), 0.5, QPointF());
  QApplication::sendEvent(&Surface(), &pinch);
  EXPECT_DOUBLE_EQ(M().GetXZoom(), 1.5);
  EXPECT_EQ(M().GetYZoom(), 1.0);
  EXPECT_NEAR(Under(M(), pointer).x, before.x, 1.0 / (Plot().Width() * 1.5));
  EXPECT_GT(View().horizontalScrollBar()->maximum(), 0);
}

TEST_F(CVantrel40ViewTest, CommandsThatCannotRunAreDisabled) {
  auto enabled = [this](int id) { return Main().IsCommandEnabled(id); };
  for (int id : {cmd::kCmdZoomBox, cmd::kCmdZoomReset, cmd::kCmdPrint, cmd::kCmdDeleteCurves,
                 cmd::kCmdTextPlace, cmd::kCmdValuesByInterval, ids::kCmdChartSetup,
                 ids::kCmdCopyChart, ids::kCmdExportCsv}) {
    EXPECT_TRUE(enabled(id)) << id;
  }
  // Texts and lines can be moved or deleted while there are any.
  for (int id : {cmd::kCmdTextMove, cmd::kCmdTextDelete, cmd::kCmdLineDelete})
    EXPECT_TRUE(enabled(id)) << id;
  while (M().GetTextCount() > 0) M().RemoveText(0);
  while (M().GetLineCount() > 0) M().RemoveLine(0);
  for (int id : {cmd::kCmdTextMove, cmd::kCmdTextDelete, cmd::kCmdLineDelete})
    EXPECT_FALSE(enabled(id)) << id;
  EXPECT_TRUE(enabled(cmd::kCmdLineDraw));
  M().SetOnlineActive(1);
  for (int id :
       {cmd::kCmdDeleteCurves, ids::kCmdImportCurve, ids::kCmdFormulaCurve, ids::kCmdUnits})
    EXPECT_FALSE(enabled(id)) << id;
  M().SetOnlineActive(0);
  EXPECT_TRUE(enabled(cmd::kCmdDeleteCurves));
}

/// A document of two curves of 700 000 samples each (built in the background when opened).
std::unique_ptr<model::CMessungObj> LongMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  model::CAchse* axis = m->AddYAxis();
  axis->SetMin(0.0F);
  axis->SetMax(200.0F);
  m->GetXAxis().SetMax(70.0F);
  for (int c = 0; c < 2; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetColor(c == 0 ? platform::MakeColor(220, 0, 0) : platform::MakeColor(0, 0, 220));
    curve->SetSampleInterval(0.0001);
    for (int i = 0; i < 700000; ++i) {
      const auto v = static_cast<float>(100.0 + 60.0 * std::sin(i * 1e-5 + c));
      curve->AddSample(v, v, v);
    }
  }
  return m;
}

gui::CVantrel40View& ViewOf(gui::OpenDocument& document) {
  return qobject_cast<gui::CChildFrame*>(document.FrameOf(document.Windows().front()))->View();
}

TEST_F(CVantrel40ViewTest, LongDocumentIsDrawnCompleteOnceItsSummariesAreBuilt) {
  gui::OpenDocument* document = Main().Documents().AddMeasurement(LongMeasurement());
  ASSERT_NE(document, nullptr);
  gui::CVantrel40View& view = ViewOf(*document);
  ASSERT_TRUE(WaitUntil([&view] { return !view.Painter().SummariesPending(); }));
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  view.RepaintNow();
  // Both curves are in the picture.
  const QImage& picture = view.Picture();
  const platform::Rect& plot = document->Measurement()->GetPlotRect();
  int red = 0;
  int blue = 0;
  for (int y = plot.top; y < plot.bottom; ++y) {
    const QColor color = picture.pixelColor((plot.left + plot.right) / 2, y);
    red += color == QColor(220, 0, 0) ? 1 : 0;
    blue += color == QColor(0, 0, 220) ? 1 : 0;
  }
  EXPECT_GE(red, 1);
  EXPECT_GE(blue, 1);
}

TEST_F(CVantrel40ViewTest, InputWhileSummariesAreBuiltWaitsForThem) {
  gui::OpenDocument* document = Main().Documents().AddMeasurement(LongMeasurement());
  ASSERT_NE(document, nullptr);
  gui::CVantrel40View& view = ViewOf(*document);
  QTest::keyClick(&view, Qt::Key_Shift);
  EXPECT_FALSE(view.Painter().SummariesPending());
  // A change of the samples afterwards is drawn from fresh summaries.
  document->Measurement()->GetCurve(0)->AddSample(5.0F, 5.0F, 5.0F);
  view.DocumentChanged();
  view.RepaintNow();
  EXPECT_FALSE(view.Painter().SummariesPending());
}

}  // namespace
}  // namespace vantrel::testing
