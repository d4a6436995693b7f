// The curve selection dialog driven through its widgets: rows, columns and swatches, rows
// chosen by clicks (in any order) confirmed with OK or a double click, Escape cancels.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest/QTest>

#include "TablesTestData.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/tables/CurveSelectionDialog.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

class CurveSelectionDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
  }
  const app::BrandedTexts& Texts() { return app_->MainFrame().Context().texts; }
  static void Click(QTableView& list, int row, Qt::KeyboardModifiers modifiers) {
    const QRect cell = list.visualRect(list.model()->index(row, 1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, cell.center());
  }
  static QPushButton* OkButton(QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->isDefault()) return button;
    }
    return nullptr;
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

TEST_F(CurveSelectionDialogTest, ListsEveryCurveWithSwatchNamePlottedValueAndFilter) {
  auto m = SmallMeasurement();
  m->GetCurve(1)->SetFilterCutoff(2.5F);
  gui::CurveSelectionDialog dialog(*m, Texts(), gui::UserTextConventions(), &app_->MainFrame());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kurven auswählen"));
  const QAbstractItemModel& model = *dialog.List().model();
  ASSERT_EQ(model.columnCount(), 4);
  EXPECT_EQ(Title(model, 3), QStringLiteral("Filter"));
  ASSERT_EQ(model.rowCount(), 3);
  EXPECT_EQ(Cell(model, 1, 0), QStringLiteral("2"));
  EXPECT_EQ(Cell(model, 1, 1), QStringLiteral("Durchfluss"));
  EXPECT_EQ(Cell(model, 1, 2), QStringLiteral("Minimum/Maximum"));
  EXPECT_EQ(Cell(model, 1, 3), QStringLiteral("2.500000 Hz"));
  EXPECT_EQ(Cell(model, 0, 3), QString());
  const auto swatch =
      model.data(model.index(1, 0), Qt::DecorationRole).value<QIcon>().pixmap(20, 10);
  EXPECT_EQ(swatch.toImage().pixelColor(18, 5), QColor(Qt::blue));
  EXPECT_EQ(dialog.List().iconSize(), QSize(20, 10));
  // The label's mnemonic leads to the list.
  auto* label = dialog.findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("&Kurven:"));
  EXPECT_EQ(label->buddy(), &dialog.List());
  SaveShot(dialog, QStringLiteral("tables_curve_selection"));
}

TEST_F(CurveSelectionDialogTest, ClickedRowsBecomeTheSelectionInListOrder) {
  auto m = SmallMeasurement();
  gui::CurveSelectionDialog dialog(*m, Texts(), gui::UserTextConventions(), &app_->MainFrame());
  dialog.show();
  Click(dialog.List(), 2, Qt::NoModifier);
  Click(dialog.List(), 0, Qt::ControlModifier);
  SaveShot(dialog, QStringLiteral("tables_curve_selection_chosen"));
  QPushButton* ok = OkButton(dialog);
  ASSERT_NE(ok, nullptr);
  ok->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Selection(), std::vector<int>({0, 2}));
}

TEST_F(CurveSelectionDialogTest, DoubleClickConfirmsAndEscapeCancels) {
  auto m = SmallMeasurement();
  {
    gui::CurveSelectionDialog dialog(*m, Texts(), gui::UserTextConventions(), &app_->MainFrame());
    dialog.show();
    QTableView& list = dialog.List();
    const QPoint centre = list.visualRect(list.model()->index(1, 1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Selection(), std::vector<int>({1}));
  }
  ModalScript modals;
  modals.ThenAnswer([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(gui::AskCurveSelection(&app_->MainFrame(), app_->MainFrame().Context(), *m),
            std::nullopt);
}

TEST_F(CurveSelectionDialogTest, KeepsAtMostSixteenCurves) {
  auto m = std::make_unique<model::CMessungObj>();
  m->AddYAxis();
  for (int i = 0; i < model::kMaxCurves; ++i) m->AddCurve()->SetName(u"K");
  gui::CurveSelectionDialog dialog(*m, Texts(), gui::UserTextConventions(), &app_->MainFrame());
  dialog.show();
  dialog.List().selectAll();
  dialog.accept();
  ASSERT_EQ(dialog.Selection().size(), 16U);
  EXPECT_EQ(dialog.Selection().front(), 0);
  EXPECT_EQ(dialog.Selection().back(), 15);
  SaveShot(dialog, QStringLiteral("tables_curve_selection_sixteen"));
}

}  // namespace
}  // namespace vantrel::testing
