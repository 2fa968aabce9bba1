#include "utilities/EuroConverter.h"

#include "utilities/DecimalText.h"

#include <cmath>

namespace {

// n / 10^decimals where n is already rounded; an amount too long for whole
// numbers (twenty typed digits) falls back to the shortest decimal form.
QString roundedText(double n, int decimals)
{
    if (std::abs(n) < 1e17)
        return DecimalText::scaled(qint64(n), decimals);
    return DecimalText::shortest(n / std::pow(10.0, decimals));
}

} // namespace

QString EuroConverter::rateText() const
{
    return DecimalText::scaled(m_rate, 5);
}

void EuroConverter::typeKey(QChar key)
{
    if (key.isNull())
        return;
    startEntry();
    if (key.isDigit() && key.unicode() < 128)
        m_input += key;
    else if (key == QLatin1Char(',') || key == QLatin1Char('.'))
        m_input += QLatin1Char(',');
}

void EuroConverter::startEntry()
{
    if (m_resultShown) {
        m_input.clear();
        m_result.clear();
    }
    m_resultShown = false;
}

void EuroConverter::rateDown()
{
    m_rate = std::max<qint64>(1, m_rate - 1);
}

void EuroConverter::convert()
{
    m_resultShown = true;
    const std::optional<double> amount = DecimalText::read(m_input);
    if (!amount)
        return;
    // Euros are rounded to the cent, francs to the tenth of a franc; ties go
    // to the even neighbour.
    if (direction == Direction::FrancsToEuros) {
        const double x = *amount * 100000.0 / double(m_rate);
        m_result = roundedText(std::nearbyint(x * 100), 2);
    } else {
        const double x = *amount * double(m_rate) * 0.000001;
        m_result = roundedText(std::nearbyint(x * 100), 1);
    }
}
