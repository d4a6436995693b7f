#include "gui/instrument/CComCheckDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "gui/widgets/DialogParts.h"
#include "instrument/InstrumentSetup.h"

namespace vantrel::gui {

CComCheckDlg::CComCheckDlg(AppContext& context, InstrumentAccess& instrument, QWidget* parent)
    : QDialog(parent), context_(context), instrument_(instrument) {
  setWindowTitle(DialogCaption(context.texts, kTemplate));
  status_ = new QLabel(TextOf(context.texts, ids::kStrComCheckPrompt), this);
  status_->setObjectName(QStringLiteral("control%1").arg(kStatusControl));
  status_->setWordWrap(true);
  status_->setMinimumWidth(360);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 3);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const OkCancelButtons buttons = MakeOkCancelButtons(*this, context.texts, kTemplate);
  ok_ = buttons.ok;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addStretch(1);
  layout->addWidget(buttons.box);
  setLayout(layout);
}

void CComCheckDlg::accept() {
  if (checking_) return;
  if (phase_ != 0) {
    QDialog::accept();
    return;
  }
  checking_ = true;
  status_->setText(TextOf(context_.texts, ids::kStrComCheckRunning));
  ok_->setEnabled(false);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  // The check uses the port: a running online recording ends first (keeping its samples).
  instrument_.Online().Stop();
  instrument_.ConfigureLink();
  instrument_.Link().ClearCancel();
  const int result = instrument::CheckPort(instrument_.Link());
  instrument_.Link().ClearCancel();
  checking_ = false;
  if (result != 0) {
    status_->setText(TextOf(context_.texts, result));
    ok_->setEnabled(true);
    phase_ = 2;
  }
  // A port that could not be opened leaves OK disabled: the dialog is left with Cancel.
}

void CComCheckDlg::reject() {
  if (checking_) {
    instrument_.Link().RequestCancel();
    return;
  }
  QDialog::reject();
}

}  // namespace vantrel::gui
