#pragma once

#include "collections/RecordSchema.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class DocumentContext;
class QComboBox;
class QGridLayout;
class RecordPicture;

// The form of a record section, built from the section's field list: one
// control per field, named as the field (so "Edit8", "SpinEdit2", "Memo3"),
// with its label before it and its unit after it.
//
//   Text, Amount   QLineEdit
//   Date           QDateEdit, "dd/MM/yyyy" with a calendar
//   Integer        QSpinBox without minimum or maximum
//   Choice         the document window's drop-down box, made editable (any
//                  typed text is kept); fixed items are filled here
//   Picture        a frame with the picture and the "Choisir photo" button
//   Memo           QPlainTextEdit under its label, beside the other memos
//
// The form only shows values; the page decides when a record is read or
// written. Every change the user makes is reported by edited(); changes made
// by the form itself (clearing, showing a record, the named-list editors
// replacing a box's items) are not.
class RecordForm : public QWidget
{
    Q_OBJECT

public:
    RecordForm(const RecordSchema &schema, DocumentContext &context, QWidget *parent = nullptr);
    ~RecordForm() override;

    const RecordSchema &schema() const { return m_schema; }

    // The control of a field (the QComboBox of the document window for a
    // choice, the picture label for a picture).
    QWidget *control(int field) const { return m_controls.value(field); }
    QWidget *control(const QString &name) const { return control(m_schema.indexOf(name)); }

    // Start of a read: texts, choices, memos and the picture are cleared,
    // dates set to `today`; fields marked keptOnRead keep their value.
    void clear(QDate today);
    // Back to the form's own defaults, kept fields included (a new document).
    void restoreDefaults(QDate today);
    // Shows the values that were read; an invalid value leaves its control
    // as it is.
    void setValues(const RecordValues &values);
    RecordValues values() const;
    QVariant value(int field) const;

    // Cover picture: the path kept in the record (letter case as chosen).
    QString picturePath() const;
    // Shows the picture of the new path; returns why it cannot be shown
    // (French), empty when it shows.
    QString setPicturePath(const QString &path);
    RecordPicture *picture() const { return m_picture; }

    // Filter applied to each character typed in an amount field: the
    // replacement, or nothing to drop the key.
    using KeyFilter = std::function<std::optional<QChar>(QChar)>;
    void setAmountKeyFilter(KeyFilter filter) { m_amountFilter = std::move(filter); }

    // Puts the focus on the first field (after an add).
    void focusFirstField();

signals:
    // The user changed a field (typing, a date, a spin value, a choice, a
    // new picture).
    void edited(int field);
    // Page Up / Page Down pressed in a field: previous / next record.
    void pageKey(bool next);
    // "Choisir photo" was clicked.
    void pictureRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeControl(int field);
    void watch(QWidget *w, int field);
    void userChange(int field);
    void keepChoiceText(int field, QComboBox *box);

    const RecordSchema &m_schema;
    DocumentContext &m_context;
    QList<QWidget *> m_controls;
    QList<QString> m_choiceTexts; // text of each choice, restored when its box's items change
    QList<int> m_modelChanging;   // per field: inside a change of the box's items
    RecordPicture *m_picture = nullptr;
    QString m_picturePath; // the cover path as stored, letter case kept
    KeyFilter m_amountFilter;
    int m_filling = 0; // > 0 while the form itself changes the controls
};
