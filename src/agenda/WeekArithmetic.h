#pragma once

#include <QDate>
#include <QString>

// The week planner shows one week, Monday to Sunday, chosen by a single date,
// the reference date. The displayed week is the one that contains the
// reference date (a Sunday shows the week that ends on it, so an appointment
// found on a Sunday is on screen); its days are numbered 1 (Monday) to
// 7 (Sunday), and its number is the ISO 8601 week number.
namespace WeekArithmetic {

// Monday of the displayed week.
QDate monday(QDate reference);
// Day i of the displayed week, i = 1 (Monday) .. 7 (Sunday).
QDate day(QDate reference, int i);

// ISO 8601 number of the displayed week (1..53).
int weekNumber(QDate reference);
// The caption of the bar above the planner: "Semaine " + number.
QString weekLabel(QDate reference);

} // namespace WeekArithmetic
