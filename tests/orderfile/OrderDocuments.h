#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Documents as a word processor saves them, written with Qt's zip writer.
using Entries = std::vector<std::pair<QString, QByteArray>>;
QByteArray Zip(const Entries& entries);

// A .docx whose body is `body` (WordprocessingML), with a header, footnotes and comments whose
// words ("NAGŁÓWEK", "PRZYPIS", "KOMENTARZ") must never reach the text.
QByteArray Docx(const QByteArray& body);
QByteArray DocumentXml(const QByteArray& body);
// A .docx with one paragraph per line of `text`.
QByteArray DocxOfLines(const QString& text);

// An .odt whose office:text holds `body`, with a header ("NAGŁÓWEK") in its styles.
QByteArray Odt(const QByteArray& body);
QByteArray ContentXml(const QByteArray& body);

// Sets the little-endian field of `bytes` bytes at `offset` of the archive's directory entry for
// `name` (8: flags, 24: size).
void PatchDirectory(QByteArray& zip, const QByteArray& name, int offset, quint32 value,
                    int bytes = 4);
