// A .docx reader's input: the first byte chooses between the body of the main part's XML, which
// the fuzzer shapes far faster on its own, and the rest taken as a whole file (the archive layer).
#include "OrderFileFuzz.h"
#include "TDocxReader.h"
#include "TOrderFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1,
                          static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        ReadOrRefuse([&] {
            return TDocxReader::ReadDocument(
                "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
                "main\" xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
                "<w:body>" +
                rest + "</w:body></w:document>");
        });
    else
        ReadOrRefuse([&] { return TOrderFile::Text(rest, QStringLiteral("rozkaz.docx")); });
    return 0;
}
