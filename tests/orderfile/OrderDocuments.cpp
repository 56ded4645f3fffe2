#include "OrderDocuments.h"

#include <QBuffer>
#include <QStringList>
#include <QtGui/private/qzipwriter_p.h>

QByteArray Zip(const Entries& entries) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QZipWriter zip(&buffer);
    for (const auto& [name, data] : entries)
        zip.addFile(name, data);
    zip.close();
    return buffer.data();
}

QByteArray DocumentXml(const QByteArray& body) {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
           R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>)" +
           body + "<w:sectPr><w:pgSz/></w:sectPr></w:body></w:document>";
}

QByteArray Docx(const QByteArray& body) {
    const QByteArray part =
        R"(<w:hdr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        "<w:p><w:r><w:t>NAGŁÓWEK</w:t></w:r></w:p></w:hdr>";
    return Zip({{"[Content_Types].xml", "<Types/>"},
                {"word/document.xml", DocumentXml(body)},
                {"word/header1.xml", part},
                {"word/footnotes.xml", QByteArray(part).replace("NAGŁÓWEK", "PRZYPIS")},
                {"word/comments.xml", QByteArray(part).replace("NAGŁÓWEK", "KOMENTARZ")}});
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

void PatchDirectory(QByteArray& zip, const QByteArray& name, int offset, quint32 value, int bytes) {
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0;
         at = zip.indexOf("PK\x01\x02", at + 1)) {
        if (zip.mid(at + 46, name.size()) != name)
            continue;
        for (int byte = 0; byte < bytes; ++byte)
            zip[at + offset + byte] = static_cast<char>(value >> (8 * byte));
        return;
    }
}
