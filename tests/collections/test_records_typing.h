#pragma once

#include <QString>
#include <QWidget>
#include <QtTest>

// Types a text into a widget key by key, accented letters included (QTest's
// own keyClicks only knows ASCII).
inline void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128 && c.unicode() >= 32)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
