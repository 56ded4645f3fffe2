#pragma once

#include <QByteArray>
#include <QString>

// The text of a plain text file: Unicode when a byte order mark says so (UTF-8, UTF-16, UTF-32),
// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1250, the encoding of the office's own
// texts. Line ends stay as written; the order box reads any of them.
class TTextFileReader {
public:
    static QString Read(const QByteArray& bytes);
};
