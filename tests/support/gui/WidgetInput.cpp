#include "gui/WidgetInput.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

namespace vantrel::testing {

void ClickLater(QAbstractButton& button) {
  QPointer<QAbstractButton> target(&button);
  QTimer::singleShot(0, [target] {
    if (target != nullptr) target->click();
  });
}

void ClickLater(QWidget& parent, int id) {
  if (auto* button = Control<QAbstractButton>(parent, id); button != nullptr) ClickLater(*button);
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

void ChooseShownEntryAgain(QComboBox& combo) {
  combo.setFocus();
  combo.showPopup();
  QAbstractItemView* list = combo.view();
  list->setCurrentIndex(combo.model()->index(combo.currentIndex(), combo.modelColumn()));
  QTest::keyClick(list, Qt::Key_Return);
}

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

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
  // The name field decides, as when a user types the path: the dialog may have put its
  // own proposal there after the selection above.
  if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(QString::fromStdString(path.string()));
  }
  // QFileDialog checks the chosen name in its accept, which it hides from callers.
  QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
  return true;
}

}  // namespace vantrel::testing
