// The formula curve dialog driven through its widgets: the reference list, the insert
// buttons and their limits, typing and OK, the messages of failed checks and evaluations,
// the curve limit, the axis margin of the settings, and the chart command with the
// document's modified flag.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <cmath>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "formula/FormulaCurves.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/formula/CFormulaDlg.h"
#include "gui/formula/FormulaCommands.h"

namespace vantrel::testing {
namespace {

using gui::CFormulaDlg;

class FormulaDialogTest : public AppTest {
 protected:
  /// Shows the dialog and gives it the keyboard focus.
  static void Show(QDialog& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  static QLineEdit& Field(QWidget& dialog) {
    return *Control<QLineEdit>(dialog, CFormulaDlg::kFormulaEdit);
  }
  static void Click(QWidget& dialog, int id) {
    QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton);
  }
  /// Replaces the field's text by typing `text`.
  static void Type(QWidget& dialog, const QString& text) {
    Field(dialog).selectAll();
    QTest::keyClick(&Field(dialog), Qt::Key_Delete);
    QTest::keyClicks(&Field(dialog), text);
  }
};

TEST_F(FormulaDialogTest, ListsOneReferencePerCurveWithNothingChosen) {
  auto m = MeasurementOfCurves(3);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Formelkurve"));
  auto* list = Control<QComboBox>(dialog, CFormulaDlg::kReferenceList);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0), QStringLiteral("I1"));
  EXPECT_EQ(list->itemText(2), QStringLiteral("I3"));
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_EQ(QApplication::focusWidget(), &Field(dialog));
  for (int id : {1063, 1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071, 1073, 1074, 1088}) {
    EXPECT_NE(Control<QPushButton>(dialog, id), nullptr) << id;
  }
  QTest::keyClicks(&Field(dialog), QStringLiteral("(I1-I2)*I3"));
  SaveShot(dialog, QStringLiteral("formula_dialog"));
}

TEST_F(FormulaDialogTest, SineTemplateWithATypedReferenceCreatesTheCurve) {
  auto m = std::make_unique<model::CMessungObj>();
  AddCurve(*m, {{0.5F, 1.0F, 0.25F}, {1.5F, 2.0F, 0.0F}});
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  Click(dialog, 1067);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("sin( )"));
  EXPECT_EQ(Field(dialog).cursorPosition(), 6);
  EXPECT_EQ(QApplication::focusWidget(), &Field(dialog));
  QTest::keyClick(&Field(dialog), Qt::Key_Left);
  QTest::keyClick(&Field(dialog), Qt::Key_Left);
  QTest::keyClicks(&Field(dialog), QStringLiteral("I1"));
  QTest::keyClick(&Field(dialog), Qt::Key_Return);  // OK is the default button

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(m->GetCurveCount(), 2);
  EXPECT_EQ(dialog.AddedCurveIndex(), 1);
  const model::CKurveObj& curve = *m->GetCurve(1);
  EXPECT_EQ(curve.GetName(), u"sin(I1 )");
  EXPECT_EQ(curve.GetSourceText(), u"sin(I1 )");
  EXPECT_EQ(curve.GetOrigin(), model::kOriginComputed);
  EXPECT_EQ(curve.GetUnitCode(), model::kUnitCustom);
  EXPECT_EQ(curve.GetUnitText(), u"keine");
  EXPECT_EQ(curve.GetColor(), formula::kFormulaCurveColors[1]);
  ASSERT_EQ(curve.GetSampleCount(), 2);
  EXPECT_FLOAT_EQ(curve.GetSample(0)->minimum, std::sin(0.5F));
  EXPECT_FLOAT_EQ(curve.GetSample(1)->maximum, std::sin(2.0F));
  EXPECT_EQ(m->GetYAxisCount(), 2);
  EXPECT_EQ(curve.GetAxisIndex(), 1);
}

TEST_F(FormulaDialogTest, FieldTakesFiftyCharactersAndTemplatesGoInWholeOrNotAtAll) {
  auto m = MeasurementOfCurves(1);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  QTest::keyClicks(&Field(dialog), QString(60, QLatin1Char('1')));
  EXPECT_EQ(Field(dialog).text(), QString(50, QLatin1Char('1')));
  Click(dialog, 1063);
  EXPECT_EQ(Field(dialog).text().size(), 50);

  Type(dialog, QString(45, QLatin1Char('1')));
  Click(dialog, 1088);  // "log10( )" needs 8
  EXPECT_EQ(Field(dialog).text().size(), 45);
  Click(dialog, 1071);  // "sqrt( )" needs 7
  EXPECT_EQ(Field(dialog).text().size(), 45);
  Click(dialog, 1074);  // "( )" fits
  EXPECT_EQ(Field(dialog).text(), QString(45, QLatin1Char('1')) + QStringLiteral("( )"));
  EXPECT_EQ(QApplication::focusWidget(), &Field(dialog));
}

TEST_F(FormulaDialogTest, InsertButtonsReplaceTheSelectionAndCanBeUndone) {
  auto m = MeasurementOfCurves(2);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  QTest::keyClicks(&Field(dialog), QStringLiteral("I1+I2"));
  Field(dialog).setSelection(2, 1);  // the "+"
  Click(dialog, 1066);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1*I2"));
  struct Case {
    int button;
    const char* inserted;
  };
  for (const Case& c : {Case{1063, "+"}, Case{1064, "-"}, Case{1065, "/"}, Case{1069, "^"},
                        Case{1068, "cos( )"}, Case{1070, "tan( )"}, Case{1073, "logn( )"}}) {
    SCOPED_TRACE(c.inserted);
    Field(dialog).clear();
    Click(dialog, c.button);
    EXPECT_EQ(Field(dialog).text(), QString::fromLatin1(c.inserted));
  }
  Field(dialog).setText(QStringLiteral("I1+I2"));
  Field(dialog).setSelection(3, 2);
  Click(dialog, 1071);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1+sqrt( )"));
  QTest::keyClick(&Field(dialog), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1+I2"));
}

TEST_F(FormulaDialogTest, ChoosingTheTwelfthReferenceInsertsThreeCharacters) {
  auto m = MeasurementOfCurves(12);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  QTest::keyClicks(&Field(dialog), QStringLiteral("2*"));
  auto* list = Control<QComboBox>(dialog, CFormulaDlg::kReferenceList);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(list->currentIndex(), 11);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("2*I12"));
  EXPECT_EQ(QApplication::focusWidget(), &Field(dialog));
  // A full field takes no reference, and the focus stays in the list.
  Field(dialog).setText(QString(49, QLatin1Char('1')));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Home);
  EXPECT_EQ(Field(dialog).text().size(), 49);
  EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(FormulaDialogTest, ChoosingTheShownReferenceAgainInsertsNothing) {
  auto m = MeasurementOfCurves(3);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  auto* list = Control<QComboBox>(dialog, CFormulaDlg::kReferenceList);
  ChooseEntry(*list, 0);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1"));
  QSignalSpy picked(list, &QComboBox::activated);
  ChooseShownEntryAgain(*list);
  EXPECT_EQ(picked.count(), 1);  // the user did pick it
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1"));
  ChooseEntry(*list, 1);
  EXPECT_EQ(Field(dialog).text(), QStringLiteral("I1I2"));
}

TEST_F(FormulaDialogTest, FailedChecksKeepTheDialogOpenForACorrection) {
  auto m = std::make_unique<model::CMessungObj>();
  AddCurve(*m, {{1, 2, 0}, {3, 4, 0}}, 0.01);
  AddCurve(*m, {{5, 6, 0}}, 0.1);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  struct Case {
    const char* formula;
    int message;
  };
  for (const Case& c :
       {Case{"-I1", ids::kMsgFormulaInvalid}, Case{"", ids::kMsgFormulaInvalid},
        Case{"i1", ids::kMsgFormulaInvalid}, Case{"I3", ids::kMsgBadReference},
        Case{"I1+I2", ids::kMsgMixedIntervals}, Case{"sin(I1", ids::kMsgFormulaInvalid}}) {
    SCOPED_TRACE(c.formula);
    Type(dialog, QString::fromLatin1(c.formula));
    ModalScript script;
    script.ThenMessage();
    Click(dialog, 1);
    EXPECT_EQ(script.Pending(), 0U);
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_EQ(script.Messages().front(), Text(c.message));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m->GetCurveCount(), 2);
    EXPECT_EQ(m->GetYAxisCount(), 2);
    EXPECT_EQ(dialog.focusWidget(), &Field(dialog));
  }
  // The context filled at the start still serves the corrected formula.
  Type(dialog, QStringLiteral("(-I1)"));
  Click(dialog, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(m->GetCurveCount(), 3);
  EXPECT_FLOAT_EQ(m->GetCurve(2)->GetSample(1)->minimum, -3.0F);
}

TEST_F(FormulaDialogTest, FailedEvaluationsCloseTheDialogAndLeaveNoCurve) {
  struct Case {
    const char* formula;
    float sample;
    int message;
  };
  for (const Case& c : {Case{"I1/(I2-I2)", 1.0F, ids::kMsgDivisionByZero},
                        Case{"sqrt(I1)", -1.0F, ids::kMsgRootOfNegative},
                        Case{"logn(I1)", -1.0F, ids::kMsgLogOfNegative}}) {
    SCOPED_TRACE(c.formula);
    auto m = std::make_unique<model::CMessungObj>();
    AddCurve(*m, {{c.sample, c.sample, 0}});
    AddCurve(*m, {{2, 2, 0}});
    CFormulaDlg dialog(Context(), *m, false, &Frame());
    Show(dialog);
    QTest::keyClicks(&Field(dialog), QString::fromLatin1(c.formula));
    ModalScript script;
    script.ThenMessage();
    Click(dialog, 1);
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_EQ(script.Messages().front(), Text(c.message));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.AddedCurveIndex(), -1);
    EXPECT_EQ(m->GetCurveCount(), 2);
    EXPECT_EQ(m->GetYAxisCount(), 2);
  }
}

TEST_F(FormulaDialogTest, SixteenCurvesRefuseEveryNewFormulaCurve) {
  auto m = MeasurementOfCurves(16);
  CFormulaDlg dialog(Context(), *m, false, &Frame());
  Show(dialog);
  QTest::keyClicks(&Field(dialog), QStringLiteral("I1"));
  ModalScript script;
  script.ThenMessage();
  Click(dialog, 1);
  ASSERT_EQ(script.Messages().size(), 1);
  EXPECT_EQ(script.Messages().front(), Text(ids::kMsgTooManyCurves));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(m->GetCurveCount(), 16);
}

TEST_F(FormulaDialogTest, NewAxisTakesTheMarginOfTheScaleSetting) {
  for (int scaleMode : {0, 1}) {
    SCOPED_TRACE(scaleMode);
    Context().settings.SetScaleMode(scaleMode);
    auto m = std::make_unique<model::CMessungObj>();
    AddCurve(*m, {{0, 5, 0}, {3, 10, 0}});
    CFormulaDlg dialog(Context(), *m, false, &Frame());
    Show(dialog);
    QTest::keyClicks(&Field(dialog), QStringLiteral("I1"));
    Click(dialog, 1);
    ASSERT_EQ(m->GetYAxisCount(), 2);
    EXPECT_FLOAT_EQ(m->GetYAxis(1)->GetMin(), scaleMode == 1 ? -1.0F : 0.0F);
    EXPECT_FLOAT_EQ(m->GetYAxis(1)->GetMax(), scaleMode == 1 ? 11.0F : 10.0F);
  }
}

TEST_F(FormulaDialogTest, ChartCommandMarksTheDocumentModifiedOnlyWhenACurveWasAdded) {
  struct Case {
    const char* formula;  // null: cancel
    bool message;
    int curves;
    bool modified;
  };
  for (const Case& c : {Case{"I1*2", false, 3, true}, Case{nullptr, false, 2, false},
                        Case{"I1/(I2-I2)", true, 2, false}}) {
    SCOPED_TRACE(c.formula != nullptr ? c.formula : "cancel");
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(MeasurementOfCurves(2));
    ASSERT_EQ(Frame().Documents().ActiveDocument(), document);
    ASSERT_FALSE(document->Doc().IsModified());
    ModalScript script;
    script.Then([&c](QWidget& widget) {
      auto* dialog = qobject_cast<CFormulaDlg*>(&widget);
      if (dialog == nullptr) return false;
      if (c.formula == nullptr) {
        ClickLater(*dialog, 2);
      } else {
        QTest::keyClicks(&Field(*dialog), QString::fromLatin1(c.formula));
        ClickLater(*dialog, 1);
      }
      return true;
    });
    if (c.message) script.ThenMessage();
    Frame().ExecuteCommand(gui::kCmdFormulaCurve);
    EXPECT_EQ(script.Pending(), 0U);
    EXPECT_EQ(document->Measurement()->GetCurveCount(), c.curves);
    EXPECT_EQ(document->Doc().IsModified(), c.modified);
  }
}

TEST_F(FormulaDialogTest, ChartCommandDoesNothingWhileTheMeasurementIsRecorded) {
  gui::OpenDocument* document = Frame().Documents().AddMeasurement(MeasurementOfCurves(2));
  document->Measurement()->SetOnlineActive(1);
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget)) dialog->reject();
    return true;
  });
  Frame().ExecuteCommand(gui::kCmdFormulaCurve);
  EXPECT_EQ(script.Pending(), 1U);  // no dialog opened
  EXPECT_EQ(document->Measurement()->GetCurveCount(), 2);
  document->Measurement()->SetOnlineActive(0);
}

TEST_F(FormulaDialogTest, RecordingDialogAddsFormulaCurvesToTheRecordedMeasurement) {
  auto m = MeasurementOfCurves(2);
  m->SetOnlineActive(1);
  ModalScript script;
  script.Then([](QWidget& widget) {
    auto* dialog = qobject_cast<CFormulaDlg*>(&widget);
    if (dialog == nullptr) return false;
    QTest::keyClicks(&Field(*dialog), QStringLiteral("I1+I2"));
    ClickLater(*dialog, 1);
    return true;
  });
  EXPECT_TRUE(gui::ShowFormulaDialog(Context(), *m, true, nullptr));
  ASSERT_EQ(m->GetCurveCount(), 3);
  EXPECT_FLOAT_EQ(m->GetCurve(2)->GetSample(0)->maximum, 3.0F);  // 1 + 2
  m->SetOnlineActive(0);
}

}  // namespace
}  // namespace vantrel::testing
