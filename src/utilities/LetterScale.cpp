#include "utilities/LetterScale.h"

#include "utilities/DecimalText.h"

#include <cmath>

namespace LetterScale {

namespace {

// Unit weights in grams of SpinEdit1 .. SpinEdit21.
constexpr std::array<double, ItemCount> kUnitWeights = {
    3.2,  4.5,  7.5,  14.6,     // plain envelopes
    16,   20.4, 25,   29.3,     // padded envelopes (the largest is SpinEdit21)
    5,    10,   2.5,  1.4,      // sheets and a cheque
    19,   15,   22.2, 92,   86, // computer media
    3.6,  6,                    // photos
    1,                          // extra weight, in grams
    37.5,                       // 280 x 370 padded envelope
};

// Items are added in this order: the envelopes, sheets, media and photos,
// the late-comer SpinEdit21 after the photos, and the extra weight last.
constexpr std::array<int, ItemCount> kOrder = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                               12, 13, 14, 15, 16, 17, 18, 19, 21, 20};

struct Bracket
{
    double from;
    bool fromIncluded;
    double to; // always included
    double price;
};

// Brackets are walked in order and every one that holds sets the price, so
// where two European brackets share an edge (40, 80, 200, 400 g) the later,
// dearer one wins.
constexpr Bracket kRapide[] = {{0, true, 20, 3.00},        {20, false, 50, 4.50},     {50, false, 100, 6.70},
                               {100, false, 250, 11.50},   {250, false, 500, 16.00},  {500, false, 1000, 21.00},
                               {1000, false, 2000, 28.00}, {2000, false, 3000, 33.00}};
constexpr Bracket kEcopli[] = {
    {0, true, 20, 2.70}, {20, false, 50, 3.50}, {50, false, 100, 4.20}, {100, false, 250, 8.00}};
constexpr Bracket kEurope[] = {{0, true, 20, 3.00},      {20, false, 40, 4.60},    {40, true, 60, 6.00},
                               {60, false, 80, 7.00},    {80, true, 100, 8.00},    {100, false, 200, 18.00},
                               {200, true, 300, 28.00},  {300, false, 400, 32.00}, {400, true, 500, 35.00},
                               {500, false, 750, 47.00}, {750, false, 1000, 56.00}};

template<std::size_t N>
double walk(const Bracket (&table)[N], double w)
{
    double price = 0;
    for (const Bracket &b : table) {
        const bool above = b.fromIncluded ? w >= b.from : w > b.from;
        if (above && w <= b.to)
            price = b.price;
    }
    return price;
}

} // namespace

double weight(const std::array<int, ItemCount> &counts)
{
    double w = 0;
    for (int n : kOrder)
        w += counts[n - 1] * kUnitWeights[n - 1];
    // Every unit weight is a whole number of tenths of a gram: drop the
    // binary noise of the sum so that 20 g made of 3.2 g pieces stays in the
    // bracket up to 20 g.
    return std::round(w * 1000) / 1000;
}

double francs(Tariff tariff, double grams)
{
    switch (tariff) {
    case Tariff::FranceRapide: return walk(kRapide, grams);
    case Tariff::UnionEuropeenne: return walk(kEurope, grams);
    case Tariff::FranceEcopli: return walk(kEcopli, grams);
    }
    return 0;
}

double euros(double francs)
{
    return francs * (1.0L / 6.55957L);
}

Result compute(const std::array<int, ItemCount> &counts, Tariff tariff)
{
    const double w = weight(counts);
    const double f = francs(tariff, w);
    return {DecimalText::fixed(w, 0) + QStringLiteral(" g"), DecimalText::fixed(f, 2) + QStringLiteral(" F"),
            DecimalText::fixed(euros(f), 2) + QStringLiteral(" E")};
}

} // namespace LetterScale
