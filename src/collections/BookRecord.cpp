#include "collections/BookRecord.h"

namespace BookRecord {

QStringList conditions()
{
    return {QStringLiteral("Neuf"), QStringLiteral("Bon"), QStringLiteral("Moyen"), QStringLiteral("Mauvais"),
            QStringLiteral("Très mauvais")};
}

const RecordSchema &schema()
{
    using F = RecordField;
    static const RecordSchema s = [] {
        F year = F::spin(QStringLiteral("SpinEdit7"), QStringLiteral("Année"), 2000);
        year.emptyKeepsValue = true;
        F condition = F::choice(8, QStringLiteral("Etat"));
        condition.fixedItems = conditions();
        return RecordSchema(QStringLiteral("Ma bibliothèque"),
                            {F::text(QStringLiteral("Edit13"), QStringLiteral("Code")),
                             F::date(QStringLiteral("DateTimePicker2"), QStringLiteral("Date")),
                             F::spin(QStringLiteral("SpinEdit6"), QStringLiteral("Note"), 0),
                             F::text(QStringLiteral("Edit14"), QStringLiteral("Titre")),
                             F::text(QStringLiteral("Edit15"), QStringLiteral("Auteur")),
                             F::text(QStringLiteral("Edit16"), QStringLiteral("Editeur")),
                             F::text(QStringLiteral("Edit17"), QStringLiteral("Pays")),
                             F::choice(7, QStringLiteral("Catégorie")), year, condition,
                             F::memo(QStringLiteral("Memo5"), QStringLiteral("Description")),
                             F::memo(QStringLiteral("Memo6"), QStringLiteral("Commentaires"))});
    }();
    return s;
}

} // namespace BookRecord
