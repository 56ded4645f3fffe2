#include "orderfile/TOrderPackage.h"

#include "orderfile/OrderFileLimits.h"
#include "orderfile/TOrderFileRefusal.h"

#include <QSet>

#include <zip.h>

namespace {

[[noreturn]] void RefuseDamaged() {
    throw TOrderFileRefusal(TOrderFileRefusal::Damaged());
}

// A name as the archive holds it: one that climbs out of the archive is refused whatever a
// reader would make of it.
bool LeavesArchive(QString path) {
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.startsWith(QLatin1Char('/')) || path == QLatin1String("..") ||
           path.startsWith(QLatin1String("../")) || path.contains(QLatin1String("/../")) ||
           path.endsWith(QLatin1String("/.."));
}

bool IsEncryption(int error) {
    return error == ZIP_ER_NOPASSWD || error == ZIP_ER_ENCRNOTSUPP || error == ZIP_ER_WRONGPASSWD;
}

struct TCloseFile {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// Reads the open part up to `size` bytes and one more: a part that has that byte unpacks to more
// than it claims, and is refused without a byte more unpacked.
QByteArray ReadPart(zip_file_t* file, qint64 size) {
    QByteArray data(size + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < data.size()) {
        const zip_int64_t read = zip_fread(file, data.data() + got, data.size() - got);
        if (read < 0)
            RefuseDamaged();
        if (read == 0)
            break;
        got += read;
    }
    if (got > size)
        throw TOrderFileRefusal(
            QStringLiteral("część dokumentu jest dłuższa, niż podaje spis archiwum"));
    if (got < size)
        RefuseDamaged();
    data.truncate(size);
    return data;
}

} // namespace

void TOrderPackage::TClose::operator()(zip* archive) const {
    zip_discard(archive);
}

TOrderPackage::TOrderPackage(const QByteArray& archive) : archive_(archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(archive_.constData(), archive_.size(), 0, &error);
    if (source != nullptr) {
        zip_.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (!zip_)
            zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!zip_)
        RefuseDamaged();
    ListParts();
}

TOrderPackage::~TOrderPackage() = default;

// Every name is checked, not only those read: a name twice would let the directory's size check
// and the reading meet different parts.
void TOrderPackage::ListParts() {
    const zip_int64_t count = zip_get_num_entries(zip_.get(), 0);
    if (count <= 0)
        RefuseDamaged();
    QSet<QString> names;
    for (zip_int64_t index = 0; index < count; ++index) {
        const char* raw = zip_get_name(zip_.get(), index, ZIP_FL_ENC_GUESS);
        if (raw == nullptr)
            RefuseDamaged();
        const QString name = QString::fromUtf8(raw);
        if (LeavesArchive(name))
            throw TOrderFileRefusal(QStringLiteral("plik zawiera niedozwoloną ścieżkę"));
        if (names.contains(name))
            throw TOrderFileRefusal(QStringLiteral("plik zawiera dwie części o tej samej nazwie"));
        names.insert(name);
        if (!name.endsWith(QLatin1Char('/')))
            parts_.insert(name, index);
    }
}

QByteArray TOrderPackage::Entry(const QString& name) const {
    const auto index = parts_.constFind(name);
    if (index == parts_.cend())
        RefuseDamaged();
    zip_stat_t stat;
    if (zip_stat_index(zip_.get(), *index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        RefuseDamaged();
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw TOrderFileRefusal(TOrderFileRefusal::Encrypted());
    if (stat.size > static_cast<zip_uint64_t>(OrderFileLimits::MaxEntryBytes))
        throw TOrderFileRefusal(QStringLiteral("treść dokumentu jest zbyt duża"));
    const std::unique_ptr<zip_file_t, TCloseFile> file(zip_fopen_index(zip_.get(), *index, 0));
    if (!file) {
        if (IsEncryption(zip_error_code_zip(zip_get_error(zip_.get()))))
            throw TOrderFileRefusal(TOrderFileRefusal::Encrypted());
        RefuseDamaged();
    }
    return ReadPart(file.get(), static_cast<qint64>(stat.size));
}
