#include "utilities/TPLettre.h"

#include "utilities/LetterScale.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

struct Item
{
    const char16_t *group; // set on the first item of a group
    const char16_t *label;
    int counter;
};

const Item kItems[] = {
    {u"Enveloppes simples", u"114 x 162 mm", 1},
    {nullptr, u"110 x 220 mm", 2},
    {nullptr, u"162 x 229 mm", 3},
    {nullptr, u"229 x 234 mm", 4},
    {u"Enveloppes matalassées", u"170 x 230 mm", 5},
    {nullptr, u"200 x 270 mm", 6},
    {nullptr, u"240 x 280 mm", 7},
    {nullptr, u"260 x 340 mm", 8},
    {nullptr, u"280 x 370 mm", 21},
    {u"Feuilles", u"210 x 297 mm (A4)", 9},
    {nullptr, u"297 x 420 mm (A3)", 10},
    {nullptr, u"180 x 220 mm (cour.)", 11},
    {nullptr, u"Chèque", 12},
    {u"Supports informatiques", u"Disquette 3 1/2", 13},
    {nullptr, u"CD-ROM nu", 14},
    {nullptr, u"CD-ROM Etui", 15},
    {nullptr, u"CD-ROm boîte plast.", 16},
    {nullptr, u"Disquette Ioméga", 17},
    {u"Photos", u"Photo 100 x 150 mm", 18},
    {nullptr, u"Photo 130 x 190 mm", 19},
    {u"Poids supplémentaire", u"En grammes", 20},
};

} // namespace

TPLettre::TPLettre(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TPLettre"));
    setWindowTitle(QStringLiteral("Pèse-Lettres"));

    auto *grid = new QGridLayout(this);
    QFormLayout *form = nullptr;
    int column = 0, row = 0;
    for (const Item &item : kItems) {
        if (item.group) {
            auto *box = new QGroupBox(QString::fromUtf16(item.group), this);
            form = new QFormLayout(box);
            // Three columns of groups: envelopes | sheets and media | photos,
            // extra weight and the tariff.
            const QString g = box->title();
            if (g == QLatin1String("Feuilles") || g == QLatin1String("Photos")) {
                ++column;
                row = 0;
            }
            grid->addWidget(box, row++, column);
        }
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("SpinEdit%1").arg(item.counter));
        spin->setRange(0, 200);
        spin->setAccelerated(true);
        m_counters[item.counter - 1] = spin;
        form->addRow(QString::fromUtf16(item.label), spin);
        connect(spin, &QSpinBox::valueChanged, this, &TPLettre::Recompute);
    }

    auto *tariffBox = new QGroupBox(QStringLiteral("Tarification"), this);
    auto *tariffs = new QVBoxLayout(tariffBox);
    const char16_t *tariffNames[] = {u"Expédition France rapide", u"Expédition vers l'U.E.",
                                     u"Expédition France Ecopli"};
    for (int i = 0; i < 3; ++i) {
        m_tariffs[i] = new QRadioButton(QString::fromUtf16(tariffNames[i]), tariffBox);
        m_tariffs[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        tariffs->addWidget(m_tariffs[i]);
        connect(m_tariffs[i], &QRadioButton::clicked, this, &TPLettre::Recompute);
    }
    m_tariffs[0]->setChecked(true);
    grid->addWidget(tariffBox, row++, column);

    auto *results = new QGroupBox(QStringLiteral("Résultat"), this);
    auto *resultRow = new QHBoxLayout(results);
    m_weight = new QLabel(results);
    m_francs = new QLabel(results);
    m_euros = new QLabel(results);
    m_weight->setObjectName(QStringLiteral("LabelPoids"));
    m_francs->setObjectName(QStringLiteral("LabelFrancs"));
    m_euros->setObjectName(QStringLiteral("LabelEuros"));
    for (QLabel *l : {m_weight, m_francs, m_euros}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(70);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        resultRow->addWidget(l);
    }
    grid->addWidget(results, row++, column);

    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button1"));
    // Not the dialog's default button: Enter in a counter must not close the
    // window and lose the counts; only Escape and "Fermer" close it.
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(close, row, column, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(row, 1);

    // The empty letter's result from the start.
    Recompute();
}

void TPLettre::Recompute()
{
    std::array<int, LetterScale::ItemCount> counts{};
    for (int i = 0; i < LetterScale::ItemCount; ++i)
        counts[i] = m_counters[i]->value();
    LetterScale::Tariff tariff = LetterScale::Tariff::FranceRapide;
    if (m_tariffs[1]->isChecked())
        tariff = LetterScale::Tariff::UnionEuropeenne;
    else if (m_tariffs[2]->isChecked())
        tariff = LetterScale::Tariff::FranceEcopli;
    const LetterScale::Result r = LetterScale::compute(counts, tariff);
    m_weight->setText(r.weight);
    m_francs->setText(r.francs);
    m_euros->setText(r.euros);
}
