#pragma once
// The data file (extension qvl): one value a line, CR LF line ends, texts in
// double quotes, numbers with "." as decimal point:
//   "VELM", version text, MeasuringSystem, ShapeCode, ConeData 1-6,
//   CylinderData 1-5, CylElbowData 1-8, ConeElbowData 1-9, CylindricalEnds,
//   EndConnections 1-10.
// Files whose version value is 2.0 or less end after CylinderData.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/working_state.h"

namespace velm {

// What a data file restores.
struct DataFileRecord {
    std::int16_t MeasuringSystem = 0;
    std::int16_t ShapeCode = ShapeNone;
    InputArrays Inputs = DefaultInputArrays();
};

// The whole file as this program writes it (all 43 lines).
std::string WriteDataFileText(const DataFileRecord& record);

// The error text (LangErrore) that begins the message for a damaged data
// file; the line number and the value follow it.
constexpr int DataFileDamagedText = 36;

// Why a file that carries the program's marker was refused: the line
// (counted from 1) and the value found there; Line 0 when the marker is
// missing (not a data file at all).
struct DataFileDamage {
    int Line = 0;
    bool Missing = false;  // the file ends before this line
    std::string Value;     // the line as found, trimmed
};

// Reads a file's text over `record`, which holds the current values: what an
// older file does not hold keeps them. False, with `record` untouched, when
// the text is not a complete data file or a value is out of its limits
// (length limits divided by 25.4 for a file in inches); then *damage says
// where, when asked for.
bool ReadDataFileText(std::string_view text, const InputLimits& limits, DataFileRecord& record,
                      DataFileDamage* damage = nullptr);

// The record of the working state, and the other way round.
DataFileRecord DataFileRecordOf(const WorkingState& state);
void CommitDataFileRecord(const DataFileRecord& record, WorkingState& state);

// Number text of the file: the shortest text that reads back to the same
// single-precision value, without a leading zero (".3", "-.5", "1E-07").
std::string DataFileNumberText(float value);
// A whole field as a number: optional sign, digits, one ".", an exponent.
// False for anything else, and for values outside single precision.
bool ReadDataFileNumber(std::string_view field, float& value);

}  // namespace velm
