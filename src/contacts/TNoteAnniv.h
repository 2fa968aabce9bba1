#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class QDateEdit;
class QLineEdit;

// The birthday dialog "NoteAnniv": a date (DateTimePicker1, short date
// format, drop-down calendar) and a description (Edit1). Enter in the
// description acts as OK.
class TNoteAnniv : public QDialog
{
    Q_OBJECT

public:
    explicit TNoteAnniv(QWidget *parent = nullptr);

    void Init(const QString &description, QDate date);

    struct Answer
    {
        QDate date;
        QString description; // empty unless OK closed the dialog
    };
    Answer Result() const;

private:
    QDateEdit *m_date = nullptr;
    QLineEdit *m_description = nullptr;
};
