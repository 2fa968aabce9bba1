#pragma once

#include <QString>

// The euro converter's keypad logic: an input line typed digit by digit, a
// result line, and a rate in hundred-thousandths of a franc per euro that the
// user may nudge.
class EuroConverter
{
public:
    enum class Direction
    {
        FrancsToEuros,
        EurosToFrancs
    };

    const QString &input() const { return m_input; }
    const QString &result() const { return m_result; }
    qint64 rate() const { return m_rate; }
    QString rateText() const; // "6,55957"
    bool resultShown() const { return m_resultShown; }

    Direction direction = Direction::FrancsToEuros;

    // A key typed on the window: digits append, "," and "." append a comma,
    // any other key only starts a new entry. A key with no text (a null
    // character: Shift, Ctrl or Alt alone) starts nothing, so Alt+Tab keeps
    // the conversion. Enter and Escape are the window's.
    void typeKey(QChar key);
    // Typing after a result starts a new amount: both lines are emptied.
    void startEntry();
    // Enter or "=". Text that is not a number leaves the result line as it
    // is.
    void convert();
    void rateUp() { ++m_rate; }
    void rateDown();
    // The window becoming active.
    void activate() { m_resultShown = false; }

private:
    QString m_input;
    QString m_result;
    qint64 m_rate = 655957;
    bool m_resultShown = false;
};
