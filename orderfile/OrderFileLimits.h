#pragma once

#include <QtGlobal>

// The fixed limits within which an order's file is read. Real orders stay far below them; a file
// beyond one is refused, so that no file can make the program hold or work through more.
namespace OrderFileLimits {

// The file itself, as it is read whole into memory.
inline constexpr qint64 MaxFileBytes = 50 * 1024 * 1024;
// One part of an archive (the document's XML), unpacked: the reading of a part stops at this
// bound and at the size the archive's directory claims for it, however much its data would
// unpack to.
inline constexpr qint64 MaxEntryBytes = 64 * 1024 * 1024;
// Elements open at once in a document's XML (a table in a table adds about five).
inline constexpr int MaxXmlDepth = 256;
// The text that comes out of a file.
inline constexpr qsizetype MaxTextChars = 32 * 1024 * 1024;

} // namespace OrderFileLimits
