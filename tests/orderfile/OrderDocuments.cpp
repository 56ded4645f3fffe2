#include "OrderDocuments.h"

#include <QStringList>
#include <QtEndian>

#include <zlib.h>

namespace {

template <typename T> void Put(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

QByteArray RawDeflate(const QByteArray& data, int flush, z_stream* stream) {
    QByteArray out;
    char buffer[16384];
    stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream->avail_in = static_cast<uInt>(data.size());
    do {
        stream->next_out = reinterpret_cast<Bytef*>(buffer);
        stream->avail_out = sizeof buffer;
        deflate(stream, flush);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - stream->avail_out));
    } while (stream->avail_out == 0);
    return out;
}

z_stream RawDeflater() {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    return stream;
}

QByteArray Deflated(const QByteArray& data) {
    z_stream stream = RawDeflater();
    QByteArray out = RawDeflate(data, Z_FINISH, &stream);
    deflateEnd(&stream);
    return out;
}

struct TLaidOut {
    QByteArray packed;
    quint32 crc;
    quint32 size;
};

// The fields a local header and a directory entry share, from the version needed on.
QByteArray CommonFields(const ZipPart& part, const TLaidOut& laid) {
    const bool marked = part.zip64 == ZipPart::TZip64::Marked;
    QByteArray out;
    Put<quint16>(out, part.zip64 == ZipPart::TZip64::None ? 20 : 45);
    Put<quint16>(out, part.flags);
    Put<quint16>(out, 8);
    Put<quint32>(out, 0x5A210000); // 1 January 2025, midnight
    Put<quint32>(out, laid.crc);
    Put<quint32>(out, marked ? 0xFFFFFFFF : static_cast<quint32>(laid.packed.size()));
    Put<quint32>(out, marked ? 0xFFFFFFFF : laid.size);
    Put<quint16>(out, static_cast<quint16>(part.name.size()));
    return out;
}

QByteArray Zip64Extra(const TLaidOut& laid, std::optional<quint64> offset) {
    QByteArray out;
    Put<quint16>(out, 1);
    Put<quint16>(out, offset ? 24 : 16);
    Put<quint64>(out, laid.size);
    Put<quint64>(out, static_cast<quint64>(laid.packed.size()));
    if (offset)
        Put<quint64>(out, *offset);
    return out;
}

TLaidOut LaidOut(const ZipPart& part) {
    const quint32 crc =
        static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(part.data.constData()),
                                   static_cast<uInt>(part.data.size())));
    return {part.packed.value_or(Deflated(part.data)), crc,
            part.claimedSize.value_or(static_cast<quint32>(part.data.size()))};
}

void PutEnd(QByteArray& zip, qsizetype parts, qsizetype directoryAt) {
    const qsizetype directorySize = zip.size() - directoryAt;
    Put<quint32>(zip, 0x06054b50);
    Put<quint32>(zip, 0);
    Put<quint16>(zip, static_cast<quint16>(parts));
    Put<quint16>(zip, static_cast<quint16>(parts));
    Put<quint32>(zip, static_cast<quint32>(directorySize));
    Put<quint32>(zip, static_cast<quint32>(directoryAt));
    Put<quint16>(zip, 0);
}

} // namespace

QByteArray ZipOf(const std::vector<ZipPart>& parts) {
    QByteArray zip;
    QByteArray directory;
    for (const ZipPart& part : parts) {
        const TLaidOut laid = LaidOut(part);
        const quint64 offset = static_cast<quint64>(zip.size());
        const bool zip64 = part.zip64 != ZipPart::TZip64::None;
        const QByteArray localExtra = zip64 ? Zip64Extra(laid, std::nullopt) : QByteArray();
        const QByteArray entryExtra = zip64 ? Zip64Extra(laid, offset) : QByteArray();
        Put<quint32>(zip, 0x04034b50);
        zip += CommonFields(part, laid);
        Put<quint16>(zip, static_cast<quint16>(localExtra.size()));
        zip += part.name + localExtra + laid.packed;
        Put<quint32>(directory, 0x02014b50);
        Put<quint16>(directory, 45);
        directory += CommonFields(part, laid);
        Put<quint16>(directory, static_cast<quint16>(entryExtra.size()));
        Put<quint16>(directory, 0);
        Put<quint16>(directory, 0);
        Put<quint16>(directory, 0);
        Put<quint32>(directory, 0);
        Put<quint32>(directory, part.zip64 == ZipPart::TZip64::Marked
                                    ? 0xFFFFFFFF
                                    : static_cast<quint32>(offset));
        directory += part.name + entryExtra;
    }
    const qsizetype directoryAt = zip.size();
    zip += directory;
    PutEnd(zip, static_cast<qsizetype>(parts.size()), directoryAt);
    return zip;
}

QByteArray Zip(const Entries& entries) {
    std::vector<ZipPart> parts;
    for (const auto& [name, data] : entries)
        parts.push_back({name.toUtf8(), data});
    return ZipOf(parts);
}

// After the first megabyte, each further one deflates to the same bytes once the stream is
// flushed to a byte's end: they are repeated rather than deflated again. The rest is filled with
// bytes that open a block of no valid type.
QByteArray PackedZeros(qsizetype packedBytes) {
    const QByteArray megabyte(1 << 20, '\0');
    z_stream stream = RawDeflater();
    QByteArray packed = RawDeflate(megabyte, Z_SYNC_FLUSH, &stream);
    const QByteArray next = RawDeflate(megabyte, Z_SYNC_FLUSH, &stream);
    deflateEnd(&stream);
    while (packed.size() + next.size() < packedBytes)
        packed += next;
    return packed + QByteArray(packedBytes - packed.size(), '\xFF');
}

QByteArray DocumentXml(const QByteArray& body) {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
           R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>)" +
           body + "<w:sectPr><w:pgSz/></w:sectPr></w:body></w:document>";
}

std::vector<ZipPart> DocxParts(const QByteArray& body) {
    const QByteArray part =
        R"(<w:hdr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        "<w:p><w:r><w:t>NAGŁÓWEK</w:t></w:r></w:p></w:hdr>";
    return {{"[Content_Types].xml", "<Types/>"},
            {"word/document.xml", DocumentXml(body)},
            {"word/header1.xml", part},
            {"word/footnotes.xml", QByteArray(part).replace("NAGŁÓWEK", "PRZYPIS")},
            {"word/comments.xml", QByteArray(part).replace("NAGŁÓWEK", "KOMENTARZ")}};
}

QByteArray Docx(const QByteArray& body) {
    return ZipOf(DocxParts(body));
}

QByteArray DocxOfLines(const QString& text) {
    QByteArray body;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            body += "<w:p><w:r><w:t xml:space=\"preserve\">" + line.toHtmlEscaped().toUtf8() +
                    "</w:t></w:r></w:p>";
    }
    return Docx(body);
}

QByteArray ContentXml(const QByteArray& body) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><office:document-content )"
           R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
           R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
           R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
           R"(xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0">)"
           R"(<office:body><office:text><text:sequence-decls/>)" +
           body + "</office:text></office:body></office:document-content>";
}

QByteArray Odt(const QByteArray& body) {
    return Zip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                {"content.xml", ContentXml(body)},
                {"styles.xml", "<office:document-styles><text:p>NAGŁÓWEK</text:p>"
                               "</office:document-styles>"}});
}
