#include "orderfile/TOrderPackage.h"

#include "orderfile/OrderFileLimits.h"
#include "orderfile/TOrderFileRefusal.h"

#include <QtGui/private/qzipreader_p.h>

#include <new>

// QZipReader is Qt's private class: its use here was checked against Qt 6.4. It unpacks a part
// into a buffer of the size the directory claims and doubles the buffer for as long as the data
// goes on, so only the part's packed size bounds what a lying part unpacks to (deflate gives at
// most 1032 bytes for one); it finds the directory and a part's entry as PackedSizes does.
static_assert(QT_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0),
              "TOrderPackage uses Qt's private QZipReader as of Qt 6.4.x; check it against the "
              "new Qt's qzipreader_p.h before building with another version");

namespace {

QString Damaged() {
    return QStringLiteral("plik jest uszkodzony albo zaszyfrowany");
}

quint32 Read(const QByteArray& zip, qsizetype at, int bytes) {
    quint32 value = 0;
    for (int byte = bytes - 1; byte >= 0; --byte)
        value = value << 8 | static_cast<quint8>(zip[at + byte]);
    return value;
}

// The packed size of each part, from the archive's directory, which Qt's reader does not tell:
// the directory's end is the last one in the archive's final 64 KB, and a name listed twice is
// its first entry.
QHash<QString, qint64> PackedSizes(const QByteArray& zip) {
    constexpr int EndSize = 22;
    constexpr int EntrySize = 46;
    QHash<QString, qint64> sizes;
    const qsizetype end = zip.lastIndexOf("PK\x05\x06", zip.size() - EndSize);
    if (end < 0 || end < zip.size() - EndSize - 0xFFFF)
        return sizes;
    qsizetype at = Read(zip, end + 16, 4);
    const quint32 count = Read(zip, end + 10, 2);
    for (quint32 i = 0; i < count && at + EntrySize <= zip.size(); ++i) {
        if (Read(zip, at, 4) != 0x02014b50)
            break;
        const int nameLength = static_cast<int>(Read(zip, at + 28, 2));
        const QString name = QString::fromLocal8Bit(zip.mid(at + EntrySize, nameLength));
        if (!sizes.contains(name))
            sizes.insert(name, Read(zip, at + 20, 4));
        at += EntrySize + nameLength + Read(zip, at + 30, 2) + Read(zip, at + 32, 2);
    }
    return sizes;
}

// A name as the archive holds it, before Qt's reader drops its leading "../" and "/".
bool LeavesArchive(QString path) {
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
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
    packed_ = PackedSizes(archive_);
    for (auto name = packed_.keyBegin(); name != packed_.keyEnd(); ++name) {
        if (LeavesArchive(*name))
            throw TOrderFileRefusal(QStringLiteral("plik zawiera niedozwoloną ścieżkę"));
    }
    for (const QZipReader::FileInfo& entry : entries) {
        if (entry.isFile)
            sizes_.insert(entry.filePath, entry.size);
    }
}

TOrderPackage::~TOrderPackage() = default;

// The claimed and the packed size are checked before unpacking, and the unpacked size against
// the claim after: a part that claims little but unpacks to more is refused, having unpacked to
// no more than its packed size allows.
QByteArray TOrderPackage::Entry(const QString& name) const {
    const auto size = sizes_.constFind(name);
    if (size == sizes_.cend())
        throw TOrderFileRefusal(Damaged());
    const qint64 packed = packed_.value(name, -1);
    if (packed < 0)
        throw TOrderFileRefusal(Damaged());
    if (*size > OrderFileLimits::MaxEntryBytes || packed > OrderFileLimits::MaxPackedEntryBytes)
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
