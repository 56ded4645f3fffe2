#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// One part of an archive the tests write. Besides its name and bytes (deflated into the
// archive), what a made-up archive may say otherwise: the packed bytes as they stand (the
// checksum stays that of `data`), another size than the data's, its flags (1: encrypted), and
// its sizes in a zip64 extra field: marked (the usual fields say 0xFFFFFFFF) or beside the
// usual fields, as some writers give it even for small files.
struct ZipPart {
    enum class TZip64 { None, Marked, Beside };

    QByteArray name;
    QByteArray data;
    std::optional<QByteArray> packed = {};
    std::optional<quint32> claimedSize = {};
    quint16 flags = 0;
    TZip64 zip64 = TZip64::None;
};
QByteArray ZipOf(const std::vector<ZipPart>& parts);

// Documents as a word processor saves them.
using Entries = std::vector<std::pair<QString, QByteArray>>;
QByteArray Zip(const Entries& entries);

// Raw deflate data of zeros, `packedBytes` long, that would unpack to about a thousand times as
// much; its last bytes are no deflate data, so a reader that unpacked it whole would fail.
QByteArray PackedZeros(qsizetype packedBytes);

// A .docx whose body is `body` (WordprocessingML), with a header, footnotes and comments whose
// words ("NAGŁÓWEK", "PRZYPIS", "KOMENTARZ") must never reach the text.
QByteArray Docx(const QByteArray& body);
QByteArray DocumentXml(const QByteArray& body);
// A .docx with one paragraph per line of `text`.
QByteArray DocxOfLines(const QString& text);
// The parts of a .docx whose body is `body`, to be changed before ZipOf.
std::vector<ZipPart> DocxParts(const QByteArray& body);

// An .odt whose office:text holds `body`, with a header ("NAGŁÓWEK") in its styles.
QByteArray Odt(const QByteArray& body);
QByteArray ContentXml(const QByteArray& body);
