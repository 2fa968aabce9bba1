#include "collections/VideoRecord.h"

namespace VideoRecord {

const RecordSchema &schema()
{
    using F = RecordField;
    static const RecordSchema s = [] {
        F videoRate = F::spin(QStringLiteral("SpinEdit4"), QString(), 96, QStringLiteral("Kb/sec"));
        videoRate.sameRow = true;
        F audioRate = F::spin(QStringLiteral("SpinEdit5"), QString(), 96, QStringLiteral("Kb/sec"));
        audioRate.sameRow = true;
        return RecordSchema(
            QStringLiteral("Ma vidéothèque"),
            {F::text(QStringLiteral("Edit8"), QStringLiteral("Code")),
             F::date(QStringLiteral("DateTimePicker1"), QStringLiteral("Date")),
             F::spin(QStringLiteral("SpinEdit1"), QStringLiteral("Note"), 0),
             F::text(QStringLiteral("Edit9"), QStringLiteral("Titre")),
             F::text(QStringLiteral("Edit10"), QStringLiteral("Réalisateur")),
             F::text(QStringLiteral("Edit11"), QStringLiteral("Producteur")),
             F::text(QStringLiteral("Edit12"), QStringLiteral("Pays")), F::choice(3, QStringLiteral("Catégorie")),
             F::spin(QStringLiteral("SpinEdit2"), QStringLiteral("Année"), 2000),
             F::spin(QStringLiteral("SpinEdit3"), QStringLiteral("Durée"), 60, QStringLiteral("min")),
             F::choice(4, QStringLiteral("Format vidéo")), videoRate, F::choice(5, QStringLiteral("Format audio")),
             audioRate, F::picture(QStringLiteral("Image2"), QStringLiteral("Photo")),
             F::memo(QStringLiteral("Memo2"), QStringLiteral("Acteurs")),
             F::memo(QStringLiteral("Memo3"), QStringLiteral("Description")),
             F::memo(QStringLiteral("Memo4"), QStringLiteral("Commentaires"))});
    }();
    return s;
}

} // namespace VideoRecord
