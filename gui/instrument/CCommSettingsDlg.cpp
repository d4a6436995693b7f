#include "gui/instrument/CCommSettingsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <climits>

#include "app/ProductInfo.h"
#include "gui/instrument/CAutoConfigDlg.h"
#include "gui/instrument/CComCheckDlg.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {

CCommSettingsDlg::CCommSettingsDlg(AppContext& context, InstrumentAccess& instrument,
                                   QWidget* parent)
    : QDialog(parent), context_(context), instrument_(instrument) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));
  port_ = new QLineEdit(this);
  port_->setObjectName(QStringLiteral("control%1").arg(kPortEdit));
  baud_ = new QLineEdit(this);
  baud_->setObjectName(QStringLiteral("control%1").arg(kBaudEdit));
  for (QLineEdit* edit : {port_, baud_}) {
    edit->setMaxLength(20);
    edit->setMinimumWidth(120);
  }
  auto* form = new QFormLayout;
  auto* portLabel = new QLabel(ControlLabel(texts, kTemplate, kPortEdit), this);
  portLabel->setBuddy(port_);
  auto* baudLabel = new QLabel(ControlLabel(texts, kTemplate, kBaudEdit), this);
  baudLabel->setBuddy(baud_);
  form->addRow(portLabel, port_);
  form->addRow(baudLabel, baud_);

  auto* check = new QPushButton(ControlLabel(texts, kTemplate, kCheckButton), this);
  check->setObjectName(QStringLiteral("control%1").arg(kCheckButton));
  check->setAutoDefault(false);
  auto* autoConfig = new QPushButton(ControlLabel(texts, kTemplate, kAutoConfigButton), this);
  autoConfig->setObjectName(QStringLiteral("control%1").arg(kAutoConfigButton));
  autoConfig->setAutoDefault(false);
  connect(check, &QPushButton::clicked, this, [this] { OpenPortCheck(); });
  connect(autoConfig, &QPushButton::clicked, this, [this] { OpenAutoConfig(); });
  auto* tools = new QHBoxLayout;
  tools->addWidget(check);
  tools->addWidget(autoConfig);
  tools->addStretch(1);

  auto* present = new QLabel(PresentPortsText(texts, instrument.Ports().PresentPorts()), this);
  present->setObjectName(QStringLiteral("presentPorts"));
  present->setTextInteractionFlags(Qt::TextSelectableByMouse);

  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addLayout(tools);
  layout->addSpacing(6);
  layout->addWidget(present);
  layout->addStretch(1);
  layout->addWidget(buttons);
  setLayout(layout);
  setTabOrder(port_, baud_);
  setTabOrder(baud_, check);
  setTabOrder(check, autoConfig);
  ShowStoredValues();
  port_->setFocus();
}

int CCommSettingsDlg::ReadNumber(const QString& text) {
  const QString cut = text.left(20);
  qsizetype at = 0;
  while (at < cut.size() && (cut[at] == QLatin1Char(' ') || cut[at] == QLatin1Char('\t'))) ++at;
  bool negative = false;
  if (at < cut.size() && (cut[at] == QLatin1Char('-') || cut[at] == QLatin1Char('+'))) {
    negative = cut[at] == QLatin1Char('-');
    ++at;
  }
  long long value = 0;
  for (; at < cut.size() && cut[at] >= QLatin1Char('0') && cut[at] <= QLatin1Char('9'); ++at) {
    value = std::min<long long>(value * 10 + (cut[at].unicode() - u'0'), 1LL + INT_MAX);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

QString CCommSettingsDlg::PresentPortsText(const platform::TextSource& texts,
                                           const std::vector<app::PortMap::PresentPort>& ports) {
  QStringList lines{QString::fromStdU16String(texts.Text(ids::kStrPresentPorts))};
  for (const app::PortMap::PresentPort& port : ports) {
    const QString path = QString::fromLocal8Bit(port.devicePath.c_str());
    lines.append(port.number > 0 ? QStringLiteral("COM%1  %2").arg(port.number).arg(path) : path);
  }
  if (ports.empty()) lines.append(QString::fromStdU16String(texts.Text(ids::kStrNoPresentPorts)));
  return lines.join(QLatin1Char('\n'));
}

void CCommSettingsDlg::ShowStoredValues() {
  baud_->setText(QString::number(app::GetBaudRate(context_.profile)));
  port_->setText(QString::number(app::GetPortNumber(context_.profile)));
}

void CCommSettingsDlg::OpenPortCheck() {
  CComCheckDlg check(context_, instrument_, this);
  check.exec();
}

void CCommSettingsDlg::OpenAutoConfig() {
  CAutoConfigDlg search(context_, instrument_, this);
  if (search.exec() == QDialog::Accepted) ShowStoredValues();
}

void CCommSettingsDlg::accept() {
  if (!app::SetPortSettings(context_.profile, ReadNumber(port_->text()),
                            ReadNumber(baud_->text()))) {
    ReportSettingsNotSaved(context_.messages, context_.profile);
  }
  QDialog::accept();
}

}  // namespace vantrel::gui
