#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class Clock;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The appointment dialog ("Rendez vous"): a date, a time and a message.
// Created for one appointment, filled with Init, run modally, read with
// Result.
//
// The time field follows the edit pattern of two hour positions, ":" and two
// minute digits: the first hour digit may be left out and then becomes a
// leading blank (" 9:30"); the other three digits are required, and the
// dialog does not close on "OK" until they are typed. Unfilled positions show
// as "_".
class TFicheRdv : public QDialog
{
    Q_OBJECT

public:
    struct Values
    {
        QString key;     // date key "yyyymmdd"
        QString time;    // 5 characters, "hh:mm" or " h:mm"
        QString message; // empty: nothing is to change
    };

    // `clock` gives the date shown when Init receives none.
    explicit TFicheRdv(const Clock &clock, QWidget *parent = nullptr);

    // Fills the fields; the dialog counts as not accepted until "OK".
    void Init(const QString &time, const QString &message, QDate date);
    // The three texts when the dialog was accepted, else three empty texts.
    Values Result() const;

    // The time as the field holds it: 5 characters, a missing first hour
    // digit as a blank (other missing positions are blanks too).
    QString timeText() const;
    bool timeComplete() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Button2Click();

    const Clock &m_clock;
    QDateEdit *m_date = nullptr;
    QLineEdit *m_time = nullptr;
    QLineEdit *m_message = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_ok = nullptr;
};
