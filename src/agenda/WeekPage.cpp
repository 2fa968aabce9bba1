#include "agenda/WeekPage.h"

#include "agenda/DayList.h"
#include "agenda/TFicheRdv.h"
#include "agenda/WeekArithmetic.h"
#include "agenda/WeekClipboard.h"
#include "agenda/WeekPrint.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <algorithm>
#include <array>

#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

// Height of the week number bar; the two columns start below it.
constexpr int kBarHeight = 25;
// Day lists and day names start this far from the left of their column.
constexpr int kInset = 8;
// The first day list of a column starts this far down, below its labels.
constexpr int kFirstListTop = 24;
constexpr int kLabelHeight = 18;
constexpr int kDateLabelWidth = 181;
constexpr int kSeparatorWidth = 4;

const char16_t *const kDayNames[7] = {u"Lundi", u"Mardi", u"Mercredi", u"Jeudi", u"Vendredi", u"Samedi", u"Dimanche"};

} // namespace

WeekPage::WeekPage(DocumentContext &context, AgendaStore &store, QWidget *parent)
    : SectionPage(context, SectionId::Week, parent), m_store(store)
{
    m_panel4 = new QLabel(this);
    m_panel4->setObjectName(QStringLiteral("Panel4"));
    m_panel4->setAlignment(Qt::AlignCenter);
    m_panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QFont barFont = m_panel4->font();
    barFont.setBold(true);
    m_panel4->setFont(barFont);

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel2 = new QFrame(this);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel3 = new QFrame(this);
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    m_panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    QFont nameFont = font();
    nameFont.setBold(true);
    QPalette namePalette = palette();
    namePalette.setColor(QPalette::WindowText, Qt::blue);

    // Day i: Monday to Wednesday in the left column, Thursday to Sunday in
    // the right one. The date labels are Label10 .. Label15, then Label1 for
    // Sunday.
    for (int i = 0; i < 7; ++i) {
        QFrame *column = i < 3 ? m_panel1 : m_panel2;

        auto *name = new QLabel(QString::fromUtf16(kDayNames[i]), column);
        name->setObjectName(QStringLiteral("Label%1").arg(3 + i));
        name->setFont(nameFont);
        name->setPalette(namePalette);
        m_dayNames[i] = name;

        auto *date = new QLabel(column);
        date->setObjectName(i < 6 ? QStringLiteral("Label%1").arg(10 + i) : QStringLiteral("Label1"));
        date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_dateLabels[i] = date;

        // The birthdays of the day, between its name and its date.
        auto *birthdays = new QLabel(column);
        birthdays->setObjectName(QStringLiteral("Birthdays%1").arg(i + 1));
        QPalette birthdayPalette = palette();
        birthdayPalette.setColor(QPalette::WindowText, QColor(0xa0, 0x20, 0x50));
        birthdays->setPalette(birthdayPalette);
        m_birthdays[i] = birthdays;

        auto *list = new DayList(column);
        list->setObjectName(QStringLiteral("ListBox%1").arg(i + 1));
        m_lists[i] = list;
        const int day = i + 1;
        connect(list, &DayList::changeRequested, this, [this, day] { ListBoxDblClick(day); });
        connect(list, &DayList::itemRemoved, this, &WeekPage::setWeekEdited);
        list->installEventFilter(this);
    }

    m_buffer = new QLineEdit(this);
    m_buffer->setObjectName(QStringLiteral("Edit1"));
    m_buffer->hide();

    layoutFor(800, 480);
    InitSemaine();
    LitSemaine();
}

// ---------------------------------------------------------------------------
// Week arithmetic on screen

QDate WeekPage::reference()
{
    Document &doc = context().document();
    if (!doc.referenceDate.isValid())
        doc.referenceDate = context().clock().today();
    return doc.referenceDate;
}

void WeekPage::setReference(QDate date)
{
    context().document().referenceDate = date;
}

QDate WeekPage::dayDate(int i) const
{
    QDate r = context().document().referenceDate;
    if (!r.isValid())
        r = context().clock().today();
    return WeekArithmetic::day(r, i);
}

void WeekPage::InitSemaine()
{
    const QDate r = reference();
    for (int i = 1; i <= 7; ++i)
        m_dateLabels[i - 1]->setText(DateText::dayLabel(WeekArithmetic::day(r, i)));
    NumeroSemaine();
    showBirthdays();
}

void WeekPage::NumeroSemaine()
{
    m_panel4->setText(WeekArithmetic::weekLabel(reference()));
}

// ---------------------------------------------------------------------------
// Store <-> day lists

void WeekPage::LitRdv(DayList *list, QDate date)
{
    list->setItems(m_store.dayItems(date));
    m_weekEdited = false;
}

void WeekPage::showBirthdays()
{
    for (int i = 0; i < 7; ++i) {
        const QStringList names = context().birthdaysOn ? context().birthdaysOn(dayDate(i + 1)) : QStringList();
        const QString text = names.isEmpty() ? QString() : QStringLiteral("Anniversaire : ") + names.join(u", ");
        m_birthdays[i]->setToolTip(text);
    }
    // Where they go depends on how long they are.
    if (m_laidOut.isValid())
        layoutFor(m_laidOut.width(), m_laidOut.height());
}

void WeekPage::LitSemaine()
{
    showBirthdays();
    const QDate r = reference();
    for (int i = 1; i <= 7; ++i)
        LitRdv(m_lists[i - 1], WeekArithmetic::day(r, i));
}

void WeekPage::MetRdv(DayList *list, QDate date)
{
    m_store.setDayItems(date, list->items());
}

void WeekPage::EcritSemaine()
{
    if (!m_weekEdited)
        return;
    const QDate r = reference();
    for (int i = 1; i <= 7; ++i)
        MetRdv(m_lists[i - 1], WeekArithmetic::day(r, i));
    context().document().setModified();
    m_store.sort();
    // The screen and the store agree again: writing back twice would only
    // mark an unchanged document as modified.
    m_weekEdited = false;
}

void WeekPage::display()
{
    InitSemaine();
    LitSemaine();
}

// ---------------------------------------------------------------------------
// Document set

void WeekPage::reset()
{
    m_weekEdited = false;
    InitSemaine();
    LitSemaine();
}

// ---------------------------------------------------------------------------
// Commands

void WeekPage::AjoutJour()
{
    EcritSemaine();
    TFicheRdv dialog(context().clock(), context().dialogParent() ? context().dialogParent() : window());
    // The day the user went to (a click, Tab), else the reference date.
    dialog.Init(QStringLiteral("10:00"), QString(), m_chosenDay > 0 ? dayDate(m_chosenDay) : reference());
    context().ui().exec(&dialog);
    const TFicheRdv::Values v = dialog.Result();
    if (v.message.isEmpty())
        return;
    m_store.addAppointment(v.key, v.time, v.message);
    context().document().setModified();
    LitSemaine();
}

bool WeekPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        const auto it = std::find(m_lists.begin(), m_lists.end(), watched);
        if (it != m_lists.end()
            && (why == Qt::MouseFocusReason || why == Qt::TabFocusReason || why == Qt::BacktabFocusReason))
            m_chosenDay = int(it - m_lists.begin()) + 1;
    }
    return SectionPage::eventFilter(watched, event);
}

void WeekPage::MajJour(DayList *list, int day)
{
    EcritSemaine();
    if (!list->hasSelection())
        return;
    // An item is "hh:mm message": the old time is its first 5 characters,
    // the old message what follows the blank.
    const QString item = list->selectedText();
    const QDate oldDate = dayDate(day);
    TFicheRdv dialog(context().clock(), context().dialogParent() ? context().dialogParent() : window());
    dialog.Init(item.left(5), item.mid(6), oldDate);
    context().ui().exec(&dialog);
    const TFicheRdv::Values v = dialog.Result();
    if (v.message.isEmpty())
        return;
    m_store.changeAppointment(oldDate, item, v.key, v.time, v.message);
    context().document().setModified();
    LitSemaine();
}

void WeekPage::ListBoxDblClick(int day)
{
    for (int i = 1; i <= 7; ++i) {
        if (i != day)
            m_lists[i - 1]->clearSelection();
    }
    MajJour(m_lists[day - 1], day);
}

void WeekPage::SupSemaine()
{
    for (DayList *list : m_lists)
        list->removeSelected();
    setWeekEdited();
    context().document().setModified();
}

bool WeekPage::showWeekOfLine(const QString &line)
{
    if (line.size() < AgendaStore::KeyLength)
        return false;
    // The date is read back through its "dd/mm/yyyy" text; a line whose
    // first 8 characters are no date leaves the week as it is.
    const auto date = DateText::fromText(DateText::keyToText(QStringView(line).left(AgendaStore::KeyLength)));
    if (!date)
        return false;
    setReference(*date);
    InitSemaine();
    LitSemaine();
    return true;
}

bool WeekPage::showFound(qsizetype line)
{
    return line >= 0 && line < m_store.size() && showWeekOfLine(m_store.lines().at(line));
}

void WeekPage::couper()
{
    if (WeekClipboard::take(m_lists, m_buffer, true) > 0)
        setWeekEdited();
}

void WeekPage::copier()
{
    WeekClipboard::take(m_lists, m_buffer, false);
}

void WeekPage::coller()
{
    if (WeekClipboard::paste(m_lists, m_buffer) > 0)
        setWeekEdited();
}

void WeekPage::premier()
{
    EcritSemaine();
    if (!m_store.isEmpty())
        showWeekOfLine(m_store.lines().constFirst());
}

void WeekPage::dernier()
{
    EcritSemaine();
    if (!m_store.isEmpty())
        showWeekOfLine(m_store.lines().constLast());
}

void WeekPage::precedent()
{
    EcritSemaine();
    setReference(reference().addDays(-7));
    InitSemaine();
    LitSemaine();
}

void WeekPage::suivant()
{
    EcritSemaine();
    setReference(reference().addDays(7));
    InitSemaine();
    LitSemaine();
}

// ---------------------------------------------------------------------------
// Resizing: W and H are the document window's width and height.

void WeekPage::layoutFor(int W, int H)
{
    const auto nonNegative = [](int v) { return qMax(0, v); };
    m_laidOut = QSize(W, H);

    // The pixel sizes of the usual font are the least each part gets; a
    // larger font heightens the bar and the days' labels, and widens the
    // labels, the lists giving up the height their labels take.
    const int barHeight = std::max(kBarHeight, m_panel4->fontMetrics().height() + 8);
    const int labelHeight = std::max(kLabelHeight, m_dayNames[0]->fontMetrics().height() + 2);
    const int lift = labelHeight - kLabelHeight;
    const int panel1Width = nonNegative(W / 2 - 18);
    const int panel2Width = nonNegative(W / 2 - 14);
    const int columnHeight = nonNegative(H - barHeight);
    const int panel3Left = W / 2 - 15;

    m_panel4->setGeometry(0, 0, nonNegative(W), barHeight);
    m_panel1->setGeometry(0, barHeight, panel1Width, columnHeight);
    m_panel3->setGeometry(panel3Left, barHeight, kSeparatorWidth, nonNegative(H - 50 - barHeight));
    m_panel2->setGeometry(panel3Left + kSeparatorWidth + 2, barHeight, panel2Width, columnHeight);

    const int listWidth = nonNegative(W / 2 - 35);
    const int tallHeight = nonNegative(H / 3 - 50);
    const int middleTop = H / 3 - 4;
    const int lowTop = (2 * H) / 3 - 28;

    // Top and height of each day list, Monday to Sunday.
    std::array<std::pair<int, int>, 7> lists = {{
        {kFirstListTop, tallHeight},
        {middleTop, tallHeight},
        {lowTop, tallHeight},
        {kFirstListTop, tallHeight},
        {middleTop, tallHeight},
        {lowTop, nonNegative(H / 6 - 34)},
        {H - 120, nonNegative(H / 6 - 40)},
    }};
    // On a tall window the rules put the bottom of the lowest list (Sunday's,
    // 7H/6 - 160) below the bottom of its column (H - 25). Such a column is
    // shrunk: every list's top and height in it, measured from the first
    // list's top, are scaled so that its lowest list ends inside the column.
    const auto fitColumn = [&](int first, int last) {
        int bottom = 0;
        for (int i = first; i <= last; ++i)
            bottom = std::max(bottom, lists[i].first + lists[i].second);
        const int room = columnHeight;
        if (bottom <= room || bottom <= kFirstListTop)
            return;
        const double factor = double(std::max(0, room - kFirstListTop)) / (bottom - kFirstListTop);
        for (int i = first; i <= last; ++i) {
            auto &[top, height] = lists[i];
            top = kFirstListTop + int((top - kFirstListTop) * factor);
            height = int(height * factor);
        }
    };
    fitColumn(0, 2);
    fitColumn(3, 6);
    for (int i = 0; i < 7; ++i) {
        const auto [top, height] = lists[i];

        // Monday's and Thursday's labels stay at the top of their column;
        // the others sit just above their list.
        const int labelTop = (i == 0 || i == 3) ? kFirstListTop - 20 : top - 20;
        int dateLeft;
        if (i < 3)
            dateLeft = panel1Width - 190;
        else if (i == 3)
            dateLeft = panel2Width - 190;
        else
            dateLeft = panel2Width - 194;
        const int dateText = m_dateLabels[i]->fontMetrics().horizontalAdvance(QStringLiteral("30 septembre 2026"));
        const int dateWidth = std::max(kDateLabelWidth, dateText + 8);
        const int dateRight = dateLeft + kDateLabelWidth;
        const QFontMetrics names(m_dayNames[i]->font());
        m_dayNames[i]->setGeometry(kInset, labelTop, std::max(100, names.horizontalAdvance(m_dayNames[i]->text()) + 4),
                                   labelHeight);
        m_dateLabels[i]->setGeometry(dateRight - dateWidth, labelTop, dateWidth, labelHeight);
        // The birthdays take the room the day's name and date leave, or,
        // when they need more, a line of their own under them.
        QLabel *birthdays = m_birthdays[i];
        const QString text = birthdays->toolTip();
        const int birthdaysLeft = kInset + names.horizontalAdvance(m_dayNames[i]->text()) + 12;
        const int beside = std::max(0, dateRight - dateText - 8 - birthdaysLeft);
        const bool under = birthdays->fontMetrics().horizontalAdvance(text) > beside;
        if (under)
            birthdays->setGeometry(kInset, labelTop + labelHeight, listWidth, labelHeight);
        else
            birthdays->setGeometry(birthdaysLeft, labelTop, beside, labelHeight);
        birthdays->setText(birthdays->fontMetrics().elidedText(text, Qt::ElideRight, birthdays->width()));
        const int below = lift + (under ? labelHeight : 0);
        m_lists[i]->setGeometry(kInset, top + below, listWidth, nonNegative(height - below));
    }
}

bool WeekPage::print(MmCanvas &canvas)
{
    WeekPrint::ImpSemaine(canvas, WeekPrint::sheetOf(*this));
    return true;
}
