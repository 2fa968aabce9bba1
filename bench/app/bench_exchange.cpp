// Exports to other programs: 100,000 appointments to iCalendar (target: a
// median under 1 s) and 1,000 contacts to vCard (under 100 ms).
#include "../agenda/AgendaBenchData.h"
#include "agenda/IcsExchange.h"
#include "contacts/AddressBook.h"
#include "contacts/ContactForm.h"
#include "contacts/VCard.h"

#include <benchmark/benchmark.h>

static void IcsExport100k(benchmark::State &state)
{
    const QStringList agenda = benchAgendaLines();
    const QStringList birthdays{"0315 Paul", "0229 Léa", "1225 Noël en famille"};
    const QDateTime now(QDate(2026, 1, 5), QTime(9, 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(IcsExchange::exportCalendar(agenda, birthdays, now, "Europe/Paris"));
}
BENCHMARK(IcsExport100k)->Unit(benchmark::kMillisecond);

static void VCardExport1000(benchmark::State &state)
{
    QStringList book{" "};
    for (int i = 0; i < 1000; ++i) {
        ContactForm f;
        f[ContactForm::Titre] = "Mme";
        f[ContactForm::Nom] = QStringLiteral("Lefèvre-%1").arg(i);
        f[ContactForm::Prenom] = "Héloïse";
        f[ContactForm::Societe] = "Durand, Fils; Cie";
        f[ContactForm::Adresse] = "12, avenue des Châtaigniers, bâtiment B";
        f[ContactForm::CodePostal] = "69003";
        f[ContactForm::Ville] = "Lyon";
        f[ContactForm::Telephone1] = "04 78 00 00 00";
        f[ContactForm::Telephone2] = "06 12 34 56 78";
        f[ContactForm::Email] = "heloise@exemple.fr";
        book << AddressBook::lineOf(QChar(u'A' + i % 26), i / 26, {f.toFields(), {}});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(VCard::exportBook(book));
}
BENCHMARK(VCardExport1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
