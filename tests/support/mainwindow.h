// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on a private copy of the settings file, shown offscreen, in the locale the
// test row asks for ("en..." rows in English, all others in Italian), with a modal watch.

#include "lcd/imagecanvas.h"
#include "lcd/mclcd.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"
#include "support/widgets.h"
#include "ui/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>

class MainWindowFixture {
public:
    MainWindowFixture() {
        // Rows tagged "en" run in English, "fa" in Persian (a separator no Latin font has).
        const QByteArray tag(QTest::currentDataTag());
        QLocale::setDefault(QLocale(tag.startsWith("en")   ? QStringLiteral("en_US")
                                    : tag.startsWith("fa") ? QStringLiteral("fa_IR")
                                                           : QStringLiteral("it_IT")));
        form = std::make_unique<margino::Form1>(db);
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window did not show");
    }
    ~MainWindowFixture() { form.reset(); }

    template <typename T = QWidget> T *control(const char *name) const {
        return child<T>(form.get(), name);
    }
    void type(const char *name, const QString &keys) const { retype(control(name), keys); }
    // Digits as written with a comma, in the locale's own decimal separator.
    static QString local(QString text) { return text.replace(u',', QLocale().decimalPoint()); }
    // What the screen shows of a widget's inside once pending repaints are done.
    QImage onScreen(QWidget *widget, bool inside = true) const {
        QApplication::processEvents();
        const QRect rect = inside ? widget->contentsRect() : widget->rect();
        const QRect area(widget->mapTo(form.get(), rect.topLeft()), rect.size());
        return form->screen()
            ->grabWindow(form->winId())
            .toImage()
            .copy(area)
            .convertToFormat(QImage::Format_RGB32);
    }
    // A figure's tooltip as the pointer resting on it shows it.
    static QString toolTipOf(QWidget *widget) {
        const QPoint centre = widget->rect().center();
        QHelpEvent help(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
        QApplication::sendEvent(widget, &help);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    }
    // What a screen reader reads as a widget's name.
    static QString spokenOf(QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
    // What a screen reader reads as a widget's description.
    static QString descriptionOf(QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    }
    // A panel's picture of a caption, drawn afresh.
    static QImage drawn(const QString &caption) {
        margino::ImageCanvas canvas(QSize(136, 21));
        margino::mcLCD lcd;
        lcd.NewLCD(canvas);
        lcd.setCaption(caption);
        return canvas.image();
    }

    ModalWatch watch;
    DataFileCopy file;
    margino::SqliteDatabase db{file.path(), {QStringLiteral("System"), QStringLiteral("Settaggi")}};
    std::unique_ptr<margino::Form1> form;
};
