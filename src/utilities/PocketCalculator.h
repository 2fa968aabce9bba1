#pragma once

#include <QString>

// The pocket calculator: one display line and an accumulator, with a pending
// operator applied each time an operator or "=" is pressed. The window only
// feeds it buttons; one engine lives as long as the program, so that the
// new-number flag carries over from one opening of the window to the next.
class PocketCalculator
{
public:
    enum class Error
    {
        None,
        NotANumber,
        DivisionByZero,
        NegativeRoot,
        Overflow
    };

    const QString &display() const { return m_display; }
    bool newNumber() const { return m_newNumber; }

    // "C", and each time the window becomes active: everything but the
    // new-number flag starts afresh.
    void clear();
    void digit(int d);
    // The comma is appended whatever the display holds.
    void comma();
    Error equals();
    // '+', '-', '*' or '/': "=" first, then this operator is pending.
    Error operate(QChar op);
    Error reciprocal();
    Error squareRoot();

    // A key of the keyboard, as the button it presses would: digits, ",",
    // ".", "=", the four operators, "x" for 1/x, "s" for the root, "c" to
    // clear. False when the key presses no button.
    bool key(QChar k, Error *error = nullptr);

    static QString errorText(Error e);

private:
    // Significant digits of a result shown ("=" and the operators).
    static constexpr int kDigits = 12;

    void showAccumulator();

    QString m_display;
    double m_accumulator = 0;
    double m_operand = 0;
    QChar m_pending;
    bool m_loaded = false;
    bool m_newNumber = false;
};
