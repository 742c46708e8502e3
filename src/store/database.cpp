// SPDX-License-Identifier: GPL-3.0-or-later
#include "database.h"

namespace margino {

double Recordset::number(const QString &field) const {
    if (!hasRow_)
        throw DbError(err::NoCurrentRecord, QStringLiteral("Nessun record corrente."));
    const auto found = row_.constFind(field);
    if (found == row_.constEnd())
        throw DbError(err::ItemNotFound, QStringLiteral("Elemento non trovato: %1.").arg(field));
    if (found->isNull())
        throw DbError(err::InvalidUseOfNull,
                      QStringLiteral("Uso non valido di Null (%1).").arg(field));
    bool ok = false;
    const double value = found->toDouble(&ok);
    if (!ok)
        throw DbError(err::TypeMismatch,
                      QStringLiteral("Tipo non corrispondente (%1).").arg(field));
    return value;
}

} // namespace margino
