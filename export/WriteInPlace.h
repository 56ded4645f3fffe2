#pragma once

#include "export/TFileLayer.h"

#include <functional>
#include <string>

// Writes the file `fileName` (in the file layer's narrow encoding) through `files`, creating it or
// replacing an existing file: `write` fills a temporary file beside it, which then takes the
// file's place in one step. On a failure (TIoError, or whatever `write` throws) the file keeps
// its old content and no temporary file is left.
void WriteInPlace(TFileLayer& files, const std::string& fileName,
                  const std::function<void(TOpenFile&)>& write);
