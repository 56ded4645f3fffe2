#include "orderfile/TDocxReader.h"

#include "orderfile/TOrderPackage.h"
#include "orderfile/TOrderXml.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr QStringView WordNamespace =
    u"http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr QStringView CompatibilityNamespace =
    u"http://schemas.openxmlformats.org/markup-compatibility/2006";

// Elements whose content is never part of the text: properties, deleted and moved-away text,
// field codes, references to notes and comments, pictures and text boxes, ruby annotations.
constexpr std::array<QStringView, 22> SkippedElements = {u"pPr",
                                                         u"rPr",
                                                         u"trPr",
                                                         u"tcPr",
                                                         u"tblPr",
                                                         u"tblPrEx",
                                                         u"tblGrid",
                                                         u"sectPr",
                                                         u"del",
                                                         u"moveFrom",
                                                         u"instrText",
                                                         u"delInstrText",
                                                         u"delText",
                                                         u"drawing",
                                                         u"pict",
                                                         u"object",
                                                         u"footnoteReference",
                                                         u"endnoteReference",
                                                         u"commentReference",
                                                         u"sdtPr",
                                                         u"sdtEndPr",
                                                         u"rt"};

class TDocumentText : public TOrderXml {
protected:
    void Start(const QXmlStreamReader& reader) override;
    void End(const QXmlStreamReader& reader) override;
    void Text(QStringView text) override {
        if (inText_)
            Out(text);
    }

private:
    enum class TSkipped { Other, ParagraphProperties, RowProperties };

    void StartWordElement(QStringView name, const QXmlStreamReader& reader);
    void StartSkipped(QStringView name);
    void NoteInSkipped(QStringView name);
    void Field(QStringView type);
    void Break(QStringView type);
    void Out(QStringView text) {
        if (hiddenFields_ == 0)
            text_.Append(text);
    }
    void Out(QChar character) { Out(QStringView(&character, 1)); }

    // Inside an element whose content is left out: how deep, and which element began it.
    int skipDepth_ = 0;
    TSkipped skipped_ = TSkipped::Other;
    bool inText_ = false;
    // The open fields, each true once its shown result has begun; the text of a field's code
    // (before its separator) is left out, nested fields included.
    std::vector<bool> fields_;
    int hiddenFields_ = 0;
    // For each open table row, whether it was deleted.
    std::vector<bool> deletedRows_;
};

void TDocumentText::Start(const QXmlStreamReader& reader) {
    const QStringView name = reader.name();
    if (skipDepth_ > 0) {
        ++skipDepth_;
        NoteInSkipped(name);
        return;
    }
    const QStringView space = reader.namespaceUri();
    if (space == WordNamespace)
        StartWordElement(name, reader);
    // Text boxes and other shapes come in an alternative for programs that cannot draw them.
    else if (space == CompatibilityNamespace && name == u"AlternateContent")
        StartSkipped(name);
}

void TDocumentText::StartWordElement(QStringView name, const QXmlStreamReader& reader) {
    if (std::find(SkippedElements.begin(), SkippedElements.end(), name) != SkippedElements.end())
        StartSkipped(name);
    else if (name == u"t")
        inText_ = true;
    else if (name == u"tab" || name == u"ptab")
        Out(QLatin1Char('\t'));
    else if (name == u"br")
        Break(reader.attributes().value(WordNamespace.toString(), QStringLiteral("type")));
    else if (name == u"cr")
        Out(QChar(0x0B));
    else if (name == u"noBreakHyphen")
        Out(QChar(0x2011));
    else if (name == u"fldChar")
        Field(reader.attributes().value(WordNamespace.toString(), QStringLiteral("fldCharType")));
    else if (name == u"tr") {
        text_.StartRow();
        deletedRows_.push_back(false);
    } else if (name == u"tc")
        text_.StartCell();
}

void TDocumentText::StartSkipped(QStringView name) {
    skipDepth_ = 1;
    skipped_ = name == u"pPr"    ? TSkipped::ParagraphProperties
               : name == u"trPr" ? TSkipped::RowProperties
                                 : TSkipped::Other;
}

// A deleted paragraph end is marked in the paragraph's properties (pPr, rPr, del), a deleted row
// in the row's (trPr, del).
void TDocumentText::NoteInSkipped(QStringView name) {
    if (name != u"del")
        return;
    if (skipped_ == TSkipped::ParagraphProperties && skipDepth_ == 3)
        text_.JoinNextParagraph();
    else if (skipped_ == TSkipped::RowProperties && skipDepth_ == 2 && !deletedRows_.empty())
        deletedRows_.back() = true;
}

void TDocumentText::End(const QXmlStreamReader& reader) {
    if (skipDepth_ > 0) {
        --skipDepth_;
        return;
    }
    if (reader.namespaceUri() != WordNamespace)
        return;
    const QStringView name = reader.name();
    if (name == u"t")
        inText_ = false;
    else if (name == u"p")
        text_.EndParagraph();
    else if (name == u"tc")
        text_.EndCell();
    else if (name == u"tr" && !deletedRows_.empty()) {
        if (deletedRows_.back())
            text_.DropRow();
        else
            text_.EndRow();
        deletedRows_.pop_back();
    }
}

void TDocumentText::Field(QStringView type) {
    if (type == u"begin") {
        fields_.push_back(false);
        ++hiddenFields_;
    } else if (type == u"separate" && !fields_.empty() && !fields_.back()) {
        fields_.back() = true;
        --hiddenFields_;
    } else if (type == u"end" && !fields_.empty()) {
        if (!fields_.back())
            --hiddenFields_;
        fields_.pop_back();
    }
}

void TDocumentText::Break(QStringView type) {
    if (type == u"page")
        Out(QChar(0x0C));
    else if (type == u"column")
        Out(QChar(0x0E));
    else
        Out(QChar(0x0B));
}

} // namespace

QString TDocxReader::Read(const TOrderPackage& package) {
    return ReadDocument(package.Entry(QStringLiteral("word/document.xml")));
}

QString TDocxReader::ReadDocument(const QByteArray& xml) {
    return TDocumentText().Read(xml);
}
