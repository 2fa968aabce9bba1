#pragma once

#include <QString>
#include <QStringList>
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

// A block of a block file, written by hand: its two markers around the body.
inline QStringList block(int n, const QStringList &body)
{
    const QString digits = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    return QStringList{QStringLiteral("<BLOC%1>").arg(digits)} + body
           + QStringList{QStringLiteral("</BLOC%1>").arg(digits)};
}
