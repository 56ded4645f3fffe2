#pragma once

#include <QtGlobal>

// The fixed limits within which an order's file is read. Real orders stay far below them; a file
// beyond one is refused, so that no file can make the program hold or work through more.
namespace OrderFileLimits {

// The file itself, as it is read whole into memory.
inline constexpr qint64 MaxFileBytes = 50 * 1024 * 1024;
// One part of an archive (the document's XML), unpacked and packed. A packed megabyte holds the
// text of well over a thousand persons, and no packed megabyte unpacks to more than about a
// gigabyte, which is what a part lying about its size may make the program unpack before it
// is refused.
inline constexpr qint64 MaxEntryBytes = 64 * 1024 * 1024;
inline constexpr qint64 MaxPackedEntryBytes = 1024 * 1024;
// Elements open at once in a document's XML (a table in a table adds about five).
inline constexpr int MaxXmlDepth = 256;
// The text that comes out of a file.
inline constexpr qsizetype MaxTextChars = 32 * 1024 * 1024;

} // namespace OrderFileLimits
