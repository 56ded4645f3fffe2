#pragma once

#include <QByteArray>
#include <QString>

// An order's own file, read as the text a clerk would otherwise paste: a .docx or .odt document
// (told by its contents, whatever its name) or a plain text file. Anything else (a .doc, .pdf or
// .rtf file, a picture, a damaged or encrypted document, a file over
// OrderFileLimits::MaxFileBytes, whatever is not a regular file) is refused with a
// TOrderFileRefusal that names the file, says why and what to do instead; a name with no file
// behind it with a TOrderFileMissing, which names it alone.
class TOrderFile {
public:
    static QString Read(const QString& path);
    // The text of a file's contents; `fileName` gives the extension.
    static QString Text(const QByteArray& contents, const QString& fileName);

private:
    static QString AnyText(const QByteArray& contents, const QString& fileName);
};
