#pragma once

#include "export/TClock.h"
#include "export/TFileLayer.h"
#include "register/TPersonTable.h"

#include <memory>
#include <string>

// Writes the rows of a person table to a person file (*.os).
class TPersonFileWriter {
public:
    // Reads the computer's clock and writes through the system's file layer.
    TPersonFileWriter();
    // Reads `clock` and writes through `files`; both must outlive the writer.
    TPersonFileWriter(TClock& clock, TFileLayer& files);
    ~TPersonFileWriter();

    // Writes every row, from the first to the last, to the file `fileName` (in the file layer's
    // narrow encoding, see TFileLayer), creating it or replacing an existing file. The new content
    // goes to a temporary file beside it first, so that on a failure (TIoError) the file keeps its
    // old content and no temporary file is left. Once in place, the file is read back and
    // compared byte for byte with what was written; a difference is a TIoError that names the
    // file. Leaves the table's last row current.
    void Export(TPersonTable& table, const std::string& fileName) const;

private:
    void WriteContent(TPersonTable& table, TOpenFile& file) const;

    std::unique_ptr<TClock> ownClock_;
    std::unique_ptr<TFileLayer> ownFiles_;
    TClock* clock_;
    TFileLayer* files_;
};
