// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user hears of a journal failure, and the one remedy offered for a damaged journal:
// set it aside under a new name and start a new one. The journal is never changed otherwise.

#include "journal/journalfile.h"

#include <memory>

class QWidget;

namespace margino {

// Shows the failure in Italian. For a damaged or foreign file, first offers to set it aside;
// returns true when it was (the caller may then open a new journal).
bool reportJournalError(QWidget *parent, const JournalError &error, const QString &fileName);

// Saves the trade in one transaction, making the file at the first save; says why when it
// cannot. After a damaged journal is set aside, the trade goes to a new one.
// connection is kept between saves (a save then costs one commit) and opened again when
// missing, failed, or no longer at the file's name.
bool saveToJournal(QWidget *parent, const QString &fileName, const Trade &trade,
                   std::unique_ptr<JournalFile> &connection);

} // namespace margino
