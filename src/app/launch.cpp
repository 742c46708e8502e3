// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace margino {

void installQtCatalogue(QCoreApplication &app) {
    static QTranslator *catalogue = nullptr;
    if (catalogue)
        return;
    catalogue = new QTranslator(&app);
    if (catalogue->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(catalogue);
}

int answerCommandLine(QCoreApplication &app) {
    QCoreApplication::setApplicationName(QStringLiteral("Margino"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARGINO_VERSION));
    installQtCatalogue(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Margino: prezzo di pareggio, stop loss, commissioni e guadagno netto di "
                       "una compravendita di titoli."));
    // Qt's own help option offers --help-all for options this program does not take, and its
    // catalogue leaves the description untranslated: the program's own text, in Italian.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Mostra questo aiuto ed esce."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    QString error;
    if (!parser.parse(QCoreApplication::arguments()))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Argomento non previsto: %1").arg(parser.positionalArguments()[0]);
    else if (parser.isSet(help))
        std::fputs(qPrintable(parser.helpText()), stdout);
    else if (parser.isSet(version))
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
    else
        error = QStringLiteral("Nessuna opzione.");
    if (error.isEmpty())
        return 0;
    std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
    return 1;
}

} // namespace margino
