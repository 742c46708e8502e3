#include "database.h"

namespace margino {

// Numbers of the conditions the engine itself does not report; they follow the numbering
// of the desktop database engines that users of such programs know from their messages.
enum RecordError { NoCurrentRecord = 3021, ItemNotFound = 3265, InvalidUseOfNull = 94 };

double Recordset::number(const QString &field) const {
    if (!hasRow_)
        throw DbError(NoCurrentRecord, QStringLiteral("Nessun record corrente."));
    const auto found = row_.constFind(field);
    if (found == row_.constEnd())
        throw DbError(ItemNotFound, QStringLiteral("Elemento non trovato: %1.").arg(field));
    if (found->isNull())
        throw DbError(InvalidUseOfNull, QStringLiteral("Uso non valido di Null (%1).").arg(field));
    bool ok = false;
    const double value = found->toDouble(&ok);
    if (!ok)
        throw DbError(13, QStringLiteral("Tipo non corrispondente (%1).").arg(field));
    return value;
}

} // namespace margino
