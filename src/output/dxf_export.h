#pragma once
// The drawing file of the current development: the routing by ShapeCode,
// the elbows developed piece by piece, and the file written whole or not at
// all.
#include <ostream>
#include <string>

#include "core/working_state.h"

namespace velm {

enum class DxfStatus {
    Written,
    NoDevelopment,    // no valid development of the current shape (or no shape)
    NotFinite,        // a value of the drawing is not a finite number
    PieceCountRange,  // an elbow whose piece count is not a whole 3 to 50
};

// The LangErrore text that refuses an export with this status; 0 for Written.
int DxfStatusMessage(DxfStatus status);

// What an export can tell before it writes anything: the development is
// valid and, for an elbow, its piece count is in range and the last
// computed elbow is the current one.
DxfStatus CheckDxfSource(const WorkingState& state);

// Writes the whole file (ENTITIES section and end of file) of the current
// development into `out`. Elbow pieces are developed into results of the
// export's own; the state is not changed. Anything but Written leaves the
// stream with an unfinished file that the caller throws away.
DxfStatus WriteDxfEntities(std::ostream& out, const WorkingState& state);

// The file at path, streamed into a new file beside it and put in its place
// only when every line was written (ReplaceFileStreamed: a write-protected
// file refused, a missing folder made one level). `error` is the system's
// error number when the file itself failed (status Written then means the
// drawing was fine but not stored).
struct DxfFileResult {
    DxfStatus Status = DxfStatus::Written;
    int Error = 0;
    bool Ok() const { return Status == DxfStatus::Written && Error == 0; }
};
DxfFileResult WriteDxfFile(const std::string& path, const WorkingState& state);

}  // namespace velm
