#pragma once
// The end-connection panel of the conical elbow between end connections, as
// values: one EndConnection record (0 start, 1 end) edited in four boxes
// (Diameter, CutAngle, Length, SecondDiameter) with a kind option (conical
// or cylindrical). The window shows and reads the boxes; this decides.
#include <array>
#include <optional>
#include <string>

#include "core/input_fields.h"
#include "core/working_state.h"
#include "elbows/elbow_inputs.h"

namespace velm {

// The panel's four boxes, LblRaccordi(i) and its box i.
enum ConnectionBox : int { DiameterBox = 0, CutAngleBox = 1, LengthBox = 2, SecondDiameterBox = 3 };

// Kind is compared exactly: 0 conical, anything else is the cylindrical option.
bool ConnectionIsConical(const EndConnectionArray& c, int record);

// The captions of LblRaccordi(0) and LblRaccordi(3): the diameter that joins
// the elbow is marked " (d):" (start) or " (D):" (end).
struct ConnectionDiameterLabels {
    std::string First;
    std::string Second;
};
ConnectionDiameterLabels FilletPanelLabels(bool cylindrical, int record, std::int16_t diametriExt);

// What the panel's boxes show when a record is opened: the four values, all
// through the length format, the angle included.
std::array<std::string, 4> ConnectionBoxTexts(const EndConnectionArray& c, int record,
                                              std::int16_t measuringSystem);

// Confirmation: the kind and the four boxes (the hidden fourth too) into the
// record, then its check; the number of the check's error text, 0 when
// accepted. The record keeps the values even when refused.
int StoreConnectionRecord(EndConnectionArray& c, int record, bool cylindrical,
                          const std::array<std::string, 4>& boxTexts);

// Key filters of the four boxes (the cut angle alone admits a sign); KeyDown
// acts on Delete only. A refused key is set to 0.
void FilterConnectionKeyPress(const BoxState& box, int index, int& keyAscii, const FieldSettings& s);
void FilterConnectionKeyDown(const BoxState& box, int index, int& keyCode, const FieldSettings& s);

// Leaving a box: below its minimum it beeps and takes the minimum. True when
// the text was replaced. No maximum: the key filters keep to it.
bool CheckConnectionFieldRange(std::string& text, int index, const FieldSettings& s);

// The status-line hint of a box, by the selected option and the record.
std::optional<std::string> ConnectionFieldHint(int index, bool cylindrical, int record, const FieldSettings& s);

}  // namespace velm
