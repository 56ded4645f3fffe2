#pragma once

#include <QByteArray>
#include <QString>

class TOrderPackage;

// The text of a .docx document as the word processor's plain-text copy of the whole document
// gives it: the body in order, each paragraph one line; a tab as a tab, a line break as U+000B,
// a page break as U+000C, a column break as U+000E; a non-breaking hyphen as U+2011 and a
// non-breaking space as itself, an optional hyphen left out; tables as TOrderTextBuilder lays
// them out; tracked changes accepted (deleted text, paragraph ends and table rows out, inserted
// ones in); each field by its shown result. Headers, footers, comments, footnotes, endnotes,
// text boxes and pictures are not part of the body's text.
class TDocxReader {
public:
    static QString Read(const TOrderPackage& package);
    // The text of the main document part's XML (word/document.xml).
    static QString ReadDocument(const QByteArray& xml);
};
