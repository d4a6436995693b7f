// The axis properties dialog driven through its widgets: the unit list and a free unit,
// the refused unit text of 11 characters (61449), refused ranges and numbers, the units
// stored by choosing an entry or typing a text, and Cancel.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CAxisDlg.h"

namespace vantrel::testing {
namespace {

using gui::CAxisDlg;

class AxisDialogTest : public AppTest {
 protected:
  model::CAchse Axis(int code, const std::u16string& text) {
    model::CAchse axis;
    axis.SetMin(0.0F);
    axis.SetMax(10.0F);
    axis.SetDivisions(4);
    axis.SetUnit(code, text);
    return axis;
  }
  QComboBox& Unit(QWidget& d) { return *Control<QComboBox>(d, CAxisDlg::kUnitCombo); }
  QLineEdit& Edit(QWidget& d, int id) { return *Control<QLineEdit>(d, id); }
  QPushButton& Ok(QWidget& d) { return *Control<QPushButton>(d, 1); }
};

TEST_F(AxisDialogTest, ShowsTheAxisRangeDivisionsAndUnit) {
  model::CAchse axis = Axis(model::kUnitBar, {});
  CAxisDlg dialog(axis, Texts(), Context().messages, '.', &Frame());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Achseneigenschaften"));
  ASSERT_EQ(Unit(dialog).count(), 9);
  EXPECT_EQ(Unit(dialog).itemText(0), QStringLiteral("RPM"));
  EXPECT_EQ(Unit(dialog).itemText(8), QStringLiteral("l/min"));
  EXPECT_EQ(Unit(dialog).currentText(), QStringLiteral("bar"));
  EXPECT_EQ(Edit(dialog, CAxisDlg::kMinimumEdit).text(), QStringLiteral("0"));
  EXPECT_EQ(Edit(dialog, CAxisDlg::kMaximumEdit).text(), QStringLiteral("10"));
  EXPECT_EQ(Edit(dialog, CAxisDlg::kDivisionsEdit).text(), QStringLiteral("4"));
  SaveShot(dialog, QStringLiteral("axis"));

  model::CAchse custom = Axis(model::kUnitCustom, u"Nm");
  CAxisDlg customDialog(custom, Texts(), Context().messages, '.', &Frame());
  ASSERT_EQ(Unit(customDialog).count(), 10);
  EXPECT_EQ(Unit(customDialog).currentIndex(), 9);
  EXPECT_EQ(Unit(customDialog).currentText(), QStringLiteral("Nm"));
}

TEST_F(AxisDialogTest, RefusesAUnitTextOfElevenCharactersAndKeepsTheAxis) {
  model::CAchse axis = Axis(model::kUnitBar, {});
  CAxisDlg dialog(axis, Texts(), Context().messages, '.', &Frame());
  dialog.show();
  Retype(*Unit(dialog).lineEdit(), QStringLiteral("Newtonmeter"));
  Retype(Edit(dialog, CAxisDlg::kMaximumEdit), QStringLiteral("50"));
  QString shown;
  ModalScript script;
  script.ThenMessage(&shown);
  Ok(dialog).click();
  EXPECT_EQ(shown, Text(ids::kMsgUnitTooLong));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(axis.RawUnitCode(), model::kUnitBar);
  EXPECT_FLOAT_EQ(axis.GetMax(), 10.0F);

  Retype(*Unit(dialog).lineEdit(), QStringLiteral("Newtonmete"));  // ten characters
  Ok(dialog).click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(axis.RawUnitCode(), model::kUnitCustom);
  EXPECT_EQ(axis.RawUnitText(), u"Newtonmete");
  EXPECT_FLOAT_EQ(axis.GetMax(), 50.0F);
}

TEST_F(AxisDialogTest, RefusesDivisionsOutsideZeroToThousandAndTextsThatAreNoNumbers) {
  struct Case {
    int field;
    const char* text;
    QString message;
  };
  const QString range = QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen 0 und 1000 ein.");
  const Case cases[] = {{CAxisDlg::kDivisionsEdit, "1001", range},
                        {CAxisDlg::kDivisionsEdit, "-1", range},
                        {CAxisDlg::kDivisionsEdit, "vier", Text(ids::kMsgNotAnInteger)},
                        {CAxisDlg::kMinimumEdit, "null", Text(ids::kMsgNotANumber)},
                        {CAxisDlg::kMaximumEdit, "1,5", Text(ids::kMsgNotANumber)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    model::CAchse axis = Axis(model::kUnitBar, {});
    CAxisDlg dialog(axis, Texts(), Context().messages, '.', &Frame());
    dialog.show();
    Retype(Edit(dialog, c.field), QString::fromLatin1(c.text));
    QString shown;
    ModalScript script;
    script.ThenMessage(&shown);
    Ok(dialog).click();
    EXPECT_EQ(shown, c.message);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(axis.GetDivisions(), 4);
    EXPECT_FLOAT_EQ(axis.GetMin(), 0.0F);
  }
  for (const char* divisions : {"0", "1000"}) {
    model::CAchse axis = Axis(model::kUnitBar, {});
    CAxisDlg dialog(axis, Texts(), Context().messages, '.', &Frame());
    dialog.show();
    Retype(Edit(dialog, CAxisDlg::kDivisionsEdit), QString::fromLatin1(divisions));
    Ok(dialog).click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(axis.GetDivisions(), QString::fromLatin1(divisions).toInt());
  }
}

TEST_F(AxisDialogTest, StoresTheCodeOfAChosenEntryAndAFreeTextForATypedOne) {
  struct Case {
    int code;
    std::u16string text;
    int choose;         // entry to choose with the keys, or -1
    const char* typed;  // text to type, or null
    int expectedCode;
    std::u16string expectedText;
  };
  const Case cases[] = {
      {model::kUnitCustom, u"Nm", 8, nullptr, model::kUnitLPerMin, u"Nm"},  // text kept
      {model::kUnitBar, {}, 3, nullptr, model::kUnitPsi, {}},
      {model::kUnitPsi, {}, -1, "bar", model::kUnitBar, {}},  // typed like an entry
      {model::kUnitBar, {}, -1, "kN", model::kUnitCustom, u"kN"},
      {model::kUnitCustom, u"Nm", -1, nullptr, model::kUnitCustom, u"Nm"},  // kept as it was
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expectedCode);
    model::CAchse axis = Axis(c.code, c.text);
    CAxisDlg dialog(axis, Texts(), Context().messages, '.', &Frame());
    dialog.show();
    if (c.choose >= 0) ChooseEntry(Unit(dialog), c.choose);
    if (c.typed != nullptr) Retype(*Unit(dialog).lineEdit(), QString::fromLatin1(c.typed));
    Ok(dialog).click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(axis.RawUnitCode(), c.expectedCode);
    EXPECT_EQ(axis.RawUnitText(), c.expectedText);
  }
}

TEST_F(AxisDialogTest, ReadsNumbersWithTheUsersSeparatorAndCancelChangesNothing) {
  model::CAchse axis = Axis(model::kUnitBar, {});
  {
    CAxisDlg dialog(axis, Texts(), Context().messages, ',', &Frame());
    dialog.show();
    Retype(Edit(dialog, CAxisDlg::kMinimumEdit), QStringLiteral("-2,5"));
    Retype(Edit(dialog, CAxisDlg::kDivisionsEdit), QStringLiteral("9"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FLOAT_EQ(axis.GetMin(), 0.0F);
    EXPECT_EQ(axis.GetDivisions(), 4);
  }
  CAxisDlg dialog(axis, Texts(), Context().messages, ',', &Frame());
  dialog.show();
  Retype(Edit(dialog, CAxisDlg::kMinimumEdit), QStringLiteral("-2,5"));
  QTest::keyClick(&Edit(dialog, CAxisDlg::kMinimumEdit), Qt::Key_Return);  // the default button
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FLOAT_EQ(axis.GetMin(), -2.5F);
}

}  // namespace
}  // namespace vantrel::testing
