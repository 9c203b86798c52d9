#pragma once
// The builders that turn the file chosen on the Send tab into upload lines: a
// coordinate list (comma- or blank-separated, its fields in the user's upload field
// order), a KOF file (its "05" coordinate records) or a code or point-name list (sent
// as it stands). The lines go to a sink, the temporary file that the line sender then
// sends line by line.
//
// Counts are 64-bit, so lists of any length can be sent. Blank lines of a list are
// not sent: a coordinate list never sends a point "0" at the origin for an empty line.
#include <array>
#include <cstdint>
#include <string>

namespace tavrelo {

class ByteSink;

// What the upload window's request word asks for.
enum class UploadKind { Comma, Space, CodeList, Kof };

struct UploadOptions {
    // The item shown in each of the five field-order combos: combo k names the role of
    // input field k + 1 (0 point, 1 northing, 2 easting, 3 elevation, 4 code; 5 and 6
    // name none).
    std::array<int, 5> fieldOrder{{0, 1, 2, 3, 4}};
    // Coordinate order "ENZ": the easting is sent before the northing.
    bool eastingFirst = false;
};

struct UploadBuild {
    // Lines written to the sink; the sender sends them all.
    int64_t lines = 0;
    // The window's line counter, the maximum of its progress bar: for the coordinate
    // and KOF builders the lines written + 2, for a code list the lines read.
    int64_t LineCount = 0;
    // 0, or the failure number of the input (53 missing, ...) or of the sink.
    int error = 0;

    bool ok() const { return error == 0; }
    bool hasLines() const { return ok() && lines > 0; }
};

// Builds by kind from the file at inputPath into out.
UploadBuild BuildUploadFile(UploadKind kind, const std::string& inputPath, ByteSink& out,
                            const UploadOptions& options);

UploadBuild CreateUpLoadFileComma(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
UploadBuild CreateUpLoadFileSpace(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
UploadBuild CreateUpLoadFileKOF(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
// Every non-blank line copied unchanged; a list of one or two lines is sent too.
UploadBuild CreatUpLoadCodeFile(const std::string& inputPath, ByteSink& out);

// The kind a request word selects ("Comma", "Space", "UpLoadZVK", "UpLoadKOF");
// false for any other word.
bool UploadKindOfRequest(const std::string& word, UploadKind& kind);

} // namespace tavrelo
