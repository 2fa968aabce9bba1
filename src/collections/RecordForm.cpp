#include "collections/RecordForm.h"

#include "collections/MemoText.h"
#include "collections/RecordPicture.h"
#include "common/Clock.h"
#include "common/OneLineInput.h"
#include "document/DocumentContext.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

using Kind = RecordField::Kind;

// Sets the text of an editable box, selecting the matching item when there
// is one.
void setChoiceText(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(text);
}

} // namespace

RecordForm::RecordForm(const RecordSchema &schema, DocumentContext &context, QWidget *parent)
    : QWidget(parent), m_schema(schema), m_context(context)
{
    const int n = m_schema.fieldCount();
    m_controls.resize(n);
    m_choiceTexts.resize(n);
    m_modelChanging.resize(n);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    auto *memos = new QHBoxLayout;
    QVBoxLayout *pictureColumn = nullptr;

    ++m_filling;
    int row = -1;
    for (int i = 0; i < n; ++i) {
        const RecordField &f = m_schema.field(i);
        QWidget *w = makeControl(i);
        m_controls[i] = w;
        if (f.kind == Kind::Memo) {
            auto *column = new QVBoxLayout;
            auto *label = new QLabel(f.label, this);
            label->setBuddy(w);
            column->addWidget(label);
            column->addWidget(w, 1);
            memos->addLayout(column, 1);
            continue;
        }
        if (f.kind == Kind::Picture) {
            pictureColumn = new QVBoxLayout;
            pictureColumn->addWidget(m_picture, 1);
            auto *choose = new QPushButton(QStringLiteral("Choisir photo"), this);
            choose->setObjectName(QStringLiteral("Button42"));
            connect(choose, &QPushButton::clicked, this, &RecordForm::pictureRequested);
            watch(choose, i);
            pictureColumn->addWidget(choose);
            continue;
        }
        if (f.sameRow && row >= 0) {
            grid->addWidget(w, row, 2);
            if (!f.unit.isEmpty())
                grid->addWidget(new QLabel(f.unit, this), row, 3);
            continue;
        }
        if (!f.unit.isEmpty()) { // "Durée [60] min"
            ++row;
            auto *label = new QLabel(f.label, this);
            label->setBuddy(w);
            grid->addWidget(label, row, 0);
            auto *cell = new QHBoxLayout;
            cell->addWidget(w);
            cell->addWidget(new QLabel(f.unit, this));
            cell->addStretch(1);
            grid->addLayout(cell, row, 1);
            continue;
        }
        ++row;
        auto *label = new QLabel(f.label, this);
        label->setBuddy(w);
        grid->addWidget(label, row, 0);
        // Dates, numbers and amounts keep a short width; texts and choices
        // take the row.
        const bool shortField = f.kind == Kind::Date || f.kind == Kind::Integer || f.kind == Kind::Amount;
        grid->addWidget(w, row, 1, shortField ? Qt::AlignLeft : Qt::Alignment());
    }
    --m_filling;

    auto *top = new QHBoxLayout;
    top->addLayout(grid, 3);
    if (pictureColumn)
        top->addLayout(pictureColumn, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    if (!memos->isEmpty())
        layout->addLayout(memos, 1);
    else
        delete memos;
}

RecordForm::~RecordForm()
{
    // The controls go after this destructor; none of their last signals may
    // reach the half-destroyed form.
    for (QWidget *w : std::as_const(m_controls)) {
        if (!w)
            continue;
        w->disconnect(this);
        w->removeEventFilter(this);
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->model()->disconnect(this);
            if (combo->lineEdit())
                combo->lineEdit()->removeEventFilter(this);
        }
    }
}

QWidget *RecordForm::makeControl(int i)
{
    const RecordField &f = m_schema.field(i);
    QWidget *w = nullptr;
    switch (f.kind) {
    case Kind::Text:
    case Kind::Amount: {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(INT_MAX); // a text read from the file is never cut
        if (f.kind == Kind::Amount) {
            edit->setAlignment(Qt::AlignRight);
            // Composed characters would slip past the key filter; an amount
            // needs none.
            edit->setAttribute(Qt::WA_InputMethodEnabled, false);
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000 000,00")) + 16);
        }
        connect(edit, &QLineEdit::textChanged, this, [this, i] { userChange(i); });
        OneLineInput::keep(edit);
        w = edit;
        break;
    }
    case Kind::Date: {
        auto *edit = new QDateEdit(this);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setCalendarPopup(true);
        // Every date a record can hold (years 1 to 9999): a narrower range
        // would move an old date to its bound when the record is rewritten.
        edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
        edit->setDate(m_context.clock().today());
        edit->setMinimumWidth(edit->sizeHint().width() + 8);
        connect(edit, &QDateEdit::dateChanged, this, [this, i] { userChange(i); });
        w = edit;
        break;
    }
    case Kind::Integer: {
        auto *spin = new QSpinBox(this);
        spin->setRange(INT_MIN, INT_MAX); // no minimum or maximum
        spin->setValue(f.defaultValue);
        spin->setAlignment(Qt::AlignRight);
        spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 30);
        spin->setMaximumWidth(spin->minimumWidth() + 40);
        connect(spin, &QSpinBox::valueChanged, this, [this, i] { userChange(i); });
        w = spin;
        break;
    }
    case Kind::Choice: {
        QComboBox *box = m_context.comboBox(f.comboBox);
        if (!box) { // a context without the document window's boxes
            box = new QComboBox(this);
            box->setObjectName(f.name);
        }
        box->setParent(this);
        box->setEditable(true);
        box->lineEdit()->setMaxLength(INT_MAX);
        OneLineInput::keep(box->lineEdit());
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setDuplicatesEnabled(false);
        if (!f.fixedItems.isEmpty() && box->count() == 0)
            box->addItems(f.fixedItems);
        setChoiceText(box, QString());
        box->show();
        keepChoiceText(i, box);
        w = box;
        break;
    }
    case Kind::Picture: m_picture = new RecordPicture(this); return m_picture->box();
    case Kind::Memo: {
        auto *memo = new QPlainTextEdit(this);
        memo->setTabChangesFocus(true);
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        connect(memo, &QPlainTextEdit::textChanged, this, [this, i] { userChange(i); });
        OneLineInput::keep(memo, [this] { return m_filling == 0; });
        w = memo;
        break;
    }
    }
    if (w->objectName().isEmpty())
        w->setObjectName(f.name);
    watch(w, i);
    return w;
}

void RecordForm::watch(QWidget *w, int field)
{
    w->setProperty("recordField", field);
    w->installEventFilter(this);
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
        combo->lineEdit()->setProperty("recordField", field);
        combo->lineEdit()->installEventFilter(this);
    }
}

// The named-list editors replace the items of a box while a record shows;
// the text of the record must not change with them.
void RecordForm::keepChoiceText(int field, QComboBox *box)
{
    connect(box, &QComboBox::editTextChanged, this, [this, field](const QString &text) {
        if (m_modelChanging[field] > 0)
            return;
        m_choiceTexts[field] = text;
        userChange(field);
    });
    QAbstractItemModel *model = box->model();
    auto begin = [this, field] { ++m_modelChanging[field]; };
    auto end = [this, field, box] {
        if (m_modelChanging[field] > 0)
            --m_modelChanging[field];
        if (m_modelChanging[field] == 0 && box->currentText() != m_choiceTexts[field]) {
            ++m_filling;
            ++m_modelChanging[field];
            setChoiceText(box, m_choiceTexts[field]);
            --m_modelChanging[field];
            --m_filling;
        }
    };
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, begin);
    connect(model, &QAbstractItemModel::modelReset, this, end);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, begin);
    connect(model, &QAbstractItemModel::rowsInserted, this, end);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, begin);
    connect(model, &QAbstractItemModel::rowsRemoved, this, end);
}

void RecordForm::userChange(int field)
{
    if (m_filling > 0)
        return;
    emit edited(field);
}

bool RecordForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const int field = watched->property("recordField").toInt();
        // Page Up / Page Down in any field step to the previous / next record
        // and go no further (the spin and date fields would step their value).
        if ((key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            emit pageKey(key->key() == Qt::Key_PageDown);
            return true;
        }
        if (m_amountFilter && field >= 0 && field < m_schema.fieldCount() && m_schema.field(field).kind == Kind::Amount
            && key->text().size() == 1
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const QChar typed = key->text().at(0);
            const auto kept = m_amountFilter(typed);
            if (!kept)
                return true; // dropped
            if (*kept != typed) {
                if (auto *edit = qobject_cast<QLineEdit *>(watched))
                    edit->insert(QString(*kept));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RecordForm::clear(QDate today)
{
    ++m_filling;
    for (int i = 0; i < m_schema.fieldCount(); ++i) {
        const RecordField &f = m_schema.field(i);
        if (f.keptOnRead)
            continue;
        QWidget *w = m_controls[i];
        switch (f.kind) {
        case Kind::Text:
        case Kind::Amount: static_cast<QLineEdit *>(w)->clear(); break;
        case Kind::Date: static_cast<QDateEdit *>(w)->setDate(today); break;
        case Kind::Integer: static_cast<QSpinBox *>(w)->setValue(f.defaultValue); break;
        case Kind::Choice:
            m_choiceTexts[i].clear();
            setChoiceText(static_cast<QComboBox *>(w), QString());
            break;
        case Kind::Picture: setPicturePath(QString()); break;
        case Kind::Memo: MemoText::show(static_cast<QPlainTextEdit *>(w), {}); break;
        }
    }
    --m_filling;
}

void RecordForm::restoreDefaults(QDate today)
{
    clear(today);
    ++m_filling;
    for (int i = 0; i < m_schema.fieldCount(); ++i) {
        if (m_schema.field(i).kind == Kind::Integer)
            static_cast<QSpinBox *>(m_controls[i])->setValue(m_schema.field(i).defaultValue);
    }
    --m_filling;
}

void RecordForm::setValues(const RecordValues &values)
{
    ++m_filling;
    for (int i = 0; i < m_schema.fieldCount() && i < values.size(); ++i) {
        const QVariant &v = values[i];
        if (!v.isValid())
            continue;
        QWidget *w = m_controls[i];
        switch (m_schema.field(i).kind) {
        case Kind::Text:
        case Kind::Amount:
            static_cast<QLineEdit *>(w)->setText(v.toString());
            static_cast<QLineEdit *>(w)->setCursorPosition(0);
            break;
        case Kind::Date: static_cast<QDateEdit *>(w)->setDate(v.toDate()); break;
        case Kind::Integer: static_cast<QSpinBox *>(w)->setValue(v.toInt()); break;
        case Kind::Choice:
            m_choiceTexts[i] = v.toString();
            setChoiceText(static_cast<QComboBox *>(w), v.toString());
            break;
        case Kind::Picture: setPicturePath(v.toString()); break;
        case Kind::Memo: MemoText::show(static_cast<QPlainTextEdit *>(w), v.toStringList()); break;
        }
    }
    --m_filling;
}

QVariant RecordForm::value(int i) const
{
    QWidget *w = m_controls.value(i);
    if (!w)
        return {};
    switch (m_schema.field(i).kind) {
    case Kind::Text:
    case Kind::Amount: return static_cast<QLineEdit *>(w)->text();
    case Kind::Date: return static_cast<QDateEdit *>(w)->date();
    case Kind::Integer: return static_cast<QSpinBox *>(w)->value();
    case Kind::Choice: return static_cast<QComboBox *>(w)->currentText();
    case Kind::Picture: return picturePath();
    case Kind::Memo: return MemoText::lines(static_cast<QPlainTextEdit *>(w));
    }
    return {};
}

RecordValues RecordForm::values() const
{
    RecordValues v;
    v.reserve(m_schema.fieldCount());
    for (int i = 0; i < m_schema.fieldCount(); ++i)
        v << value(i);
    return v;
}

QString RecordForm::picturePath() const
{
    return m_picturePath;
}

QString RecordForm::setPicturePath(const QString &path)
{
    if (!m_picture)
        return {};
    m_picturePath = path;
    return m_picture->showFile(path);
}

void RecordForm::focusFirstField()
{
    if (!m_controls.isEmpty() && m_controls.first())
        m_controls.first()->setFocus(Qt::OtherFocusReason);
}
