#include "InstrumentTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>

#include "app/ProductInfo.h"
#include "instrument/InstrumentSetup.h"

namespace vantrel::testing {

std::string MissingDevice(int port) { return "/nonexistent/vantrel-tty" + std::to_string(port); }

InstrumentApp::InstrumentApp(sim::SimOptions options, int port)
    : sim_(std::make_unique<SimHarness>(std::move(options))), app_(StartApp(folder_)) {
  if (app_ == nullptr || !sim_->Ready()) return;
  for (int p = 1; p <= instrument::kSearchPortCount; ++p) {
    app_->Ports().SetOverride(p, p == port ? sim_->Path() : MissingDevice(p));
  }
  app::SetPortNumber(app_->Profile(), port);
}

ModalScript::ModalScript(Handler handler) : handler_(std::move(handler)) {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    for (const QPointer<QWidget>& done : answered_) {
      if (done == modal) return;
    }
    const QString name = modal->windowTitle();
    if (handler_(*modal)) {
      answered_.emplace_back(modal);
      seen_.push_back(name);
    }
  });
  timer_.start();
}

ModalScript::~ModalScript() { timer_.stop(); }

bool PressMessageButton(QWidget& modal, int button) {
  auto* box = qobject_cast<QMessageBox*>(&modal);
  if (box == nullptr) return false;
  QAbstractButton* pressed = box->button(static_cast<QMessageBox::StandardButton>(button));
  if (pressed == nullptr) return false;
  pressed->click();
  return true;
}

bool ChooseFile(QWidget& modal, const std::filesystem::path& path) {
  auto* dialog = qobject_cast<QFileDialog*>(&modal);
  if (dialog == nullptr) return false;
  dialog->setDirectory(QString::fromStdString(path.parent_path().string()));
  dialog->selectFile(QString::fromStdString(path.filename().string()));
  // While the dialog still loads its folder the selection may not reach the name field.
  if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(QString::fromStdString(path.filename().string()));
  }
  // QFileDialog checks the chosen name in its accept, which it hides from callers.
  QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
  return true;
}

void Wait(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

}  // namespace vantrel::testing
