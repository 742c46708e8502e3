// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help as assistive technology reads it: a document whose headings, paragraphs, list
// items and table cells are its children in reading order. What the help says is its file's.

class QTextBrowser;

namespace margino {

// From now on the browser is announced as a document with its blocks as children.
void announceAsDocument(QTextBrowser *browser);

} // namespace margino
