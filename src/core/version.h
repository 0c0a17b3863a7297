#pragma once
// The program's own name and version. The version text goes into line 2 of
// every data file (readers treat 2.0 and below as files without elbows), so
// it must stay a number greater than 2.0.

namespace velm {

constexpr const char* ProgramTitle = "VELM";
constexpr const char* VersionText = "2.1";

}  // namespace velm
