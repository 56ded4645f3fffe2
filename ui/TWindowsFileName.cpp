#include "ui/TFileName.h"

std::string TFileName::Encode(const QString& name) {
    return name.toStdString();
}

QString TFileName::Decode(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
