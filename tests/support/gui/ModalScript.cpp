#include "gui/ModalScript.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "gui/WidgetInput.h"

namespace vantrel::testing {

namespace {
constexpr int kPollMs = 5;
constexpr int kStablePolls = 3;
// Steps left and nothing answered for this long: the expected window is not coming.
constexpr int kGiveUpPolls = 60000 / kPollMs;
}  // namespace

ModalScript::ModalScript() {
  timer_.setInterval(kPollMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

ModalScript::ModalScript(Step everyWindow) : ModalScript() {
  everyWindow_ = std::move(everyWindow);
}

ModalScript::~ModalScript() { timer_.stop(); }

ModalScript& ModalScript::Then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

ModalScript& ModalScript::ThenAnswer(std::function<void(QWidget& modal)> answer) {
  return Then([answer = std::move(answer)](QWidget& widget) {
    QPointer<QWidget> modal(&widget);
    QTimer::singleShot(0, &widget, [answer, modal] {
      if (modal != nullptr) answer(*modal);
    });
    return true;
  });
}

ModalScript& ModalScript::ThenMessage(QString* text) {
  return Then([this, text](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    if (box == nullptr) return false;
    messages_ << box->text();
    if (text != nullptr) *text = box->text();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (ok == nullptr) ok = box->buttons().value(0);
    if (ok != nullptr) ClickLater(*ok);
    return true;
  });
}

ModalScript& ModalScript::ThenFile(const QString& path) {
  return Then([path](QWidget& widget) {
    auto* chooser = qobject_cast<QFileDialog*>(&widget);
    if (chooser == nullptr) return false;
    QTimer::singleShot(0, chooser, [chooser, path] {
      if (path.isEmpty()) {
        chooser->reject();
        return;
      }
      // Typed into the name field as a user would, then confirmed.
      auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name != nullptr) name->setText(path);
      static_cast<QDialog*>(chooser)->accept();  // the file dialog checks the choice
    });
    return true;
  });
}

bool ModalScript::Answered(const QWidget* modal) const {
  for (const QPointer<QWidget>& done : answered_) {
    if (done == modal) return true;
  }
  return false;
}

void ModalScript::GiveUp() {
  if (!timedOut_) {
    ADD_FAILURE() << "no expected window within " << kGiveUpPolls * kPollMs / 1000 << " s; "
                  << steps_.size() << " steps left";
  }
  timedOut_ = true;
  steps_.clear();
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
}

void ModalScript::Poll() {
  if (!steps_.empty() && ++idlePolls_ > kGiveUpPolls) {
    GiveUp();
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != onTop_) {
    onTop_ = modal;
    onTopPolls_ = 0;
    return;
  }
  if (++onTopPolls_ < kStablePolls) return;
  if (modal == nullptr || !modal->isVisible()) return;
  if (everyWindow_ ? Answered(modal) : modal == lastAnswered_) return;
  const QString title = modal->windowTitle();
  bool answered = false;
  if (!steps_.empty()) {
    answered = steps_.front()(*modal);
    if (answered) steps_.pop_front();
  } else if (everyWindow_) {
    answered = everyWindow_(*modal);
  }
  if (answered) {
    answered_.emplace_back(modal);
    lastAnswered_ = modal;
    seen_.push_back(title);
    idlePolls_ = 0;
  }
}

}  // namespace vantrel::testing
