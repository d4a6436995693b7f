// The curve import dialog driven through its widgets and the file choice: the copy of a
// chosen curve with every field and sample and its own axis, the list entries, a cancelled
// or unreadable file, choosing another file, the curve limit with its message, the colour of
// the sixteenth curve, and the chart command with the document's modified flag.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QtTest/QTest>
#include <fstream>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "document/MeasurementArchive.h"
#include "formula/FormulaCurves.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/chart/dialogs/CImportDlg.h"
#include "gui/chart/dialogs/ChartDialogs.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using gui::CImportDlg;

/// A source file "Quelle" with a short first curve and a second one of 1000 samples whose
/// minima run from -500 and maxima up to 1998, with every recording and display field set.
fs::path WriteSource(const fs::path& path) {
  model::CMessungObj m;
  m.SetName(u"Quelle", 4);
  AddCurve(m, {{1, 2, 3}});
  model::CKurveObj* c = AddCurve(m, {}, 0.02, 9);
  for (int i = 0; i < 1000; ++i) c->AddSample(float(i - 500), float(2 * i), float(i));
  c->SetName(u"Druck P1");
  c->SetSensorRange(250.0F);
  c->SetStartTime(1000000);
  c->SetDuration(20);
  c->SetTriggerMode(2);
  c->SetTriggerChannel(3);
  c->SetTriggerLevel(12.5F);
  c->SetTriggerEdge(1);
  c->SetPretrigger(10.0F);
  c->SetSourceNumber(4);
  c->SetChannelNumber(2);
  c->SetRecordingKind(1);
  c->SetUnit(model::kUnitCustom, u"mbar");
  c->SetPeakValue(99.0F);
  c->SetValueMode(1);
  c->SetXOffset(0.5F);
  c->SetYOffset(-1.0F);
  c->SetFilterCutoff(3.5F);
  c->SetDrawOrder(5);
  c->SetTriggerInPercent(1);
  c->SetColor(0x123456);
  c->SetVisible(0);
  c->SetSourceText(u"alt");
  document::SaveDocumentFile(path, m, 0);
  return path;
}

class ImportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
    source_ = QString::fromStdString(WriteSource(folder_.Path() / "quelle.vqb").string());
  }
  gui::CMainFrame& Frame() { return app_->MainFrame(); }
  gui::AppContext& Context() { return Frame().Context(); }
  QString Text(int id) { return gui::ToQString(Context().texts.Text(id)); }

  static QComboBox& List(QWidget& dialog) {
    return *Control<QComboBox>(dialog, CImportDlg::kCurveList);
  }
  /// A step that drives the import dialog once it is on top.
  static ModalScript::Step OnDialog(std::function<void(CImportDlg&)> drive) {
    return [drive = std::move(drive)](QWidget& widget) {
      auto* dialog = qobject_cast<CImportDlg*>(&widget);
      if (dialog == nullptr) return false;
      drive(*dialog);
      return true;
    };
  }
  /// Chooses the second curve of the source and confirms.
  static void ChooseSecondAndConfirm(CImportDlg& dialog) {
    List(dialog).setFocus();
    QTest::keyClick(&List(dialog), Qt::Key_Down);
    ClickLater(dialog, 1);
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
  QString source_;
};

TEST_F(ImportDialogTest, CopiesTheChosenCurveWithItsSamplesFieldsAndOwnAxis) {
  for (int scaleMode : {0, 1}) {
    SCOPED_TRACE(scaleMode);
    Context().settings.SetScaleMode(scaleMode);
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(MeasurementOfCurves(2));
    ModalScript script;
    script.ThenFile(source_).Then(OnDialog([this](CImportDlg& dialog) {
      EXPECT_EQ(Control<QLineEdit>(dialog, CImportDlg::kPathEdit)->text(), source_);
      EXPECT_EQ(List(dialog).count(), 2);
      EXPECT_EQ(List(dialog).currentIndex(), 0);
      EXPECT_EQ(List(dialog).itemText(1), QStringLiteral("Nr.: 2  Druck P1"));
      SaveShot(dialog, QStringLiteral("import_dialog"));
      ChooseSecondAndConfirm(dialog);
    }));
    Frame().ExecuteCommand(gui::kCmdImportCurve);
    EXPECT_EQ(script.Pending(), 0U);

    const model::CMessungObj& m = *document->Measurement();
    ASSERT_EQ(m.GetCurveCount(), 3);
    const model::CKurveObj& c = *m.GetCurve(2);
    ASSERT_EQ(c.GetSampleCount(), 1000);
    EXPECT_EQ(c.GetSample(999)->minimum, 499.0F);
    EXPECT_EQ(c.GetSample(999)->maximum, 1998.0F);
    EXPECT_EQ(c.GetSample(999)->value, 999.0F);
    EXPECT_EQ(c.GetName(), u"Druck P1");
    EXPECT_EQ(c.GetSensorRange(), 250.0F);
    EXPECT_EQ(c.GetStartTime(), 1000000U);
    EXPECT_EQ(c.GetDuration(), 20);
    EXPECT_EQ(c.GetSampleInterval(), 0.02);
    EXPECT_EQ(c.GetTriggerMode(), 2);
    EXPECT_EQ(c.GetTriggerChannel(), 3);
    EXPECT_EQ(c.GetTriggerLevel(), 12.5F);
    EXPECT_EQ(c.GetTriggerEdge(), 1);
    EXPECT_EQ(c.GetPretrigger(), 10.0F);
    EXPECT_EQ(c.GetSourceNumber(), 4);
    EXPECT_EQ(c.GetChannelNumber(), 2);
    EXPECT_EQ(c.GetRecordingKind(), 1);
    EXPECT_EQ(c.GetUnitCode(), model::kUnitCustom);
    EXPECT_EQ(c.GetUnitText(), u"mbar");
    EXPECT_EQ(c.GetPeakValue(), 99.0F);
    EXPECT_EQ(c.GetValueMode(), 1);
    EXPECT_EQ(c.GetXOffset(), 0.5F);
    EXPECT_EQ(c.GetYOffset(), -1.0F);
    EXPECT_EQ(c.GetFilterCutoff(), 3.5F);
    EXPECT_EQ(c.GetDrawOrder(), 5);
    EXPECT_EQ(c.GetTriggerInPercent(), 1);
    EXPECT_EQ(c.GetOrigin(), model::kOriginImported);
    EXPECT_EQ(c.GetSourceText(), u"Quelle");
    EXPECT_EQ(c.GetVisible(), 1);
    EXPECT_EQ(c.GetColor(), formula::kFormulaCurveColors[3]);  // curve count after the copy
    ASSERT_EQ(m.GetYAxisCount(), 3);
    EXPECT_EQ(c.GetAxisIndex(), 2);
    const model::CAchse& axis = *m.GetYAxis(2);
    EXPECT_FLOAT_EQ(axis.GetMin(), scaleMode == 1 ? -749.8F : -500.0F);
    EXPECT_FLOAT_EQ(axis.GetMax(), scaleMode == 1 ? 2247.8F : 1998.0F);
    std::u16string unit;
    EXPECT_EQ(axis.GetUnit(&unit), model::kUnitCustom);
    EXPECT_EQ(unit, u"mbar");
    EXPECT_TRUE(document->Doc().IsModified());
  }
}

TEST_F(ImportDialogTest, CancellingTheFileChoiceLeavesAnEmptyListAndOkChangesNothing) {
  gui::OpenDocument* document = Frame().Documents().AddMeasurement(MeasurementOfCurves(2));
  ModalScript script;
  script.ThenFile(QString()).Then(OnDialog([](CImportDlg& dialog) {
    EXPECT_TRUE(Control<QLineEdit>(dialog, CImportDlg::kPathEdit)->text().isEmpty());
    EXPECT_EQ(List(dialog).count(), 0);
    ClickLater(dialog, 1);
  }));
  Frame().ExecuteCommand(gui::kCmdImportCurve);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(document->Measurement()->GetCurveCount(), 2);
  EXPECT_FALSE(document->Doc().IsModified());
}

TEST_F(ImportDialogTest, CancelAfterChoosingACurveChangesNothing) {
  gui::OpenDocument* document = Frame().Documents().AddMeasurement(MeasurementOfCurves(2));
  ModalScript script;
  script.ThenFile(source_).Then(OnDialog([](CImportDlg& dialog) {
    EXPECT_NE(dialog.SideMeasurement(), nullptr);
    QTest::keyClick(&List(dialog), Qt::Key_Down);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  }));
  Frame().ExecuteCommand(gui::kCmdImportCurve);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(document->Measurement()->GetCurveCount(), 2);
  EXPECT_EQ(document->Measurement()->GetYAxisCount(), 2);
  EXPECT_FALSE(document->Doc().IsModified());
}

TEST_F(ImportDialogTest, AnUnreadableFileIsReportedAndListsNothing) {
  const fs::path bad = folder_.Path() / "kaputt.vqb";
  std::ofstream(bad) << "no archive";
  auto target = MeasurementOfCurves(2);
  CImportDlg dialog(Context(), *target, &Frame());
  ModalScript script;
  script.ThenFile(QString::fromStdString(bad.string()))
      .ThenMessage()
      .Then(OnDialog([](CImportDlg& d) {
        EXPECT_EQ(List(d).count(), 0);
        EXPECT_EQ(d.SideMeasurement(), nullptr);
        ClickLater(d, 1);
      }));
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(script.Pending(), 0U);
  ASSERT_EQ(script.Messages().size(), 1);
  EXPECT_EQ(script.Messages().front(), Text(ids::kMsgUnexpectedFileFormat));
  EXPECT_EQ(dialog.AddedCurveIndex(), -1);
  EXPECT_EQ(target->GetCurveCount(), 2);
}

TEST_F(ImportDialogTest, BrowsingAgainListsTheCurvesOfTheOtherFile) {
  model::CMessungObj other;
  other.SetName(u"Andere", 2);
  AddCurve(other, {{7, 8, 9}})->SetName(u"Temperatur");
  const fs::path otherPath = folder_.Path() / "andere.vqa";
  document::SaveDocumentFile(otherPath, other, 0);
  auto target = MeasurementOfCurves(1);
  CImportDlg dialog(Context(), *target, &Frame());
  ModalScript script;
  script.ThenFile(source_)
      .Then(OnDialog([](CImportDlg& d) {
        EXPECT_EQ(List(d).count(), 2);
        ClickLater(d, CImportDlg::kBrowseButton);
      }))
      .ThenFile(QString::fromStdString(otherPath.string()))
      .Then(OnDialog([](CImportDlg& d) {
        ASSERT_EQ(List(d).count(), 1);
        EXPECT_EQ(List(d).itemText(0), QStringLiteral("Nr.: 1  Temperatur"));
        ClickLater(d, 1);
      }));
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(script.Pending(), 0U);
  ASSERT_EQ(target->GetCurveCount(), 2);
  EXPECT_EQ(target->GetCurve(1)->GetSourceText(), u"Andere");
  EXPECT_EQ(target->GetCurve(1)->GetSample(0)->value, 9.0F);
}

TEST_F(ImportDialogTest, SixteenCurvesRefuseTheCopyAndKeepTheDialogOpen) {
  auto target = MeasurementOfCurves(16);
  CImportDlg dialog(Context(), *target, &Frame());
  bool openAfterMessage = false;
  ModalScript script;
  script.ThenFile(source_)
      .Then(OnDialog([](CImportDlg& d) { ClickLater(d, 1); }))
      .ThenMessage()
      .Then(OnDialog([&openAfterMessage](CImportDlg& d) {
        openAfterMessage = d.isVisible() && d.SideMeasurement() != nullptr;
        ClickLater(d, 2);
      }));
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(script.Pending(), 0U);
  ASSERT_EQ(script.Messages().size(), 1);
  EXPECT_EQ(script.Messages().front(), Text(ids::kMsgTooManyCurves));
  EXPECT_TRUE(openAfterMessage);
  EXPECT_EQ(target->GetCurveCount(), 16);
  EXPECT_EQ(dialog.SideMeasurement(), nullptr);  // destroyed on cancel
}

TEST_F(ImportDialogTest, TheSixteenthCurveTakesAColourOfTheTable) {
  struct Case {
    int curvesBefore;
    platform::Color color;
  };
  for (const Case& c :
       {Case{14, formula::kFormulaCurveColors[15]}, Case{15, formula::kFormulaCurveColors[0]}}) {
    SCOPED_TRACE(c.curvesBefore);
    auto target = MeasurementOfCurves(c.curvesBefore);
    CImportDlg dialog(Context(), *target, &Frame());
    ModalScript script;
    script.ThenFile(source_).Then(OnDialog([](CImportDlg& d) { ClickLater(d, 1); }));
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_EQ(target->GetCurveCount(), c.curvesBefore + 1);
    EXPECT_EQ(target->GetCurve(c.curvesBefore)->GetColor(), c.color);
  }
}

}  // namespace
}  // namespace vantrel::testing
