#include "orderfile/TOrderXml.h"

#include "orderfile/OrderFileLimits.h"
#include "orderfile/TOrderFileRefusal.h"

#include <QXmlStreamReader>

namespace {

[[noreturn]] void RefuseDamaged() {
    throw TOrderFileRefusal(TOrderFileRefusal::Damaged());
}

} // namespace

QString TOrderXml::Read(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > OrderFileLimits::MaxXmlDepth)
                throw TOrderFileRefusal(QStringLiteral("dokument jest zbyt głęboko zagnieżdżony"));
            Start(reader);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            End(reader);
            break;
        case QXmlStreamReader::Characters:
            Text(reader.text());
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            throw TOrderFileRefusal(QStringLiteral("dokument zawiera niedozwolone deklaracje"));
        default:
            break;
        }
    }
    if (reader.hasError())
        RefuseDamaged();
    return text_.Take();
}
