#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QZipReader;
QT_END_NAMESPACE

// An order's archive (.docx, .odt) held in memory and read with Qt's zip reader. Only named parts
// are ever unpacked, into memory, each within the limits of OrderFileLimits; nothing is written
// anywhere. An archive that is damaged, or names a part outside itself (".."), is refused.
class TOrderPackage {
public:
    explicit TOrderPackage(const QByteArray& archive);
    ~TOrderPackage();
    TOrderPackage(const TOrderPackage&) = delete;
    TOrderPackage& operator=(const TOrderPackage&) = delete;

    bool Has(const QString& name) const { return sizes_.contains(name); }
    // The unpacked part; refuses a part that is missing, encrypted, too big, or other than its
    // size in the archive's directory says.
    QByteArray Entry(const QString& name) const;

private:
    QByteArray archive_;
    QBuffer device_;
    std::unique_ptr<QZipReader> zip_;
    // The size each part claims, and its packed size, by its name.
    QHash<QString, qint64> sizes_;
    QHash<QString, qint64> packed_;
};
