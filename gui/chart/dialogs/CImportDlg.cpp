#include "gui/chart/dialogs/CImportDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cfloat>

#include "formula/FormulaCurves.h"
#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {
namespace {

/// The document files another curve can come from.
const QString kPatterns = QStringLiteral("*.vqa *.vqb *.vqm *.vqg *.vqk *.vqo");

/// The colour of a copied curve: the formula colour at the target's curve count after the
/// copy was appended. The sixteenth curve would index one past the table; it starts the
/// table again.
platform::Color CopyColor(int curveCount) {
  const auto index = static_cast<std::size_t>(curveCount) % formula::kFormulaCurveColors.size();
  return formula::kFormulaCurveColors[index];
}

}  // namespace

CImportDlg::CImportDlg(AppContext& context, model::CMessungObj& target, QWidget* parent)
    : QDialog(parent), context_(context), target_(target) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));

  path_ = new QLineEdit(this);
  path_->setObjectName(QString::number(kPathEdit));
  path_->setReadOnly(true);  // only the file choice sets it
  path_->setMinimumWidth(path_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
  auto* browse = new QPushButton(ControlLabel(texts, kTemplate, kBrowseButton), this);
  browse->setObjectName(QString::number(kBrowseButton));
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, [this] { ChooseFile(); });
  curves_ = new QComboBox(this);
  curves_->setObjectName(QString::number(kCurveList));
  curves_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  curves_->setMinimumContentsLength(24);

  auto* pathLabel = new QLabel(ControlLabel(texts, kTemplate, kPathEdit), this);
  pathLabel->setBuddy(path_);
  auto* curveLabel = new QLabel(ControlLabel(texts, kTemplate, kCurveList), this);
  curveLabel->setBuddy(curves_);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(path_, 1);
  pathRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(pathLabel, pathRow);
  form->addRow(curveLabel, curves_);

  const auto [buttons, ok, cancel] = MakeOkCancelButtons(*this, texts, kTemplate);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(browse, curves_);
  setTabOrder(curves_, ok);
  setTabOrder(ok, cancel);
  browse->setFocus();
}

CImportDlg::~CImportDlg() = default;

QString CImportDlg::EntryText(int position, const std::u16string& name) {
  return QStringLiteral("Nr.: %1  ").arg(position + 1) + ToQString(name);
}

const model::CMessungObj* CImportDlg::SideMeasurement() const {
  return side_ != nullptr ? side_->GetMeasurement() : nullptr;
}

void CImportDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The file is chosen at once, over the shown dialog.
  if (!choiceShown_) {
    choiceShown_ = true;
    QTimer::singleShot(0, this, [this] { ChooseFile(); });
  }
}

void CImportDlg::ChooseFile() {
  side_.reset();
  curves_->clear();
  QString description = TextOf(context_.texts, ids::kStrMeasurementFilesFilter);
  // The text names the patterns in its own way; the dialog gets them in its own form.
  if (const qsizetype open = description.indexOf(QLatin1Char('(')); open > 0) {
    description = description.left(open).trimmed();
  }
  QFileDialog chooser(this, QString(), ToQString(context_.settings.GetWorkDir()));
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setNameFilter(description + QStringLiteral(" (") + kPatterns + QStringLiteral(")"));
  QString chosen;
  if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    chosen = chooser.selectedFiles().front();
  }
  path_->setText(chosen);
  if (!chosen.isEmpty()) OpenSideDocument(PathFromQString(chosen));
}

bool CImportDlg::OpenSideDocument(const std::filesystem::path& path) {
  document::DocumentEnvironment environment;
  environment.messages = &context_.messages;
  environment.dialogs = &context_.dialogs;
  environment.texts = &context_.texts;
  environment.workDir = [&settings = context_.settings] {
    return std::filesystem::path(settings.GetWorkDir());
  };
  // A document of its own, without a window and unknown to the open documents.
  auto side = std::make_unique<document::CVantrel40Doc>(std::move(environment), u".vqb");
  if (!side->OnOpenDocument(path) || side->GetMeasurement() == nullptr) return false;
  side_ = std::move(side);
  const model::CMessungObj& measurement = *side_->GetMeasurement();
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    curves_->addItem(EntryText(i, measurement.GetCurve(i)->GetName()));
  }
  curves_->setCurrentIndex(curves_->count() > 0 ? 0 : -1);
  return true;
}

void CImportDlg::accept() {
  const model::CMessungObj* side = SideMeasurement();
  const int chosen = curves_->currentIndex();
  const model::CKurveObj* source = side != nullptr ? side->GetCurve(chosen) : nullptr;
  if (source == nullptr) {
    // Nothing chosen: the dialog closes without a change.
    side_.reset();
    QDialog::accept();
    return;
  }
  if (target_.GetCurveCount() >= model::kMaxCurves) {
    context_.messages.ShowMessage(ids::kMsgTooManyCurves, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
    return;
  }
  const bool copied = CopyCurve(*source, side->GetName());
  side_.reset();
  if (copied) {
    QDialog::accept();
  } else {
    QDialog::reject();  // memory ran out and the user gave up: nothing was added
  }
}

void CImportDlg::reject() {
  side_.reset();
  QDialog::reject();
}

bool CImportDlg::CopyCurve(const model::CKurveObj& source, const std::u16string& sideName) {
  platform::MessageService* messages = target_.GetMessageService();
  auto copy = std::make_unique<model::CKurveObj>(messages);
  if (!platform::RetryOnOutOfMemory(messages, [&] { copy->MutableSamples() = source.Samples(); })) {
    return false;
  }
  double low = static_cast<double>(FLT_MAX);
  double high = static_cast<double>(FLT_MIN);
  for (const model::CValueObj& sample : source.Samples()) {
    if (static_cast<double>(sample.minimum) < low) low = static_cast<double>(sample.minimum);
    if (static_cast<double>(sample.maximum) > high) high = static_cast<double>(sample.maximum);
  }
  if (source.Samples().empty()) {
    // No values to fit: an empty range instead of one from the largest float down to zero.
    low = 0.0;
    high = 0.0;
  }

  copy->SetSensorRange(source.GetSensorRange());
  copy->SetName(source.GetName());
  copy->SetStartTime(source.GetStartTime());
  copy->SetDuration(source.GetDuration());
  copy->SetSampleInterval(source.GetSampleInterval());
  copy->SetTriggerMode(source.GetTriggerMode());
  copy->SetTriggerChannel(source.GetTriggerChannel());
  copy->SetTriggerLevel(source.GetTriggerLevel());
  copy->SetTriggerEdge(source.GetTriggerEdge());
  copy->SetPretrigger(source.GetPretrigger());
  copy->SetSourceNumber(source.GetSourceNumber());
  copy->SetChannelNumber(source.GetChannelNumber());
  copy->SetRecordingKind(source.GetRecordingKind());
  copy->SetUnit(source.GetUnitCode(), source.GetUnitText());
  copy->SetUnitText(source.GetUnitText());
  copy->SetPeakValue(source.GetPeakValue());
  copy->SetValueMode(source.GetValueMode());
  copy->SetXOffset(source.GetXOffset());
  copy->SetYOffset(source.GetYOffset());
  copy->SetFilterCutoff(source.GetFilterCutoff());
  copy->SetDrawOrder(source.GetDrawOrder());
  copy->SetTriggerInPercent(source.GetTriggerInPercent());
  copy->SetOrigin(model::kOriginImported);
  copy->SetSourceText(sideName);
  copy->SetVisible(1);
  // No axis until its own exists, so that taking the curve out again touches no other axis.
  copy->SetAxisIndex(-1);

  model::CKurveObj* added = target_.AdoptCurve(std::move(copy));
  if (added == nullptr) return false;
  const int count = target_.GetCurveCount();
  added->SetColor(CopyColor(count));
  model::CAchse* axis = target_.AddYAxis();
  if (axis == nullptr) {
    target_.RemoveCurve(count - 1);
    return false;
  }
  if (context_.settings.GetScaleMode() == 1) {
    const double margin = (high - low) * 0.1;
    low -= margin;
    high += margin;
  }
  axis->SetMin(static_cast<float>(low));
  axis->SetMax(static_cast<float>(high));
  axis->SetUnit(source.GetUnitCode(), source.GetUnitText());
  added->SetAxisIndex(target_.GetYAxisCount() - 1);
  addedCurve_ = count - 1;
  return true;
}

}  // namespace vantrel::gui
