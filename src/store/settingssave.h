// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the settings a window shows: compares what it showed with what was typed, writes in
// one transaction, and asks (through the caller) before overwriting another program's save or
// after the engine refused. Judging each typed value and showing the questions are the caller's.

#include "store/database.h"
#include "store/parameters.h"

#include <QLocale>
#include <QStringList>
#include <functional>
#include <optional>

namespace margino {

// What the save asks when it cannot simply write.
struct SaveQuestion {
    enum Kind {
        OtherSave, // another program saved since the window opened; nothing was written
        Refused,   // the engine refused the save; nothing was written
    } kind;
    QStringList changes;          // OtherSave: "label: value in the file, value typed", per setting
    std::optional<DbError> error; // Refused: why
};

// Each question offers: go on (overwrite, or try again), close without saving, or go back to
// the window.
enum class SaveAnswer { Save, CloseWithoutSaving, BackToWindow };

// How the window's close ends: closed and the results recomputed (saved, nothing changed, or
// the other program's values kept), closed without recomputing (the save was given up after a
// refusal), or the window stays open.
enum class SaveEnd { Recalculate, Discard, Stay };

using SaveAsk = std::function<SaveAnswer(const SaveQuestion &)>;

// shown: the values as the window showed them when it opened (readParameters); typed: what its
// fields hold now, each already judged usable. Nothing typed writes nothing, so another
// program's save is never undone by a close. Otherwise writeParameters runs (creating the
// tariff's table on a file's first save); ask is called with no transaction open, so another
// program is never kept waiting for an answer.
SaveEnd saveSettings(Database &db, const ParameterTexts &shown, const ParameterTexts &typed,
                     const QLocale &locale, const SaveAsk &ask);

} // namespace margino
