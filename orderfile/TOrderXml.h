#pragma once

#include "orderfile/TOrderTextBuilder.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

class QXmlStreamReader;

// Walks a document's XML in order, element by element, for a reader that takes its text into
// text_. A
// document type declaration (and with it every entity trick), an entity reference, nesting deeper
// than OrderFileLimits::MaxXmlDepth and malformed XML are refused; the walk holds no more than
// the open elements, however the document nests.
class TOrderXml {
public:
    virtual ~TOrderXml() = default;

    // The text of a whole document part.
    QString Read(const QByteArray& xml);

protected:
    virtual void Start(const QXmlStreamReader& reader) = 0;
    virtual void End(const QXmlStreamReader& reader) = 0;
    virtual void Text(QStringView text) = 0;

    TOrderTextBuilder text_;
};
