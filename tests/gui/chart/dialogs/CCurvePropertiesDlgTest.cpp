// The curve properties dialog driven through its widgets: the value modes offered by the
// kind of recording, every field written on OK, an axis number outside the axes keeping
// the dialog open without a message, refused draw orders, the 40-character name and the
// colour that the colour dialog sets at once.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CCurvePropertiesDlg.h"

namespace vantrel::testing {
namespace {

using gui::CCurvePropertiesDlg;

class CurvePropertiesDialogTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    m_ = ChartMeasurement(2);
  }
  model::CKurveObj& Curve() { return *m_->GetCurve(0); }
  QLineEdit& Edit(QWidget& d, int id) { return *Control<QLineEdit>(d, id); }
  QComboBox& Modes(QWidget& d) {
    return *Control<QComboBox>(d, CCurvePropertiesDlg::kValueModeList);
  }

  std::unique_ptr<model::CMessungObj> m_;
};

TEST_F(CurvePropertiesDialogTest, OffersTheSingleValueOnlyForOnlineRecordings) {
  for (const int kind : {0, 1}) {
    Curve().SetRecordingKind(kind);
    CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
    ASSERT_EQ(Modes(dialog).count(), kind == 0 ? 5 : 4);
    EXPECT_EQ(Modes(dialog).itemText(3), QStringLiteral("Minimum/Maximum"));
    EXPECT_EQ(Modes(dialog).currentIndex(), model::kModeMean);
    if (kind == 0) {
      EXPECT_EQ(Modes(dialog).itemText(4), QStringLiteral("Wert"));
      dialog.show();
      SaveShot(dialog, QStringLiteral("curve_properties"));
    }
  }
}

TEST_F(CurvePropertiesDialogTest, OkWritesEveryFieldToTheCurve) {
  CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
  dialog.show();
  EXPECT_EQ(Edit(dialog, CCurvePropertiesDlg::kNameEdit).text(), QStringLiteral("Kanal 1"));
  EXPECT_EQ(Edit(dialog, CCurvePropertiesDlg::kAxisEdit).text(), QStringLiteral("1"));
  Retype(Edit(dialog, CCurvePropertiesDlg::kNameEdit), QStringLiteral("Druck P1"));
  ChooseEntry(Modes(dialog), model::kModeBar);
  Retype(Edit(dialog, CCurvePropertiesDlg::kAxisEdit), QStringLiteral("2"));
  Retype(Edit(dialog, CCurvePropertiesDlg::kDrawOrderEdit), QStringLiteral("16"));
  Retype(Edit(dialog, CCurvePropertiesDlg::kYOffsetEdit), QStringLiteral("-1.5"));
  Retype(Edit(dialog, CCurvePropertiesDlg::kXOffsetEdit), QStringLiteral("2.25"));
  QTest::mouseClick(Control<QCheckBox>(dialog, CCurvePropertiesDlg::kVisibleCheck), Qt::LeftButton);
  Control<QPushButton>(dialog, 1)->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Curve().GetName(), u"Druck P1");
  EXPECT_EQ(Curve().GetValueMode(), model::kModeBar);
  EXPECT_EQ(Curve().GetAxisIndex(), 1);
  EXPECT_EQ(Curve().GetDrawOrder(), 16);
  EXPECT_FLOAT_EQ(Curve().GetYOffset(), -1.5F);
  EXPECT_FLOAT_EQ(Curve().GetXOffset(), 2.25F);
  EXPECT_EQ(Curve().GetVisible(), 0);
}

TEST_F(CurvePropertiesDialogTest, AxisNumberOutsideTheAxesKeepsTheDialogOpenAndTheCurve) {
  for (const char* axis : {"0", "3", "9999"}) {
    SCOPED_TRACE(axis);
    CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
    dialog.show();
    Retype(Edit(dialog, CCurvePropertiesDlg::kNameEdit), QStringLiteral("Neu"));
    Retype(Edit(dialog, CCurvePropertiesDlg::kAxisEdit), QString::fromLatin1(axis));
    ModalScript script;
    script.ThenMessage();
    Control<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(script.Pending(), 1U);  // no message
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Curve().GetName(), u"Kanal 1");
    EXPECT_EQ(Curve().GetAxisIndex(), 0);
  }
}

TEST_F(CurvePropertiesDialogTest, RefusesDrawOrdersOutsideOneToSixteen) {
  struct Case {
    const char* text;
    QString message;
  };
  const QString range = QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen 1 und 16 ein.");
  for (const Case& c :
       {Case{"17", range}, Case{"0", range}, Case{"-1", Text(ids::kMsgNotAPositiveInteger)}}) {
    SCOPED_TRACE(c.text);
    CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
    dialog.show();
    Retype(Edit(dialog, CCurvePropertiesDlg::kDrawOrderEdit), QString::fromLatin1(c.text));
    QString shown;
    ModalScript script;
    script.ThenMessage(&shown);
    Control<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(shown, c.message);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Curve().GetDrawOrder(), 1);
  }
}

TEST_F(CurvePropertiesDialogTest, TakesAtMostFortyCharactersOfName) {
  CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
  dialog.show();
  Retype(Edit(dialog, CCurvePropertiesDlg::kNameEdit), QString(45, QLatin1Char('x')));
  Control<QPushButton>(dialog, 1)->click();
  EXPECT_EQ(Curve().GetName(), std::u16string(40, u'x'));
}

TEST_F(CurvePropertiesDialogTest, ColourDialogSetsTheColourAtOnceEvenWhenCancelled) {
  CCurvePropertiesDlg dialog(Curve(), 2, Texts(), '.', &Frame());
  dialog.show();
  QColor offered;
  ModalScript script;
  script.Then([&offered](QWidget& widget) {
    auto* colors = qobject_cast<QColorDialog*>(&widget);
    if (colors == nullptr) return false;
    offered = colors->currentColor();
    colors->setCurrentColor(QColor(0, 128, 0));
    QTimer::singleShot(0, colors, &QDialog::accept);
    return true;
  });
  QTest::mouseClick(Control<QPushButton>(dialog, CCurvePropertiesDlg::kColorButton),
                    Qt::LeftButton);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(offered, QColor(255, 0, 0));
  EXPECT_EQ(Curve().GetColor(), platform::MakeColor(0, 128, 0));
  EXPECT_TRUE(dialog.ColorChanged());
  dialog.reject();
  EXPECT_EQ(Curve().GetColor(), platform::MakeColor(0, 128, 0));
}

}  // namespace
}  // namespace vantrel::testing
