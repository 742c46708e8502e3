// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalerrors.h"

#include "ui/errorreport.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace margino {

bool reportJournalError(QWidget *parent, const JournalError &error, const QString &fileName) {
    const QString file = QStringLiteral("File: %1").arg(QDir::toNativeSeparators(fileName));
    if (error.kind() != JournalError::Damaged) {
        showErrorReport(parent, error, file);
        return false;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Registro operazioni"),
                    error.summary() +
                        QStringLiteral("\n\nMargino non lo modifica. Puoi metterlo da parte con "
                                       "un nome nuovo, nella stessa cartella, e cominciare un "
                                       "registro vuoto; le operazioni restano nel file messo "
                                       "da parte."),
                    QMessageBox::NoButton, parent);
    box.setDetailedText(
        QStringLiteral("%1\nErrore %2: %3").arg(file).arg(error.number()).arg(error.description()));
    QPushButton *aside = box.addButton(QStringLiteral("Metti da parte"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != aside)
        return false;
    try {
        const QString target = JournalFile::setAside(fileName);
        QMessageBox::information(parent, QStringLiteral("Registro operazioni"),
                                 QStringLiteral("Il registro danneggiato ora si chiama %1.")
                                     .arg(QFileInfo(target).fileName()));
        return true;
    } catch (const JournalError &failure) {
        showErrorReport(parent, failure, file);
        return false;
    }
}

bool saveToJournal(QWidget *parent, const QString &fileName, const Trade &trade,
                   std::unique_ptr<JournalFile> &connection) {
    for (;;) {
        try {
            if (connection && (connection->fileName() != fileName || !connection->stillAtItsName()))
                connection.reset();
            if (!connection)
                connection = std::make_unique<JournalFile>(fileName, JournalFile::Open::Create);
            connection->save(trade);
            return true;
        } catch (const JournalError &error) {
            connection.reset(); // a failed connection is not trusted with the next save
            if (!reportJournalError(parent, error, fileName))
                return false;
        }
    }
}

} // namespace margino
