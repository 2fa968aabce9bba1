#include "common/MmCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

int perMm(int pixels, int mm)
{
    return mm > 0 ? pixels / mm : 1;
}

} // namespace

PainterMmCanvas::PainterMmCanvas(QPainter &painter, const QPaintDevice &device, std::function<bool()> newPage)
    : m_painter(painter),
      m_pxPerMmX(perMm(device.width(), device.widthMM())),
      m_pxPerMmY(perMm(device.height(), device.heightMM())),
      m_newPage(std::move(newPage))
{
}

int PainterMmCanvas::Mh(int xMm) const
{
    return (xMm + 5) * m_pxPerMmX;
}

int PainterMmCanvas::Mv(int yMm) const
{
    return (yMm + 5) * m_pxPerMmY;
}

void PainterMmCanvas::setFont(const QString &family, int pointSize, bool bold)
{
    QFont f(family, pointSize);
    f.setBold(bold);
    m_painter.setFont(f);
}

void PainterMmCanvas::textOut(int xMm, int yMm, const QString &text)
{
    const QFontMetrics fm = m_painter.fontMetrics();
    m_painter.drawText(Mh(xMm), Mv(yMm) + fm.ascent(), text);
}

int PainterMmCanvas::textWidth(const QString &text) const
{
    return m_painter.fontMetrics().horizontalAdvance(text);
}

void PainterMmCanvas::line(int x1Mm, int y1Mm, int x2Mm, int y2Mm)
{
    m_painter.drawLine(Mh(x1Mm), Mv(y1Mm), Mh(x2Mm), Mv(y2Mm));
}

void PainterMmCanvas::rectangle(int x1Mm, int y1Mm, int x2Mm, int y2Mm)
{
    m_painter.drawRect(QRect(QPoint(Mh(x1Mm), Mv(y1Mm)), QPoint(Mh(x2Mm) - 1, Mv(y2Mm) - 1)));
}

void PainterMmCanvas::newPage()
{
    if (m_newPage)
        m_newPage();
}
