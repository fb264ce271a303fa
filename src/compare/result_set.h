#pragma once

#include <functional>
#include <string>
#include <vector>

namespace synopter {

// The result files of one comparison (r2.rtf, r1.rtf, chapters.lst) belong
// together: a start-up that showed r2.rtf of one run beside r1.rtf of another
// would pair verses that were never compared. They are saved as a set, and a
// record beside them (results.set) names each file's size and checksum, so that
// a set that is not whole can be told and refused. The files themselves keep
// their formats; other programs read them as before.
inline constexpr const char* kResultSetFileName = "results.set";

struct ResultFile {
    std::string name; // inside the folder
    std::string bytes;
};

// Called with the number of the step about to be taken: each temporary, the
// record, each rename. Tests stop the process there.
using ResultSaveStep = std::function<void(int step)>;

// Every file goes to a temporary first; then the record of the new set
// replaces the old one; then the temporaries are renamed into place. A failure
// before the record leaves the previous set whole and no temporaries; a kill
// after it is completed by RecoverResultSet. Throws WriteError naming the file.
void SaveResultSet(const std::string& folder, const std::vector<ResultFile>& files,
                   const ResultSaveStep& step = {});

// At start-up: finishes a save that was cut short after its record was
// written, then removes the temporaries any save of `names` left behind.
void RecoverResultSet(const std::string& folder, const std::vector<std::string>& names);

enum class ResultSetState {
    Unrecorded, // no record: files from before records were kept, or none
    Whole,      // every file is the one the record names
    Mixed,      // some file is not: the set must not be shown
};
ResultSetState CheckResultSet(const std::string& folder);

} // namespace synopter
