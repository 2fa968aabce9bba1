#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QImage;
class QPainter;
class QPaintDevice;

// A printing surface addressed in millimetres from the top-left corner of
// the printable area. Mh and Mv turn millimetres into device pixels with a
// fixed 5 mm margin and the device's whole pixels per millimetre (integer
// division, so a 600 dpi printer with 23.6 pixels per millimetre uses 23).
// Print routines draw through it; tests record what they drew.
class MmCanvas
{
public:
    virtual ~MmCanvas() = default;

    virtual int Mh(int xMm) const = 0;
    virtual int Mv(int yMm) const = 0;

    virtual void setFont(const QString &family, int pointSize, bool bold = false) = 0;
    // Text whose top-left corner is at (x, y) millimetres.
    virtual void textOut(int xMm, int yMm, const QString &text) = 0;
    virtual int textWidth(const QString &text) const = 0; // device pixels
    virtual void line(int x1Mm, int y1Mm, int x2Mm, int y2Mm) = 0;
    virtual void rectangle(int x1Mm, int y1Mm, int x2Mm, int y2Mm) = 0;
    virtual void newPage() = 0;
    // Text whose top-right corner is at (x, y): its left edge lies at Mh(x)
    // minus its printed width.
    virtual void textOutRight(int xMm, int yMm, const QString &text) = 0;
    // A picture fitted into the box (x1, y1)-(x2, y2), its proportions
    // kept, centred.
    virtual void picture(int x1Mm, int y1Mm, int x2Mm, int y2Mm, const QImage &image) = 0;
    // Size of the printable area in whole millimetres.
    virtual int pageWidthMm() const = 0;
    virtual int pageHeightMm() const = 0;

    // Whether a line of text at y still ends inside the printable area (the
    // 5 mm margin and a line of 10 points, about 4 mm, below y).
    bool lineFits(int yMm) const { return yMm + 9 <= pageHeightMm(); }
    // A text cut to a width in millimetres, ending with "…" when cut, so
    // that it never runs over the next box or column.
    QString fitted(const QString &text, int widthMm) const;
    // Nothing is drawn for an empty text.
    void textIn(int xMm, int yMm, int widthMm, const QString &text)
    {
        if (!text.isEmpty())
            textOut(xMm, yMm, fitted(text, widthMm));
    }
    void textInRight(int xMm, int yMm, int widthMm, const QString &text)
    {
        if (!text.isEmpty())
            textOutRight(xMm, yMm, fitted(text, widthMm));
    }
};

// The real canvas over a painter on a printer (or any paint device).
class PainterMmCanvas final : public MmCanvas
{
public:
    // `painter` must be active on `device`.
    PainterMmCanvas(QPainter &painter, const QPaintDevice &device, std::function<bool()> newPage = {});

    int Mh(int xMm) const override;
    int Mv(int yMm) const override;
    void setFont(const QString &family, int pointSize, bool bold) override;
    void textOut(int xMm, int yMm, const QString &text) override;
    int textWidth(const QString &text) const override;
    void line(int x1Mm, int y1Mm, int x2Mm, int y2Mm) override;
    void rectangle(int x1Mm, int y1Mm, int x2Mm, int y2Mm) override;
    void newPage() override;
    void textOutRight(int xMm, int yMm, const QString &text) override;
    void picture(int x1Mm, int y1Mm, int x2Mm, int y2Mm, const QImage &image) override;
    int pageWidthMm() const override { return m_widthMm; }
    int pageHeightMm() const override { return m_heightMm; }

private:
    QPainter &m_painter;
    int m_pxPerMmX;
    int m_pxPerMmY;
    int m_widthMm;
    int m_heightMm;
    std::function<bool()> m_newPage;
};
