#include "orderfile/TOrderFile.h"

#include "orderfile/OrderFileLimits.h"
#include "orderfile/TDocxReader.h"
#include "orderfile/TOdtReader.h"
#include "orderfile/TOrderFileMissing.h"
#include "orderfile/TOrderFileRefusal.h"
#include "orderfile/TOrderPackage.h"
#include "orderfile/TRegularFile.h"
#include "orderfile/TTextFileReader.h"

#include <QFileInfo>

namespace {

[[noreturn]] void RefuseFormat() {
    throw TOrderFileRefusal(
        QStringLiteral("to nie jest dokument .docx ani .odt, ani plik tekstowy"));
}

QString ReadPackage(const QByteArray& contents) {
    const TOrderPackage package(contents);
    if (package.Has(QStringLiteral("word/document.xml")))
        return TDocxReader::Read(package);
    if (TOdtReader::IsText(package))
        return TOdtReader::Read(package);
    RefuseFormat();
}

// The openings of formats that could pass for text: PDF and RTF are text of a sort, but not the
// order's text.
bool IsOtherFormat(const QByteArray& contents) {
    return contents.startsWith("%PDF") || contents.startsWith("{\\rtf");
}

// Text has no zero bytes, unless a byte order mark says it is UTF-16 or UTF-32.
bool IsText(const QByteArray& contents) {
    return !IsOtherFormat(contents) &&
           (QStringConverter::encodingForData(contents) || !contents.contains('\0'));
}

// A .docx saved with a password is no archive but a compound file holding the encrypted one as
// its stream "EncryptedPackage" (its name in UTF-16, little-endian as on every machine the
// program runs on).
bool IsEncryptedDocument(const QByteArray& contents) {
    static const QByteArray CompoundFile("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    static const QByteArray StreamName =
        QByteArray::fromRawData(reinterpret_cast<const char*>(u"EncryptedPackage"), 32);
    return contents.startsWith(CompoundFile) && contents.contains(StreamName);
}

QString Message(const QString& path, const QString& reason) {
    return QStringLiteral("Nie można wczytać rozkazu z pliku „%1”: %2. Zapisz rozkaz jako .docx "
                          "albo skopiuj jego treść i użyj WKLEJ ROZKAZ")
        .arg(QFileInfo(path).fileName(), reason);
}

} // namespace

QString TOrderFile::Read(const QString& path) {
    try {
        // The bound and a byte more: a file that grows meanwhile stays within the limit.
        const QByteArray contents = TRegularFile(path).ReadUpTo(OrderFileLimits::MaxFileBytes);
        if (contents.size() > OrderFileLimits::MaxFileBytes)
            throw TOrderFileRefusal(QStringLiteral("plik ma ponad 50 MB"));
        return Text(contents, path);
    } catch (const TOrderFileMissing&) {
        throw;
    } catch (const TOrderFileRefusal& refusal) {
        throw TOrderFileRefusal(Message(path, refusal.Reason()));
    }
}

QString TOrderFile::AnyText(const QByteArray& contents, const QString& fileName) {
    if (contents.startsWith("PK\x03\x04"))
        return ReadPackage(contents);
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (IsEncryptedDocument(contents))
        throw TOrderFileRefusal(TOrderFileRefusal::Encrypted());
    if (extension == u"docx" || extension == u"odt")
        throw TOrderFileRefusal(TOrderFileRefusal::Damaged());
    if (!IsText(contents))
        RefuseFormat();
    return TTextFileReader::Read(contents);
}

// A file without text would only empty the box; a text longer than the limit the documents'
// readers keep to is refused the same.
QString TOrderFile::Text(const QByteArray& contents, const QString& fileName) {
    QString text = AnyText(contents, fileName);
    if (text.trimmed().isEmpty())
        throw TOrderFileRefusal(QStringLiteral("plik nie zawiera tekstu"));
    if (text.size() > OrderFileLimits::MaxTextChars)
        throw TOrderFileRefusal(QStringLiteral("tekst dokumentu jest zbyt długi"));
    return text;
}
