#include "gui/instrument/CAutoConfigDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/ProductInfo.h"
#include "gui/widgets/DialogParts.h"
#include "instrument/InstrumentSetup.h"

namespace vantrel::gui {

CAutoConfigDlg::CAutoConfigDlg(AppContext& context, InstrumentAccess& instrument, QWidget* parent)
    : QDialog(parent), context_(context), instrument_(instrument) {
  setWindowTitle(DialogCaption(context.texts, kTemplate));
  status_ = new QLabel(TextOf(context.texts, ids::kStrAutoConfigPrompt), this);
  status_->setObjectName(QStringLiteral("control%1").arg(kStatusControl));
  status_->setWordWrap(true);
  status_->setMinimumWidth(380);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 3);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const OkCancelButtons buttons = MakeOkCancelButtons(*this, context.texts, kTemplate);
  ok_ = buttons.ok;
  store_ = AddDialogButton(*buttons.box, context.texts, kTemplate, kAcceptButton,
                           QDialogButtonBox::ApplyRole);
  store_->setObjectName(QStringLiteral("control%1").arg(kAcceptButton));
  store_->setEnabled(false);
  store_->hide();
  connect(store_, &QPushButton::clicked, this, [this] { Store(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addStretch(1);
  layout->addWidget(buttons.box);
  setLayout(layout);
}

CAutoConfigDlg::~CAutoConfigDlg() {
  if (instrument_.Link().Observer() == this) instrument_.Link().SetObserver(nullptr);
}

void CAutoConfigDlg::PumpMessages() { QApplication::processEvents(QEventLoop::AllEvents); }

void CAutoConfigDlg::accept() {
  if (searching_ || store_->isVisible()) {
    if (store_->isEnabled()) Store();
    return;
  }
  if (!ok_->isEnabled()) return;
  searching_ = true;
  ok_->setEnabled(false);

  // The search uses the ports: a running online recording ends first (keeping its samples).
  instrument_.Online().Stop();
  instrument::CInstrumentLink& link = instrument_.Link();
  link.ClearCancel();
  link.SetObserver(this);
  const std::optional<instrument::FoundPort> found = instrument::AutoConfigure(
      link, [this](int port) { return instrument_.DevicePath(port); },
      [this](int port, int baud) {
        status_->setText(FormatNumbers(context_.texts, instrument::kStrSearching, {port, baud}));
        PumpMessages();
      });
  link.SetObserver(nullptr);
  link.ClearCancel();
  searching_ = false;
  if (cancelled_) {
    QDialog::reject();
    return;
  }
  if (found) {
    portNumber_ = found->portNumber;
    baudRate_ = found->baudRate;
    status_->setText(
        FormatNumbers(context_.texts, instrument::kStrFound, {portNumber_, baudRate_}));
    ok_->hide();
    store_->show();
    store_->setEnabled(true);
    store_->setDefault(true);
    store_->setFocus();
  } else {
    status_->setText(TextOf(context_.texts, instrument::kStrNothingFound));
  }
}

void CAutoConfigDlg::Store() {
  if (portNumber_ == 0) return;
  if (!app::SetPortSettings(context_.profile, portNumber_, baudRate_)) {
    ReportSettingsNotSaved(context_.messages, context_.profile);
  }
  QDialog::accept();
}

void CAutoConfigDlg::reject() {
  if (searching_) {
    // Every further try fails at once; the dialog closes when the search returns.
    cancelled_ = true;
    instrument_.Link().RequestCancel();
    return;
  }
  QDialog::reject();
}

}  // namespace vantrel::gui
