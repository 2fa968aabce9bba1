#include "utilities/PocketCalculator.h"

#include "utilities/DecimalText.h"

#include <cmath>

void PocketCalculator::clear()
{
    m_display.clear();
    m_accumulator = 0;
    m_operand = 0;
    m_loaded = false;
    m_pending = QChar();
}

void PocketCalculator::digit(int d)
{
    if (m_newNumber)
        m_display.clear();
    m_display += QChar(u'0' + d);
    m_newNumber = false;
}

void PocketCalculator::comma()
{
    m_display += QLatin1Char(',');
}

PocketCalculator::Error PocketCalculator::equals()
{
    if (!m_loaded) {
        const std::optional<double> v = DecimalText::read(m_display);
        if (!v) {
            m_display.clear();
            return Error::None;
        }
        m_accumulator = *v;
        m_loaded = true;
        m_newNumber = true;
        return Error::None;
    }
    const std::optional<double> v = DecimalText::read(m_display);
    if (!v)
        return Error::NotANumber;
    m_operand = *v;
    double r = m_accumulator;
    if (m_pending == QLatin1Char('+'))
        r = m_accumulator + m_operand;
    else if (m_pending == QLatin1Char('-'))
        r = m_accumulator - m_operand;
    else if (m_pending == QLatin1Char('*'))
        r = m_accumulator * m_operand;
    else if (m_pending == QLatin1Char('/')) {
        if (m_operand == 0)
            return Error::DivisionByZero;
        r = m_accumulator / m_operand;
    }
    if (!std::isfinite(r))
        return Error::Overflow;
    m_accumulator = r;
    showAccumulator();
    m_newNumber = true;
    return Error::None;
}

PocketCalculator::Error PocketCalculator::operate(QChar op)
{
    const Error e = equals();
    if (e == Error::None)
        m_pending = op;
    return e;
}

PocketCalculator::Error PocketCalculator::reciprocal()
{
    const std::optional<double> v = DecimalText::read(m_display);
    if (!v)
        return Error::NotANumber;
    m_operand = *v;
    if (m_operand == 0)
        return Error::DivisionByZero;
    m_accumulator = 1 / m_operand;
    m_display = DecimalText::shortest(m_accumulator);
    m_loaded = true;
    m_newNumber = true;
    return Error::None;
}

PocketCalculator::Error PocketCalculator::squareRoot()
{
    const std::optional<double> v = DecimalText::read(m_display);
    if (!v)
        return Error::NotANumber;
    m_operand = *v;
    if (m_operand < 0)
        return Error::NegativeRoot;
    m_accumulator = std::sqrt(m_operand);
    m_display = DecimalText::shortest(m_accumulator);
    m_loaded = true;
    m_newNumber = true;
    return Error::None;
}

void PocketCalculator::showAccumulator()
{
    // Rounded to the 12 significant digits a result holds, which clears the
    // noise of binary fractions (10 - 9,9 shows 0,1, 0,1 + 0,2 shows 0,3);
    // only zeros at the end of the decimals go, so 1,05 stays 1,05 when it
    // is read back as the next operand.
    m_display = DecimalText::shortest(m_accumulator, kDigits);
}

bool PocketCalculator::key(QChar k, Error *error)
{
    Error e = Error::None;
    const char16_t c = k.unicode();
    if (c >= u'0' && c <= u'9')
        digit(c - u'0');
    else if (c == u',' || c == u'.')
        comma();
    else if (c == u'=')
        e = equals();
    else if (c == u'+' || c == u'-' || c == u'*' || c == u'/')
        e = operate(k);
    else if (c == u'x' || c == u'X')
        e = reciprocal();
    else if (c == u's' || c == u'S')
        e = squareRoot();
    else if (c == u'c' || c == u'C')
        clear();
    else
        return false;
    if (error)
        *error = e;
    return true;
}

QString PocketCalculator::errorText(Error e)
{
    switch (e) {
    case Error::None: break;
    case Error::NotANumber: return QStringLiteral("L'affichage n'est pas un nombre.");
    case Error::DivisionByZero: return QStringLiteral("Division par zéro impossible.");
    case Error::NegativeRoot: return QStringLiteral("Pas de racine carrée d'un nombre négatif.");
    case Error::Overflow: return QStringLiteral("Nombre trop grand.");
    }
    return QString();
}
