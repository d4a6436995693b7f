#include "DialogsBTestSupport.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

namespace vantrel::testing {

void ChartDialogTest::SetUp() {
  QLocale::setDefault(QLocale::c());
  app_ = StartApp(folder_);
  ASSERT_NE(app_, nullptr);
}

void Retype(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_Delete);
  QTest::keyClicks(&edit, text);
}

void ChooseEntry(QComboBox& combo, int index) {
  combo.setFocus();
  for (int guard = 0; combo.currentIndex() != index && guard < 100; ++guard) {
    QTest::keyClick(&combo, combo.currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
}

void ClickLater(QAbstractButton& button) {
  QPointer<QAbstractButton> target(&button);
  QTimer::singleShot(0, [target] {
    if (target != nullptr) target->click();
  });
}

void ClickLater(QWidget& dialog, int id) {
  if (auto* button = Numbered<QAbstractButton>(dialog, id); button != nullptr) ClickLater(*button);
}

struct ModalScript::State {
  bool alive = true;
  std::deque<std::function<bool(QWidget&)>> answers;
  QPointer<QWidget> answered;
};

namespace {

void Poll(const std::shared_ptr<ModalScript::State>& state);

}  // namespace

ModalScript::ModalScript() : state_(std::make_shared<State>()) {
  std::shared_ptr<State> state = state_;
  QTimer::singleShot(0, [state] { Poll(state); });
}

ModalScript::~ModalScript() { state_->alive = false; }

void ModalScript::Then(std::function<bool(QWidget&)> answer) {
  state_->answers.push_back(std::move(answer));
}

void ModalScript::ThenMessage(QString* text) {
  Then([text](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    if (box == nullptr) return false;
    if (text != nullptr) *text = box->text();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (ok == nullptr) ok = box->buttons().value(0);
    ClickLater(*ok);
    return true;
  });
}

std::size_t ModalScript::Pending() const { return state_->answers.size(); }

namespace {

void Poll(const std::shared_ptr<ModalScript::State>& state) {
  if (!state->alive) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != state->answered && modal->isVisible() &&
      !state->answers.empty()) {
    std::function<bool(QWidget&)> answer = state->answers.front();
    if (answer(*modal)) {
      state->answered = modal;
      state->answers.pop_front();
    }
  }
  QTimer::singleShot(5, [state] { Poll(state); });
}

}  // namespace

std::unique_ptr<model::CMessungObj> ChartMeasurement(int count) {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Pumpe", 1);
  for (int axis = 0; axis < std::min(count, 2); ++axis) {
    model::CAchse* a = m->AddYAxis();
    a->SetMin(0.0F);
    a->SetMax(100.0F);
    a->SetDivisions(4);
    a->SetUnit(model::kUnitBar, {});
  }
  for (int c = 0; c < count; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetName(u"Kanal " + std::u16string(1, static_cast<char16_t>(u'1' + c)));
    curve->SetSampleInterval(0.5);
    curve->SetDuration(11);
    curve->SetAxisIndex(c % 2);
    curve->SetDrawOrder(c + 1);
    curve->SetRecordingKind(1);
    curve->SetUnit(model::kUnitBar, {});
    curve->SetColor(c == 0 ? platform::MakeColor(255, 0, 0) : platform::MakeColor(0, 0, 255));
    for (int i = 0; i <= 20; ++i) {
      const float base = static_cast<float>(i + 100 * c);
      curve->AddSample(base, base + 1.0F, base + 0.5F);
    }
    curve->SetPeakValue(static_cast<float>(21 + 100 * c));
  }
  m->GetXAxis().SetMin(0.0F);
  m->GetXAxis().SetMax(10.0F);
  return m;
}

}  // namespace vantrel::testing
