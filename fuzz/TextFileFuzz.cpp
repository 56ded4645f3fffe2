// A text file's reader: any bytes under a .txt name, where the contents still decide the format.
#include "OrderFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray contents(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ReadOrRefuse([&] { return TOrderFile::Text(contents, QStringLiteral("rozkaz.txt")); });
    return 0;
}
