#pragma once

#include <QByteArray>
#include <QString>

class TOrderPackage;

// The text of an .odt document by the rules of TDocxReader: paragraphs and headings one line
// each, spaces (text:s, text:c of them), tabs and line breaks (as U+000B) as written, the
// document's own runs of white space collapsed to one space as the format has it; tables as
// TOrderTextBuilder lays them out; tracked changes accepted (the deleted text is kept apart, in
// text:tracked-changes); fields by their shown text. Notes, comments and frames are left out.
class TOdtReader {
public:
    // Whether the archive holds a text document.
    static bool IsText(const TOrderPackage& package);
    static QString Read(const TOrderPackage& package);
    // The text of the content part's XML (content.xml).
    static QString ReadContent(const QByteArray& xml);
};
