#pragma once

#include "agenda/AgendaOrder.h"
#include "common/DateText.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <random>

// An organiser file as saved: 100,000 appointments spread over the 20 years
// 2006-2025 (about 14 a day), sorted.
inline QStringList benchAgendaLines(int count = 100000)
{
    static const char *const words[] = {"Dentiste", "Réunion", "Banque", "Anniversaire de Paul", "Médecin",
                                        "Garage", "école", "Courses", "Coiffeur", "Train pour Lyon"};
    std::mt19937 rng(2026);
    const QDate first(2006, 1, 1);
    const int days = first.daysTo(QDate(2025, 12, 31)) + 1;
    std::uniform_int_distribution<int> day(0, days - 1), hour(7, 21), quarter(0, 3), word(0, 9);
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int h = hour(rng);
        const QString time = (h < 10 ? QStringLiteral(" %1").arg(h) : QString::number(h)) + u':'
                             + QStringLiteral("%1").arg(quarter(rng) * 15, 2, 10, QLatin1Char('0'));
        lines << DateText::key(first.addDays(day(rng))) + time + u' ' + QString::fromUtf8(words[word(rng)])
                     + u' ' + QString::number(i);
    }
    std::stable_sort(lines.begin(), lines.end(), AgendaOrder::lineLess);
    return lines;
}
