#pragma once

#include "export/TFileLayer.h"

#include <functional>
#include <string>

// Writes the file `fileName` (in the file layer's narrow encoding) through `files`, creating it or
// replacing an existing file: `write` fills a temporary file beside it, which then takes the
// file's place in one step. On a failure (TIoError, or whatever `write` throws) the file keeps
// its old content and no temporary file is left. Once in place, the file is read back and
// compared byte for byte with what was written: a network share or a failing disk may keep other
// bytes than it was given without a word. A difference is a TIoError with the message
// `mismatch(target)`, `target` being the name the file was written under.
void WriteInPlace(TFileLayer& files, const std::string& fileName,
                  const std::function<void(TOpenFile&)>& write,
                  const std::function<std::string(const std::string& target)>& mismatch);
