#include "orderfile/TTextFileReader.h"

#include "ui/TWin1250.h"

#include <QStringDecoder>

#include <string_view>

QString TTextFileReader::Read(const QByteArray& bytes) {
    if (const std::optional<QStringConverter::Encoding> marked =
            QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return TWin1250::Decode(std::string_view(bytes.constData(), bytes.size()));
}
