#include "orderfile/TRegularFile.h"

#include "orderfile/TOrderFileMissing.h"
#include "orderfile/TOrderFileRefusal.h"

#include <algorithm>

void TRegularFile::RefuseOpen(const QString& path, bool notFound) {
    if (notFound)
        throw TOrderFileMissing(path);
    throw TOrderFileRefusal(QStringLiteral("nie można go otworzyć"));
}

void TRegularFile::RefuseRead() {
    throw TOrderFileRefusal(QStringLiteral("nie można go odczytać"));
}

void TRegularFile::RefuseUnlessRegular(TKind kind) {
    switch (kind) {
    case TKind::Regular:
        return;
    case TKind::Folder:
        throw TOrderFileRefusal(QStringLiteral("to jest folder, a nie plik"));
    case TKind::Device:
        throw TOrderFileRefusal(QStringLiteral("to jest urządzenie, a nie zwykły plik"));
    case TKind::Pipe:
        throw TOrderFileRefusal(QStringLiteral("to jest potok nazwany, a nie zwykły plik"));
    case TKind::Socket:
        throw TOrderFileRefusal(QStringLiteral("to jest gniazdo, a nie zwykły plik"));
    case TKind::Other:
        break;
    }
    throw TOrderFileRefusal(QStringLiteral("to nie jest zwykły plik"));
}

// Files that report no size (those of /proc) are read to their end all the same.
QByteArray TRegularFile::ReadUpTo(qint64 maxBytes) {
    constexpr qint64 Chunk = qint64{1} << 20;
    QByteArray contents;
    contents.reserve(std::clamp<qint64>(reportedSize_, 0, maxBytes) + 1);
    while (contents.size() <= maxBytes) {
        const qsizetype at = contents.size();
        contents.resize(at + std::min(Chunk, maxBytes + 1 - at));
        const qint64 read = ReadSome(contents.data() + at, contents.size() - at);
        contents.resize(at + read);
        if (read == 0)
            break;
    }
    return contents;
}
