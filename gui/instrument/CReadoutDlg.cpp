#include "gui/instrument/CReadoutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {

CReadoutDlg::CReadoutDlg(AppContext& context, InstrumentAccess& instrument, int variant,
                         QWidget* parent)
    : QDialog(parent),
      context_(context),
      instrument_(instrument),
      variant_(variant),
      list_(&context.messages) {
  setWindowTitle(DialogCaption(context.texts, kTemplate));
  text_ = new QLabel(TextOf(context.texts, ids::kStrConnectPrompt), this);
  text_->setObjectName(QStringLiteral("control%1").arg(kTextControl));
  text_->setWordWrap(true);
  text_->setMinimumWidth(380);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("control%1").arg(kProgressControl));
  progress_->setTextVisible(true);
  // Hidden until the transfer runs; the space stays reserved so the dialog does not jump.
  QSizePolicy keepSpace = progress_->sizePolicy();
  keepSpace.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keepSpace);
  progress_->hide();
  progress_->setEnabled(false);

  const OkCancelButtons buttons = MakeOkCancelButtons(*this, context.texts, kTemplate);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addSpacing(6);
  layout->addWidget(progress_);
  layout->addStretch(1);
  layout->addWidget(buttons.box);
  setLayout(layout);
}

CReadoutDlg::~CReadoutDlg() {
  if (instrument_.Link().Observer() == this) instrument_.Link().SetObserver(nullptr);
}

std::vector<std::unique_ptr<model::CMessungObj>> CReadoutDlg::TakeMeasurements() {
  return list_.TakeAll();
}

void CReadoutDlg::PumpMessages() { QApplication::processEvents(QEventLoop::AllEvents); }

void CReadoutDlg::SetProgressRange(int low, int high) {
  progress_->setRange(low, high);
  progress_->setValue(low);
}

void CReadoutDlg::AdvanceProgress() {
  progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

void CReadoutDlg::ShowRunningNumber(int number) {
  text_->setText(FormatNumbers(context_.texts, ids::kStrTransferring, {number}));
}

void CReadoutDlg::accept() {
  if (transferring_) return;
  transferring_ = true;
  progress_->show();
  progress_->setEnabled(true);
  progress_->setRange(0, 0);
  ok_->setEnabled(false);
  cancel_->setFocus();

  instrument::CInstrumentLink& link = instrument_.Link();
  // The online recording and the readout share the port: a running recording ends first.
  instrument_.Online().Stop();
  instrument_.ConfigureLink();
  link.ClearCancel();
  link.SetObserver(this);
  if (link.Open(variant_)) {
    const instrument::AxisSettings axes{context_.settings.GetAxisGrouping(),
                                        context_.settings.GetScaleMode()};
    const int complete = link.ReadMemory(list_, axes);
    list_.KeepFirst(complete);
    link.Close();
  }
  link.SetObserver(nullptr);
  link.ClearCancel();
  transferring_ = false;
  ok_->setEnabled(true);
  QDialog::accept();
}

void CReadoutDlg::reject() {
  if (transferring_) {
    // The transfer ends at its next step; the dialog closes when it returns.
    ok_->setEnabled(true);
    instrument_.Link().RequestCancel();
    return;
  }
  QDialog::reject();
}

}  // namespace vantrel::gui
