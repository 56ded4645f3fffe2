#include "ui/TFileName.h"

#include <QFile>

std::string TFileName::Encode(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

QString TFileName::Decode(std::string_view name) {
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}
