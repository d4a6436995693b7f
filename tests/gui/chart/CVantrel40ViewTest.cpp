// The chart view: drawing and its first paint, the refresh timer, the rectangle zoom and the
// scroll bars with real mouse events, the annotation modes, the keyboard cursor keys and
// every other command of the view with its effect on the document's modified flag.
#include <QCursor>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>

#include "ChartWindowFixture.h"
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
  View().HandleCommand(cmd::kZoomBox);
  Press(QPoint(plot.left - 5, plot.top + 5));
  EXPECT_FALSE(View().Interaction().ZoomDragging());
  Release(QPoint(plot.left - 5, plot.top + 5));

  View().HandleCommand(cmd::kZoomBox);
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
  View().HandleCommand(cmd::kZoomBox);
  Press(QPoint(Plot().left, Plot().top));
  Move(QPoint(Plot().left + Plot().Width() / 2, Plot().bottom));
  Release(QPoint(Plot().left + Plot().Width() / 2, Plot().bottom));
  EXPECT_DOUBLE_EQ(M().GetXZoom(), 4.0);
  EXPECT_DOUBLE_EQ(M().GetYZoom(), 2.0);  // the full height keeps the y zoom
  EXPECT_DOUBLE_EQ(M().GetXScroll(), 0.25);

  View().HandleCommand(cmd::kZoomReset);
  EXPECT_EQ(chart::ZoomOf(M()), chart::ZoomState{});
  EXPECT_EQ(horizontal.maximum(), 0);
  EXPECT_EQ(vertical.maximum(), 0);
  EXPECT_FALSE(Modified());
}

TEST_F(CVantrel40ViewTest, ZoomRectangleWithoutAreaLeavesTheZoom) {
  View().HandleCommand(cmd::kZoomBox);
  const QPoint p = At(0.5, 0.5);
  Press(p);
  Move(QPoint(p.x() + 40, p.y()));
  Release(QPoint(p.x() + 40, p.y()));
  EXPECT_EQ(chart::ZoomOf(M()), chart::ZoomState{});
  EXPECT_FALSE(View().Interaction().ZoomArmed());
}

TEST_F(CVantrel40ViewTest, PlacingATextShowsItsOutlineAndAddsItAtTheOutline) {
  EnterText(modals_, QStringLiteral("Pumpe an"), QStringLiteral("14"));
  View().HandleCommand(cmd::kTextPlace);
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
  View().HandleCommand(cmd::kLineDraw);
  modals_.ThenAnswer([](QWidget& dialog) { qobject_cast<QDialog*>(&dialog)->reject(); });
  View().HandleCommand(cmd::kTextPlace);
  EXPECT_FALSE(View().Interaction().PlaceTextMode());
  EXPECT_FALSE(View().Interaction().DrawLineMode());
}

TEST_F(CVantrel40ViewTest, MovingATextDragsItToTheReleasePoint) {
  View().HandleCommand(cmd::kTextMove);
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
  View().HandleCommand(cmd::kTextDelete);
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

  View().HandleCommand(cmd::kTextDelete);
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
    View().HandleCommand(cmd::kLineDraw);
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
  View().HandleCommand(cmd::kLineDraw);
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
  View().HandleCommand(cmd::kLineDelete);
  const QPoint middle = At(0.65, 0.35);
  Move(middle);
  ASSERT_EQ(View().Interaction().HotLine(), 0);
  AnswerMessage(QMessageBox::Ok);
  Press(middle);
  EXPECT_EQ(M().GetLineCount(), 0);
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, AnnotationModesExcludeEachOther) {
  View().HandleCommand(cmd::kLineDraw);
  View().HandleCommand(cmd::kTextDelete);
  EXPECT_FALSE(View().Interaction().DrawLineMode());
  EXPECT_TRUE(View().Interaction().DeleteTextMode());
  View().HandleCommand(cmd::kZoomBox);
  EXPECT_TRUE(View().Interaction().DeleteTextMode());  // the zoom is independent
  View().HandleCommand(cmd::kTextMove);
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
      {"line draw, then text move", {cmd::kLineDraw, cmd::kTextMove}, Qt::ArrowCursor},
      {"line draw, then text delete", {cmd::kLineDraw, cmd::kTextDelete}, Qt::ArrowCursor},
      {"line draw, then line delete", {cmd::kLineDraw, cmd::kLineDelete}, Qt::ArrowCursor},
      {"zoom, then zoom reset", {cmd::kZoomBox, cmd::kZoomReset}, Qt::ArrowCursor},
      {"line draw, then zoom reset", {cmd::kLineDraw, cmd::kZoomReset}, Qt::SizeAllCursor},
      {"zoom and line draw, then text move",
       {cmd::kZoomBox, cmd::kLineDraw, cmd::kTextMove},
       Qt::SizeAllCursor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    View().Interaction().ClearAnnotationModes();
    View().HandleCommand(cmd::kZoomReset);
    ASSERT_EQ(Surface().cursor().shape(), Qt::ArrowCursor);
    for (int command : c.commands) View().HandleCommand(command);
    EXPECT_EQ(Surface().cursor().shape(), c.cursor);
  }
  // The text placement ends the line mode before its dialog, also when that is cancelled.
  View().HandleCommand(cmd::kZoomReset);
  View().HandleCommand(cmd::kLineDraw);
  ASSERT_EQ(Surface().cursor().shape(), Qt::SizeAllCursor);
  modals_.ThenAnswer([](QWidget& widget) { widget.close(); });
  View().HandleCommand(cmd::kTextPlace);
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
    Main().ExecuteCommand(cmd::kTitleText);
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
  View().HandleCommand(cmd::kZoomBox);
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
  EXPECT_TRUE(checked(cmd::kTitleToggle));
  Main().ExecuteCommand(cmd::kTitleToggle);
  EXPECT_EQ(M().GetTitleVisible(), 0);
  EXPECT_FALSE(checked(cmd::kTitleToggle));
  EXPECT_FALSE(Modified());

  EXPECT_FALSE(checked(cmd::kLegendToggle));
  Main().ExecuteCommand(cmd::kLegendToggle);
  EXPECT_TRUE(gui::IsLegendShown(Document()));
  EXPECT_TRUE(checked(cmd::kLegendToggle));
  Main().ExecuteCommand(cmd::kLegendToggle);
  EXPECT_FALSE(gui::IsLegendShown(Document()));
}

TEST_F(CVantrel40ViewTest, DeletingCurvesAsksOnceAndRemovesTheLaterPositionFirst) {
  QString asked;
  AnswerInOrder({CurveChoice({0, 2}), MessageAnswer(QMessageBox::Ok, &asked)});
  View().HandleCommand(cmd::kDeleteCurves);
  EXPECT_EQ(asked, QStringLiteral("Sollen 2 Kurve(n) gelöscht werden?"));
  ASSERT_EQ(M().GetCurveCount(), 1);
  EXPECT_EQ(M().GetCurve(0)->GetName(), u"Steuerdruck");
  EXPECT_TRUE(Modified());
}

TEST_F(CVantrel40ViewTest, CurvesStayWhenTheDeletionIsDeclinedOrARecordingRuns) {
  AnswerInOrder({CurveChoice({1}), MessageAnswer(QMessageBox::Cancel)});
  View().HandleCommand(cmd::kDeleteCurves);
  EXPECT_EQ(M().GetCurveCount(), 3);
  EXPECT_FALSE(Modified());
  M().SetOnlineActive(1);
  View().HandleCommand(cmd::kDeleteCurves);  // asks nothing: no dialog to answer
  EXPECT_EQ(M().GetCurveCount(), 3);
  M().SetOnlineActive(0);
}

TEST_F(CVantrel40ViewTest, ValueCommandsOpenTheirListWindows) {
  View().HandleCommand(cmd::kValuesAll);
  EXPECT_EQ(Document().Windows().size(), 2U);
  ChooseCurves(modals_, {0, 2});
  View().HandleCommand(cmd::kValuesByInterval);
  EXPECT_EQ(Document().Windows().size(), 3U);  // both curves sample every 0.1 s
  ChooseCurves(modals_, {1});
  View().HandleCommand(cmd::kValuesSelected);
  EXPECT_EQ(Document().Windows().size(), 4U);
  EXPECT_FALSE(Modified());
}

TEST_F(CVantrel40ViewTest, DialogCommandsOfColleaguesAreLeftToTheMainFrame) {
  for (int id : {32779, 32781, 32782, 32783, 32784, 32786, 32792, 32799, 57603}) {
    EXPECT_FALSE(Frame().HandleCommand(id)) << id;
  }
}

}  // namespace
}  // namespace vantrel::testing
