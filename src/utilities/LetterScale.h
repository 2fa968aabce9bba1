#pragma once

#include <QString>

#include <array>

// The letter scale: the weight of a letter from the number of each common
// item it holds, and its postage in francs and euros under three tariffs.
namespace LetterScale {

// Item kinds, in the order the weights are added up. The last one is the
// extra weight in grams (its unit weight is 1).
inline constexpr int ItemCount = 21;

enum class Tariff
{
    FranceRapide,
    UnionEuropeenne,
    FranceEcopli
};

// counts[n - 1] is the value of SpinEdit n.
double weight(const std::array<int, ItemCount> &counts);
// Postage in francs; 0 above the tariff's last bracket.
double francs(Tariff tariff, double grams);
// The legal conversion, 1 / 6.55957 francs per euro.
double euros(double francs);

struct Result
{
    QString weight; // "10 g"
    QString francs; // "3,00 F"
    QString euros;  // "0,46 E"
};
Result compute(const std::array<int, ItemCount> &counts, Tariff tariff);

} // namespace LetterScale
