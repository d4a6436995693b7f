#include "DialogsATestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

namespace vantrel::testing {

namespace {
constexpr int kPollMs = 5;
constexpr int kTimeoutTicks = 20000 / kPollMs;
constexpr int kStablePolls = 3;
}  // namespace

ModalScript::ModalScript() {
  timer_.setInterval(kPollMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

ModalScript::~ModalScript() { timer_.stop(); }

ModalScript& ModalScript::Then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

ModalScript& ModalScript::ThenMessage() {
  return Then([this](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    if (box == nullptr) return false;
    messages_ << box->text();
    QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
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

void ModalScript::Poll() {
  if (++ticks_ > kTimeoutTicks) {
    if (!timedOut_)
      ADD_FAILURE() << "no answer for a window within 20 s; " << steps_.size() << " steps left";
    timedOut_ = true;
    steps_.clear();
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  // A window is answered once it has stayed on top for a few polls: the code that opened
  // the window before it has then finished.
  if (modal != seen_) {
    seen_ = modal;
    seenPolls_ = 0;
    return;
  }
  if (++seenPolls_ < kStablePolls) return;
  if (modal == nullptr || steps_.empty() || modal == last_) return;
  if (steps_.front()(*modal)) {
    steps_.pop_front();
    last_ = modal;
  }
}

void ClickLater(QWidget& parent, int id) {
  auto* button = Control<QAbstractButton>(parent, id);
  if (button == nullptr) return;
  QTimer::singleShot(0, button, [button] { button->click(); });
}

model::CKurveObj* AddCurve(model::CMessungObj& m,
                           std::initializer_list<std::array<float, 3>> samples, double interval,
                           int unitCode) {
  model::CKurveObj* curve = m.AddCurve();
  for (const auto& s : samples) curve->AddSample(s[0], s[1], s[2]);
  curve->SetSampleInterval(interval);
  curve->SetUnit(unitCode, u"");
  curve->SetName(u"K" + std::u16string(1, static_cast<char16_t>(u'0' + m.GetCurveCount() % 10)));
  m.AddYAxis()->SetUnit(unitCode, u"");
  curve->SetAxisIndex(m.GetYAxisCount() - 1);
  return curve;
}

std::unique_ptr<model::CMessungObj> MeasurementOfCurves(int count,
                                                        platform::MessageService* messages) {
  auto m = std::make_unique<model::CMessungObj>(messages);
  m->SetName(u"Messung", 1);
  for (int i = 0; i < count; ++i)
    AddCurve(*m, {{float(i), float(i + 1), 0.0F}, {1.0F, 2.0F, 0.0F}});
  return m;
}

}  // namespace vantrel::testing
