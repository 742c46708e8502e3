#include "errorreport.h"

#include <QMessageBox>
#include <cstdio>

namespace margino {

void showErrorReport(QWidget *parent, int number, const QString &description,
                     const QString &detail) {
    QString text = QStringLiteral("Errore di run-time %1:\n\n%2").arg(number).arg(description);
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ErrorReportTitle), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace margino
