#include "orderfile/TOdtReader.h"

#include "orderfile/TOrderFileRefusal.h"
#include "orderfile/TOrderPackage.h"
#include "orderfile/TOrderXml.h"

#include <QXmlStreamReader>

namespace {

constexpr QStringView TextNamespace = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr QStringView TableNamespace = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr QStringView OfficeNamespace = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr QStringView DrawNamespace = u"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";

// More spaces than one text:s gives are more than a line of the order box holds.
constexpr int MaxSpaces = 4096;

bool IsXmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

class TContentText : public TOrderXml {
protected:
    void Start(const QXmlStreamReader& reader) override;
    void End(const QXmlStreamReader& reader) override;
    void Text(QStringView text) override;

private:
    void StartText(QStringView name, const QXmlStreamReader& reader);
    void Spaces(QStringView count);
    // Written characters, which no white space of the document collapses into.
    void Out(QStringView text) {
        text_.Append(text);
        afterSpace_ = false;
    }

    int skipDepth_ = 0;
    int paragraphDepth_ = 0;
    // The last character was collapsible white space, or the paragraph has just begun.
    bool afterSpace_ = true;
};

bool IsSkipped(QStringView space, QStringView name) {
    return (space == TextNamespace && (name == u"tracked-changes" || name == u"note")) ||
           (space == OfficeNamespace && name == u"annotation") ||
           (space == DrawNamespace && name == u"frame") ||
           (space == TableNamespace && name == u"covered-table-cell");
}

void TContentText::Start(const QXmlStreamReader& reader) {
    const QStringView space = reader.namespaceUri();
    const QStringView name = reader.name();
    if (skipDepth_ > 0 || IsSkipped(space, name))
        ++skipDepth_;
    else if (space == TextNamespace)
        StartText(name, reader);
    else if (space == TableNamespace && name == u"table-row")
        text_.StartRow();
    else if (space == TableNamespace && name == u"table-cell")
        text_.StartCell();
}

void TContentText::StartText(QStringView name, const QXmlStreamReader& reader) {
    if (name == u"p" || name == u"h") {
        ++paragraphDepth_;
        afterSpace_ = true;
    } else if (name == u"s")
        Spaces(reader.attributes().value(TextNamespace.toString(), QStringLiteral("c")));
    else if (name == u"tab")
        Out(u"\t");
    else if (name == u"line-break")
        Out(u"\u000B");
}

void TContentText::Spaces(QStringView count) {
    bool valid = false;
    const int spaces = count.isEmpty() ? 1 : count.toInt(&valid);
    if (count.isEmpty() || valid)
        Out(QString(qBound(0, spaces, MaxSpaces), QLatin1Char(' ')));
}

void TContentText::End(const QXmlStreamReader& reader) {
    if (skipDepth_ > 0) {
        --skipDepth_;
        return;
    }
    const QStringView space = reader.namespaceUri();
    const QStringView name = reader.name();
    if (space == TextNamespace && (name == u"p" || name == u"h")) {
        --paragraphDepth_;
        text_.EndParagraph();
    } else if (space == TableNamespace && name == u"table-row")
        text_.EndRow();
    else if (space == TableNamespace && name == u"table-cell")
        text_.EndCell();
}

// Text between paragraphs is the layout of the XML, not the document's. Inside one, each run
// of white space is one space, and none at a paragraph's start.
void TContentText::Text(QStringView text) {
    if (skipDepth_ > 0 || paragraphDepth_ == 0)
        return;
    QString collapsed;
    collapsed.reserve(text.size());
    for (const QChar c : text) {
        if (!IsXmlSpace(c)) {
            collapsed += c;
            afterSpace_ = false;
        } else if (!afterSpace_) {
            collapsed += QLatin1Char(' ');
            afterSpace_ = true;
        }
    }
    text_.Append(collapsed);
}

} // namespace

bool TOdtReader::IsText(const TOrderPackage& package) {
    if (!package.Has(QStringLiteral("content.xml")))
        return false;
    if (!package.Has(QStringLiteral("mimetype")))
        return true;
    return package.Entry(QStringLiteral("mimetype"))
        .startsWith("application/vnd.oasis.opendocument.text");
}

// A document saved with a password keeps its archive's parts encrypted by its own means, which
// the manifest describes.
QString TOdtReader::Read(const TOrderPackage& package) {
    const QString manifest = QStringLiteral("META-INF/manifest.xml");
    if (package.Has(manifest) && package.Entry(manifest).contains("encryption-data"))
        throw TOrderFileRefusal(TOrderFileRefusal::Encrypted());
    return ReadContent(package.Entry(QStringLiteral("content.xml")));
}

QString TOdtReader::ReadContent(const QByteArray& xml) {
    return TContentText().Read(xml);
}
