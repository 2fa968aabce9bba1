#include "common/MmCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

namespace {

int perMm(int pixels, int mm)
{
    return mm > 0 ? pixels / mm : 1;
}

} // namespace

QString MmCanvas::fitted(const QString &text, int widthMm) const
{
    const int room = Mh(widthMm) - Mh(0);
    if (textWidth(text) <= room)
        return text;
    // The longest beginning that fits with the ellipsis after it.
    const QString ellipsis(QChar(0x2026));
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (textWidth(text.left(mid) + ellipsis) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    return low > 0 ? text.left(low) + ellipsis : QString();
}

PainterMmCanvas::PainterMmCanvas(QPainter &painter, const QPaintDevice &device, std::function<bool()> newPage)
    : m_painter(painter), m_pxPerMmX(perMm(device.width(), device.widthMM())),
      m_pxPerMmY(perMm(device.height(), device.heightMM())), m_widthMm(device.widthMM()), m_heightMm(device.heightMM()),
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

void PainterMmCanvas::textOutRight(int xMm, int yMm, const QString &text)
{
    const QFontMetrics fm = m_painter.fontMetrics();
    m_painter.drawText(Mh(xMm) - fm.horizontalAdvance(text), Mv(yMm) + fm.ascent(), text);
}

void PainterMmCanvas::picture(int x1Mm, int y1Mm, int x2Mm, int y2Mm, const QImage &image)
{
    if (image.isNull())
        return;
    const QRect box(QPoint(Mh(x1Mm), Mv(y1Mm)), QPoint(Mh(x2Mm) - 1, Mv(y2Mm) - 1));
    QSize size = image.size().scaled(box.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(box.center());
    m_painter.drawImage(target, image);
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
