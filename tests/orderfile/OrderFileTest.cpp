#include "OrderDocuments.h"
#include "orderfile/TOrderFile.h"
#include "orderfile/TOrderFileRefusal.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace {

struct TextCase {
    const char* name;
    QByteArray contents;
    QString text;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class OrderFileTextTest : public testing::TestWithParam<TextCase> {};

// A .docx whose every part gives its sizes in a zip64 extra field.
QByteArray Zip64Docx(ZipPart::TZip64 zip64) {
    std::vector<ZipPart> parts = DocxParts("<w:p><w:r><w:t>Rozkaz</w:t></w:r></w:p>");
    for (ZipPart& part : parts)
        part.zip64 = zip64;
    return ZipOf(parts);
}

// The file's text as the word processor's plain-text copy of the whole document gives it. The
// contents tell the format, whatever the name says.
TEST_P(OrderFileTextTest, GivesTheTextAClerksCopyGives) {
    EXPECT_EQ(TOrderFile::Text(GetParam().contents, QStringLiteral("rozkaz.txt")), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Docx, OrderFileTextTest,
    testing::Values(
        TextCase{"ParagraphsOneLineEach",
                 Docx("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\"/></w:tabs></w:pPr><w:r><w:rPr>"
                      "<w:b/></w:rPr><w:t>1. szer. </w:t></w:r><w:r><w:t>NOWAK</w:t></w:r></w:p>"
                      "<w:p/><w:p><w:r><w:t xml:space=\"preserve\"> b </w:t></w:r></w:p>"),
                 "1. szer. NOWAK\n\n b \n"},
        TextCase{"TabsAndBreaks",
                 Docx("<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:cr/>"
                      "<w:t>d</w:t><w:br w:type=\"page\"/></w:r></w:p>"),
                 "a\tb\vc\vd\f\n"},
        TextCase{"HyphensAndSpaces",
                 Docx("<w:p><w:r><w:t>KOWALSKA</w:t><w:noBreakHyphen/><w:t>NO</w:t><w:softHyphen/>"
                      "<w:t>WAK\u00A0Jan</w:t></w:r></w:p>"),
                 "KOWALSKA\u2011NOWAK\u00A0Jan\n"},
        TextCase{"TableCellByCellRowByLine",
                 Docx("<w:tbl><w:tblPr/><w:tblGrid/><w:tr><w:tc><w:tcPr/><w:p><w:r><w:t>1</w:t>"
                      "</w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>a</w:t></w:r></w:p><w:p><w:r>"
                      "<w:t>b</w:t></w:r></w:p></w:tc></w:tr><w:tr><w:tc><w:p/></w:tc><w:tc><w:p>"
                      "<w:r><w:t>c</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p><w:r><w:t>x</w:t>"
                      "</w:r></w:p>"),
                 "1\ta\nb\n\tc\nx\n"},
        TextCase{"TrackedChangesAccepted",
                 Docx("<w:p><w:r><w:t>a</w:t></w:r><w:del><w:r><w:delText>old</w:delText></w:r>"
                      "</w:del><w:moveFrom><w:r><w:t>moved</w:t></w:r></w:moveFrom><w:ins><w:r>"
                      "<w:t>new</w:t></w:r></w:ins></w:p><w:p><w:pPr><w:rPr><w:del/></w:rPr>"
                      "</w:pPr><w:r><w:t>joined</w:t></w:r></w:p><w:p><w:r><w:t>on</w:t></w:r>"
                      "</w:p><w:tbl><w:tr><w:trPr><w:del/></w:trPr><w:tc><w:p><w:r><w:t>gone"
                      "</w:t></w:r></w:p></w:tc></w:tr><w:tr><w:tc><w:p><w:r><w:t>kept</w:t>"
                      "</w:r></w:p></w:tc></w:tr></w:tbl>"),
                 "anew\njoinedon\nkept\n"},
        TextCase{"FieldsByTheirShownResult",
                 Docx("<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/><w:instrText>IF </w:instrText>"
                      "<w:fldChar w:fldCharType=\"begin\"/><w:instrText>PAGE</w:instrText>"
                      "<w:fldChar w:fldCharType=\"separate\"/><w:t>1</w:t><w:fldChar "
                      "w:fldCharType=\"end\"/><w:fldChar w:fldCharType=\"separate\"/><w:t>s. 7"
                      "</w:t><w:fldChar w:fldCharType=\"end\"/></w:r><w:fldSimple w:instr=\"DATE\">"
                      "<w:r><w:t>, 2026</w:t></w:r></w:fldSimple></w:p>"),
                 "s. 7, 2026\n"},
        TextCase{"NotesCommentsAndShapesOut",
                 Docx("<w:p><w:r><w:t>a</w:t><w:footnoteReference w:id=\"1\"/></w:r><w:r>"
                      "<w:commentReference w:id=\"0\"/></w:r><mc:AlternateContent><mc:Fallback>"
                      "<w:pict><w:txbxContent><w:p><w:r><w:t>box</w:t></w:r></w:p></w:txbxContent>"
                      "</w:pict></mc:Fallback></mc:AlternateContent><w:hyperlink><w:r><w:t>b</w:t>"
                      "</w:r></w:hyperlink></w:p>"),
                 "ab\n"},
        TextCase{"Zip64SizesMarked", Zip64Docx(ZipPart::TZip64::Marked), "Rozkaz\n"},
        TextCase{"Zip64SizesBesideTheUsualOnes", Zip64Docx(ZipPart::TZip64::Beside), "Rozkaz\n"}));

INSTANTIATE_TEST_SUITE_P(
    Odt, OrderFileTextTest,
    testing::Values(
        TextCase{"ParagraphsSpacesTabsAndBreaks",
                 Odt("<text:h>Rozkaz</text:h><text:p>\n  a   b<text:s text:c=\"2\"/>c<text:tab/>d"
                     "<text:line-break/><text:span>e</text:span> <text:s/></text:p>"),
                 "Rozkaz\na b  c\td\ve  \n"},
        TextCase{"TableCellByCellRowByLine",
                 Odt("<table:table><table:table-column/><table:table-row><table:table-cell>"
                     "<text:p>1</text:p></table:table-cell><table:table-cell><text:p>a</text:p>"
                     "<text:p>b</text:p></table:table-cell><table:covered-table-cell/>"
                     "</table:table-row></table:table>"),
                 "1\ta\nb\n"},
        TextCase{"ChangesAcceptedNotesCommentsAndFramesOut",
                 Odt("<text:tracked-changes><text:changed-region><text:deletion><text:p>old"
                     "</text:p></text:deletion></text:changed-region></text:tracked-changes>"
                     "<text:p>a<text:change text:change-id=\"c1\"/>new<text:note><text:note-body>"
                     "<text:p>note</text:p></text:note-body></text:note><office:annotation>"
                     "<text:p>comment</text:p></office:annotation><draw:frame><draw:text-box>"
                     "<text:p>box</text:p></draw:text-box></draw:frame><text:page-number>3"
                     "</text:page-number></text:p>"),
                 "anew3\n"}));

// A text file's encoding, told by its byte order mark or by its bytes.
INSTANTIATE_TEST_SUITE_P(
    Text, OrderFileTextTest,
    testing::Values(
        TextCase{"Utf8WithMark", "\xEF\xBB\xBF\xC5\xBC\xC3\xB3\xC5\x82w\r\n", "żółw\r\n"},
        TextCase{"Utf8", "\xC5\xBC\xC3\xB3\xC5\x82w", "żółw"},
        TextCase{"Utf16LittleEndian", QByteArray("\xFF\xFE\x7C\x01\xF3\x00\x42\x01w\x00", 10),
                 "żółw"},
        TextCase{"Utf16BigEndian", QByteArray("\xFE\xFF\x01\x7C\x00\xF3\x01\x42\x00w", 10), "żółw"},
        TextCase{"Windows1250", "\xBF\xF3\xB3w\xA0\xB9", "żółw\u00A0ą"}));

// A .docx whose main part is changed by `change`.
QByteArray DocxWith(const std::function<void(ZipPart&)>& change) {
    std::vector<ZipPart> parts =
        DocxParts("<w:p><w:r><w:t>" + QByteArray(10000, 'a') + "</w:t></w:r></w:p>");
    change(parts[1]);
    return ZipOf(parts);
}

QByteArray TwoPartsOfOneName() {
    std::vector<ZipPart> parts = DocxParts("<w:p/>");
    parts.push_back({"word/document.xml", DocumentXml("<w:p><w:r><w:t>b</w:t></w:r></w:p>")});
    return ZipOf(parts);
}

// A compound file as a word processor saves a .docx with a password, and one that is not that.
QByteArray CompoundFile(const QString& stream) {
    return QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, 0) +
           QByteArray(reinterpret_cast<const char*>(stream.utf16()), stream.size() * 2);
}

QByteArray EncryptedOdt() {
    return ZipOf({{"mimetype", "application/vnd.oasis.opendocument.text"},
                  {"content.xml", QByteArray(300, '\x9C')},
                  {"META-INF/manifest.xml",
                   "<manifest:manifest><manifest:file-entry manifest:full-path=\"content.xml\">"
                   "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>"}});
}

QByteArray Nested(int depth) {
    return Docx(QByteArray("<w:sdt><w:sdtContent>").repeated(depth) + "<w:p/>" +
                QByteArray("</w:sdtContent></w:sdt>").repeated(depth));
}

struct RefusalCase {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> contents; // none: no file at all
    const char* reason;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class OrderFileRefusalTest : public testing::TestWithParam<RefusalCase> {};

void ExpectRefusal(const QString& path, const QString& fileName, const QString& reason) {
    try {
        TOrderFile::Read(path);
        FAIL() << "read";
    } catch (const TOrderFileRefusal& refusal) {
        EXPECT_EQ(refusal.Reason(),
                  QString("Nie można wczytać rozkazu z pliku „%1”: %2. Zapisz rozkaz jako .docx "
                          "albo skopiuj jego treść i użyj WKLEJ ROZKAZ")
                      .arg(fileName, reason));
    }
}

TEST_P(OrderFileRefusalTest, SaysWhyAndWhatToDoInstead) {
    const TempFolder folder;
    const QString path = QString::fromStdString((folder / GetParam().fileName).string());
    if (GetParam().contents) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().contents());
    }
    ExpectRefusal(path, GetParam().fileName, GetParam().reason);
}

const QByteArray OleFile = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, 0);
const char* const NotAnOrder = "to nie jest dokument .docx ani .odt, ani plik tekstowy";
const char* const Damaged = "plik jest uszkodzony";
const char* const Encrypted = "dokument jest zaszyfrowany hasłem";
const char* const LongerThanClaimed = "część dokumentu jest dłuższa, niż podaje spis archiwum";

INSTANTIATE_TEST_SUITE_P(
    OtherFormats, OrderFileRefusalTest,
    testing::Values(
        RefusalCase{"Doc", "rozkaz.doc", [] { return OleFile; }, NotAnOrder},
        RefusalCase{"Pdf", "rozkaz.pdf", [] { return QByteArray("%PDF-1.7\n1 0 obj"); },
                    NotAnOrder},
        RefusalCase{"Rtf", "rozkaz.txt", [] { return QByteArray("{\\rtf1\\ansi KOWALSKI}"); },
                    NotAnOrder},
        RefusalCase{"Image", "skan.png",
                    [] { return QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16); }, NotAnOrder},
        RefusalCase{"OtherArchive", "rozkaz.zip",
                    [] {
                        return Zip({{"a.txt", "PESEL"}});
                    },
                    NotAnOrder},
        RefusalCase{"DocNamedDocx", "rozkaz.docx", [] { return OleFile; }, Damaged},
        RefusalCase{"EncryptedDocx", "rozkaz.docx",
                    [] { return CompoundFile(QStringLiteral("EncryptedPackage")); }, Encrypted},
        RefusalCase{"EncryptedOdt", "rozkaz.odt", EncryptedOdt, Encrypted},
        RefusalCase{"EncryptedPart", "rozkaz.docx",
                    [] { return DocxWith([](ZipPart& part) { part.flags = 1; }); }, Encrypted},
        RefusalCase{"CutArchive", "rozkaz.docx", [] { return Docx("<w:p/>").left(300); }, Damaged},
        RefusalCase{"NoText", "pusty.docx",
                    [] { return Docx("<w:p/><w:p><w:r><w:t> </w:t></w:r></w:p>"); },
                    "plik nie zawiera tekstu"}));

// A file that is not there is refused as missing, with no advice about its format.
TEST(OrderFileMissingTest, IsRefusedAsMissing) {
    const TempFolder folder;
    const QString path = QString::fromStdString((folder / "brak.odt").string());
    try {
        TOrderFile::Read(path);
        FAIL() << "read";
    } catch (const TOrderFileRefusal& refusal) {
        EXPECT_EQ(refusal.Reason(),
                  QString("Nie ma pliku „%1”").arg(QDir::toNativeSeparators(path)));
    }
}

// Files made to harm a reader are refused within fixed limits, never read whole.
INSTANTIATE_TEST_SUITE_P(
    Hostile, OrderFileRefusalTest,
    testing::Values(
        RefusalCase{"PartBiggerThanItClaims", "rozkaz.docx",
                    [] { return DocxWith([](ZipPart& part) { part.claimedSize = 100; }); },
                    LongerThanClaimed},
        // A megabyte of packed zeros unpacks to about a gigabyte, and then meets data that is
        // not deflate's: only a reader that stopped at the claim says the part is longer.
        RefusalCase{"PackedZerosClaimingLittle", "rozkaz.docx",
                    [] {
                        return DocxWith([](ZipPart& part) {
                            part.packed = PackedZeros(1 << 20);
                            part.claimedSize = 1000;
                        });
                    },
                    LongerThanClaimed},
        RefusalCase{
            "PartShorterThanItClaims", "rozkaz.docx",
            [] { return DocxWith([](ZipPart& part) { part.claimedSize = part.data.size() + 1; }); },
            Damaged},
        RefusalCase{"PartClaimingTooMuch", "rozkaz.docx",
                    [] { return DocxWith([](ZipPart& part) { part.claimedSize = 100 << 20; }); },
                    "treść dokumentu jest zbyt duża"},
        RefusalCase{"TwoPartsOfOneName", "rozkaz.docx", TwoPartsOfOneName,
                    "plik zawiera dwie części o tej samej nazwie"},
        RefusalCase{"PathOutOfTheArchive", "rozkaz.docx",
                    [] {
                        return Zip({{"word/document.xml", DocumentXml("<w:p/>")}, {"../a", "x"}});
                    },
                    "plik zawiera niedozwoloną ścieżkę"},
        RefusalCase{"EntityExpansion", "rozkaz.docx",
                    [] {
                        return Zip({{"word/document.xml",
                                     DocumentXml("<w:p><w:r><w:t>&b;</w:t></w:r></w:p>")
                                         .replace("standalone=\"yes\"?>",
                                                  "?><!DOCTYPE w:document [<!ENTITY a \"aaaa\">"
                                                  "<!ENTITY b \"&a;&a;&a;&a;\">]>")}});
                    },
                    "dokument zawiera niedozwolone deklaracje"},
        RefusalCase{"DeepNesting", "rozkaz.docx", [] { return Nested(300); },
                    "dokument jest zbyt głęboko zagnieżdżony"},
        RefusalCase{"Over50MB", "rozkaz.txt", [] { return QByteArray(50 * 1024 * 1024 + 1, 'a'); },
                    "plik ma ponad 50 MB"}));

} // namespace

namespace {

// What is not a regular file is refused before anything could wait on it: a FIFO without a
// writer would hold the reader for ever.
struct SpecialCase {
    const char* name;
    // Makes the special file in the folder (or names one of the system's) and gives its path.
    std::function<std::filesystem::path(const TempFolder&)> make;
    const char* reason;
};

void PrintTo(const SpecialCase& c, std::ostream* out) {
    *out << c.name;
}

class OrderFileSpecialTest : public testing::TestWithParam<SpecialCase> {};

TEST_P(OrderFileSpecialTest, IsRefusedAtOnce) {
    const TempFolder folder;
    const std::filesystem::path path = GetParam().make(folder);
    if (path.empty())
        GTEST_SKIP() << "no such file can be made here: FIFOs and sockets among files are POSIX's";
    ExpectRefusal(QString::fromStdWString(path.wstring()),
                  QString::fromStdWString(path.filename().wstring()), GetParam().reason);
}

std::filesystem::path Folder(const TempFolder& folder) {
    std::filesystem::create_directory(folder / "rozkaz.docx");
    return folder / "rozkaz.docx";
}

std::filesystem::path Fifo([[maybe_unused]] const TempFolder& folder) {
#ifdef _WIN32
    return {};
#else
    const std::filesystem::path path = folder / "rozkaz.txt";
    return mkfifo(path.c_str(), 0600) == 0 ? path : std::filesystem::path();
#endif
}

// A socket's name stays in the folder once the socket is closed.
std::filesystem::path Socket([[maybe_unused]] const TempFolder& folder) {
#ifdef _WIN32
    return {};
#else
    const std::filesystem::path path = folder / "rozkaz.txt";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.native().size() >= sizeof address.sun_path)
        return {};
    path.native().copy(address.sun_path, path.native().size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound ? path : std::filesystem::path();
#endif
}

std::filesystem::path Device(const TempFolder&) {
#ifdef _WIN32
    return "NUL";
#else
    return "/dev/zero";
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Special, OrderFileSpecialTest,
    testing::Values(SpecialCase{"Folder", Folder, "to jest folder, a nie plik"},
                    SpecialCase{"Fifo", Fifo, "to jest potok nazwany, a nie zwykły plik"},
                    SpecialCase{"Socket", Socket, "to jest gniazdo, a nie zwykły plik"},
                    SpecialCase{"Device", Device, "to jest urządzenie, a nie zwykły plik"}));

#ifndef _WIN32
// The files of /proc report no size, yet hold text: read to their end, not as one byte.
TEST(OrderFileSpecialTest, FileReportingNoSizeIsReadWhole) {
    const QString text = TOrderFile::Read(QStringLiteral("/proc/self/status"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Name:"))) << text.left(40).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nPid:")));
}
#endif

} // namespace
