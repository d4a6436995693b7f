#include "gui/instrument/COnlineDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QVBoxLayout>

#include "gui/chart/dialogs/ChartDialogs.h"
#include "gui/formula/CFormulaDlg.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {
namespace {

QString RecordingTime(qint64 milliseconds) {
  const qint64 seconds = milliseconds / 1000;
  return QStringLiteral("%1:%2:%3")
      .arg(seconds / 3600)
      .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

/// The label of a form row from a status text "Label: %d".
QString RowLabel(const QString& text) {
  const qsizetype at = text.indexOf(QLatin1Char('%'));
  QString label = (at < 0 ? text : text.left(at)).trimmed();
  if (!label.endsWith(QLatin1Char(':'))) label += QLatin1Char(':');
  return label;
}

}  // namespace

COnlineDlg::COnlineDlg(AppContext& context, InstrumentAccess& instrument, int variant,
                       QWidget* parent)
    : QDialog(parent), context_(context), instrument_(instrument), variant_(variant) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));

  state_ = new QLabel(TextOf(texts, ids::kStrRecordingRunning), this);
  state_->setObjectName(QStringLiteral("onlineState"));
  QFont bold = state_->font();
  bold.setBold(true);
  state_->setFont(bold);
  sampleSets_ = new QLabel(this);
  sampleSets_->setObjectName(QStringLiteral("onlineSampleSets"));
  recordingTime_ = new QLabel(this);
  recordingTime_->setObjectName(QStringLiteral("onlineRecordingTime"));
  for (QLabel* value : {sampleSets_, recordingTime_}) {
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(90);
  }
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(RowLabel(TextOf(texts, ids::kStrSampleSets)), sampleSets_);
  form->addRow(RowLabel(TextOf(texts, ids::kStrRecordingTime)), recordingTime_);

  auto* formula = new QPushButton(ControlLabel(texts, kTemplate, kFormulaButton), this);
  formula->setObjectName(QStringLiteral("control%1").arg(kFormulaButton));
  // Formula curves of the running recording: the update pass extends them as samples arrive.
  formula->setEnabled(false);
  connect(formula, &QPushButton::clicked, this, [this] {
    if (measurement_ != nullptr) ShowFormulaDialog(context_, *measurement_, true, this);
  });
  formulaButton_ = formula;
  auto* chartSetup = new QPushButton(ControlLabel(texts, kTemplate, kChartSetupButton), this);
  chartSetup->setObjectName(QStringLiteral("control%1").arg(kChartSetupButton));
  chartSetup->setEnabled(false);
  connect(chartSetup, &QPushButton::clicked, this, [this] {
    if (measurement_ != nullptr) RunChartSetup(this, context_, *measurement_);
  });
  chartSetupButton_ = chartSetup;
  auto* tools = new QHBoxLayout;
  tools->addWidget(formula);
  tools->addWidget(chartSetup);
  tools->addStretch(1);

  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(state_);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addLayout(tools);
  layout->addStretch(1);
  layout->addWidget(buttons);
  setLayout(layout);
  setMinimumWidth(360);

  clock_.setInterval(500);
  connect(&clock_, &QTimer::timeout, this, [this] { ShowStatus(); });
  connect(&instrument_.Online(), &OnlineSession::SamplesArrived, this, [this] { ShowStatus(); });
  connect(&instrument_.Online(), &OnlineSession::Ended, this, [this] { ShowStatus(); });
  ShowStatus();
}

COnlineDlg::~COnlineDlg() { DiscardRecording(); }

bool COnlineDlg::Start() {
  QMessageBox prompt(QMessageBox::Information, TextOf(context_.texts, ids::kStrOnlineMeasurement),
                     TextOf(context_.texts, ids::kStrConnectPrompt),
                     QMessageBox::Ok | QMessageBox::Cancel, parentWidget());
  prompt.setDefaultButton(QMessageBox::Ok);
  if (prompt.exec() != QMessageBox::Ok) return false;

  // One link: a recording already running ends (keeping its samples) before the new start.
  instrument_.Online().Stop();
  instrument::CInstrumentLink& link = instrument_.Link();
  instrument_.ConfigureLink();
  link.ClearCancel();
  if (!link.Open(variant_)) return false;
  auto measurement = std::make_unique<model::CMessungObj>(&context_.messages);
  const instrument::AxisSettings axes{context_.settings.GetAxisGrouping(),
                                      context_.settings.GetScaleMode()};
  if (!link.StartOnline(*measurement, axes)) {
    link.Close();
    return false;
  }
  measurement->SetOnlineActive(1);
  measurement_ = std::move(measurement);
  if (formulaButton_ != nullptr) formulaButton_->setEnabled(true);
  if (chartSetupButton_ != nullptr) chartSetupButton_->setEnabled(true);
  instrument_.Online().Begin(*measurement_, axes);
  clock_.start();
  ShowStatus();
  return true;
}

void COnlineDlg::ShowStatus() {
  const OnlineSession& session = instrument_.Online();
  const bool running = measurement_ != nullptr && session.Records(measurement_.get());
  state_->setText(
      TextOf(context_.texts, running ? ids::kStrRecordingRunning : ids::kStrRecordingEnded));
  sampleSets_->setText(QString::number(session.SampleSets()));
  recordingTime_->setText(RecordingTime(session.ElapsedMs()));
  if (!running) clock_.stop();
}

void COnlineDlg::DiscardRecording() {
  clock_.stop();
  if (measurement_ == nullptr) return;
  if (instrument_.Online().Records(measurement_.get())) instrument_.Online().Stop();
  instrument_.Online().EndJournal(measurement_.get(), false);
  measurement_.reset();
}

void COnlineDlg::reject() {
  DiscardRecording();
  QDialog::reject();
}

}  // namespace vantrel::gui
