// Types text into a widget key by key, as a keyboard with every letter would (QTest's own key
// clicks know only ASCII).
#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tarvo::test {

inline void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

} // namespace tarvo::test
