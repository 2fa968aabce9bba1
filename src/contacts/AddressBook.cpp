#include "contacts/AddressBook.h"

#include "contacts/ContactForm.h"

#include <QHash>

AddressBook::AddressBook()
{
    reset();
}

void AddressBook::reset()
{
    setLines({QStringLiteral(" ")});
}

void AddressBook::setLines(const QStringList &lines)
{
    m_lines = lines;
    m_letter = u'A';
    readPage();
}

void AddressBook::readPage()
{
    m_page.clear();
    for (const QString &line : std::as_const(m_lines)) {
        if (line.startsWith(m_letter))
            m_page.append(contactOf(line));
    }
    m_pageChanged = false;
}

bool AddressBook::writePage()
{
    if (!m_pageChanged || m_page.isEmpty())
        return false;
    // Never write a key of four digits: it would shift every field of the
    // line on the next load. Adding and changing refuse before it comes to
    // this; the store stays as it was.
    if (m_page.size() > MaxContactsPerPage)
        return false;
    m_lines.removeIf([this](const QString &line) { return line.startsWith(m_letter); });
    for (int i = 0; i < m_page.size(); ++i)
        m_lines.append(lineOf(m_letter, i, m_page.at(i)));
    m_pageChanged = false;
    return true;
}

bool AddressBook::setLetter(QChar letter)
{
    if (letter < u'A' || letter > u'Z')
        return false;
    const bool changed = writePage();
    m_letter = letter;
    readPage();
    return changed;
}

bool AddressBook::add(const QStringList &fields)
{
    if (isPageFull())
        return false;
    Contact c;
    c.fields = fields.mid(0, ContactForm::FieldCount);
    while (c.fields.size() < ContactForm::FieldCount)
        c.fields.append(QString());
    m_page.append(c);
    m_pageChanged = true;
    return true;
}

void AddressBook::appendContacts(const QStringList &lines)
{
    writePage();
    QHash<QChar, int> perPage;
    for (const QString &line : std::as_const(m_lines))
        if (!line.isEmpty())
            ++perPage[line.at(0)];
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const QChar letter = line.at(0);
        m_lines << lineOf(letter, perPage[letter]++, contactOf(line));
    }
    readPage();
}

bool AddressBook::change(int index, const QStringList &fields)
{
    if (index < 0 || index >= m_page.size() || m_page.size() > MaxContactsPerPage)
        return false;
    Contact &c = m_page[index];
    c.fields = fields.mid(0, ContactForm::FieldCount);
    while (c.fields.size() < ContactForm::FieldCount)
        c.fields.append(QString());
    m_pageChanged = true;
    writePage();
    readPage();
    return true;
}

bool AddressBook::remove(int index)
{
    writePage();
    if (index < 0 || index >= m_page.size())
        return false;
    // The page was read from the store or has just been written back, so
    // the store's lines of this letter are the page's contacts in order.
    // Going by position rather than by key also deletes the right contact
    // when a file carries keys that do not follow the page.
    int seen = 0;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (!m_lines.at(i).startsWith(m_letter))
            continue;
        if (seen++ == index) {
            m_lines.removeAt(i);
            break;
        }
    }
    readPage();
    return true;
}

AddressBook::Contact AddressBook::contactOf(const QString &line)
{
    Contact c;
    QString rest = line.mid(4);
    for (int f = 0; f < ContactForm::FieldCount; ++f) {
        const qsizetype tab = rest.indexOf(u'\t');
        if (tab < 0) {
            c.fields.append(rest);
            rest.clear();
        } else {
            c.fields.append(rest.left(tab));
            rest = rest.mid(tab + 1);
        }
    }
    c.tail = rest;
    return c;
}

QString AddressBook::lineOf(QChar letter, int index, const Contact &contact)
{
    QString line = key(letter, index);
    for (int f = 0; f < ContactForm::FieldCount; ++f) {
        line += contact.fields.value(f);
        line += u'\t';
    }
    return line + contact.tail;
}

QString AddressBook::key(QChar letter, int index)
{
    return letter + QString::number(FirstKey + KeyStep * index);
}
