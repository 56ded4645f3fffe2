#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

struct zip;

// An order's archive (.docx, .odt) held in memory and read with libzip. Only named parts are
// ever unpacked, into memory, each as a stream stopped at the size the archive's directory
// claims for it and at OrderFileLimits::MaxEntryBytes, however much its data would unpack to;
// nothing is written anywhere. An archive that is damaged, names a part outside itself ("..") or
// names one part twice is refused.
class TOrderPackage {
public:
    explicit TOrderPackage(const QByteArray& archive);
    ~TOrderPackage();
    TOrderPackage(const TOrderPackage&) = delete;
    TOrderPackage& operator=(const TOrderPackage&) = delete;

    bool Has(const QString& name) const { return parts_.contains(name); }
    // The unpacked part; refuses a part that is missing, encrypted, too big, or other than its
    // size in the archive's directory says.
    QByteArray Entry(const QString& name) const;

private:
    struct TClose {
        void operator()(zip* archive) const;
    };

    void ListParts();

    QByteArray archive_;
    std::unique_ptr<zip, TClose> zip_;
    // Each part's index in the archive, by its name.
    QHash<QString, quint64> parts_;
};
