// Typing into widgets in the notes tests: QTest's key clicks know ASCII only, so other
// characters arrive as key events that carry just their text.
#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace vantrel::testing {

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

}  // namespace vantrel::testing
