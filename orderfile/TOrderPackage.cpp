#include "TOrderPackage.h"

#include "OrderFileLimits.h"
#include "TOrderFileRefusal.h"

#include <QtGui/private/qzipreader_p.h>

#include <new>

// QZipReader is Qt's private class: its use here was checked against Qt 6.4 (it unpacks a part
// into a buffer of the size the directory claims, doubling it while the data goes on).
static_assert(QT_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0),
              "TOrderPackage uses Qt's private QZipReader as of Qt 6.4.x; check it against the "
              "new Qt's qzipreader_p.h before building with another version");

namespace {

QString Damaged() {
    return QStringLiteral("plik jest uszkodzony albo zaszyfrowany");
}

bool LeavesArchive(const QString& path) {
    return path.startsWith(QLatin1Char('/')) || path == QLatin1String("..") ||
           path.startsWith(QLatin1String("../")) || path.contains(QLatin1String("/../")) ||
           path.endsWith(QLatin1String("/.."));
}

} // namespace

TOrderPackage::TOrderPackage(const QByteArray& archive) : archive_(archive), device_(&archive_) {
    device_.open(QIODevice::ReadOnly);
    zip_ = std::make_unique<QZipReader>(&device_);
    const QList<QZipReader::FileInfo> entries = zip_->fileInfoList();
    if (zip_->status() != QZipReader::NoError || entries.isEmpty())
        throw TOrderFileRefusal(Damaged());
    for (const QZipReader::FileInfo& entry : entries) {
        if (LeavesArchive(entry.filePath))
            throw TOrderFileRefusal(QStringLiteral("plik zawiera niedozwoloną ścieżkę"));
        if (entry.isFile)
            sizes_.insert(entry.filePath, entry.size);
    }
}

TOrderPackage::~TOrderPackage() = default;

// The claimed size is checked before unpacking, and the unpacked size against the claim after:
// a part that claims little but unpacks to more is refused rather than read.
QByteArray TOrderPackage::Entry(const QString& name) const {
    const auto size = sizes_.constFind(name);
    if (size == sizes_.cend())
        throw TOrderFileRefusal(Damaged());
    if (*size > OrderFileLimits::MaxEntryBytes)
        throw TOrderFileRefusal(QStringLiteral("treść dokumentu jest zbyt duża"));
    QByteArray data;
    try {
        data = zip_->fileData(name);
    } catch (const std::bad_alloc&) {
        // Qt's reader grows its buffer while a part unpacks to more than it claimed.
        throw TOrderFileRefusal(Damaged());
    }
    if (data.size() != *size)
        throw TOrderFileRefusal(Damaged());
    return data;
}
