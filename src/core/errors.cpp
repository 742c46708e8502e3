// SPDX-License-Identifier: GPL-3.0-or-later
#include "errors.h"

#include <cerrno>

namespace margino {

QString systemCause(int errnum) {
    switch (errnum) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Il disco è pieno.");
    case EROFS:
        return QStringLiteral("Il disco è di sola lettura.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Mancano i permessi sul file delle impostazioni o sulla sua "
                              "cartella.");
    case EIO:
        return QStringLiteral("Il disco non ha permesso di leggere o scrivere il file delle "
                              "impostazioni.");
    default:
        return {};
    }
}

} // namespace margino
