// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorreport.h"

#include "core/errors.h"

#include <QMessageBox>
#include <cstdio>

namespace margino {

namespace {

void show(QWidget *parent, const QString &text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ErrorReportTitle), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

QString numbered(int number, const QString &description, const QString &detail) {
    QString text = QStringLiteral("Errore di run-time %1:\n\n%2").arg(number).arg(description);
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    return text;
}

} // namespace

void showErrorReport(QWidget *parent, const RuntimeError &error, const QString &detail) {
    const QString text = numbered(error.number(), error.description(), detail);
    show(parent,
         error.summary().isEmpty() ? text : error.summary() + QStringLiteral("\n\n") + text);
}

void showErrorReport(QWidget *parent, int number, const QString &description,
                     const QString &detail) {
    show(parent, numbered(number, description, detail));
}

} // namespace margino
