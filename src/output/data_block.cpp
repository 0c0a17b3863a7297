#include "output/data_block.h"

#include <initializer_list>

#include "core/language.h"
#include "core/number_text.h"
#include "core/shape_inputs.h"
#include "core/version.h"
#include "platform/trim.h"

namespace velm {

namespace {

constexpr const char* Degree = "\xC2\xB0";

bool In(int code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (c == code) return true;
    return false;
}

std::string Label(int text) { return Txt(LangFrmAntep, text) + ":"; }

std::string Angle(float degrees) { return FormatFixed2(degrees) + Degree; }

std::string MethodName(std::int16_t computingSystem) {
    if (computingSystem == 0) return Txt(LangFrmAntep, 38);
    if (computingSystem == 1) return Txt(LangFrmAntep, 37);
    return Txt(LangFrmAntep, 36);  // any other value means the outer fibre
}

std::vector<PrintLine> Block(const WorkingState& st, std::vector<PrintLine> rows, int noteColumns) {
    std::vector<PrintLine> lines;
    lines.push_back({{DataBlockHeader(), ItemEnd::EndLine}});
    lines.push_back({});
    if (st.Settings.CheckData == 1) {
        const std::string unit = Txt(LangFrmUnMis, st.Settings.MeasuringSystem == 1 ? 3 : 2);
        lines.push_back({{Txt(LangFrmAntep, 14), ItemEnd::NextZone}, {"[" + unit + "]", ItemEnd::EndLine}});
        lines.push_back({});
        for (PrintLine& row : rows) lines.push_back(std::move(row));
        lines.push_back({{" " + MethodName(st.Settings.ComputingSystem), ItemEnd::EndLine}});
    }
    for (std::string& note : NoteLines(st.NoteText, noteColumns)) lines.push_back({{std::move(note), ItemEnd::EndLine}});
    return lines;
}

void PrintLines(Printer& printer, const std::vector<PrintLine>& lines) {
    for (const PrintLine& line : lines) PrintItems(printer, line);
}

}  // namespace

std::string DataBlockHeader() {
    return std::string("--- TOLVA-MERIX --- ") + ProgramTitle + " " + std::string(TrimChars(VersionText, " "));
}

PrintLine PaddedLine(const std::string& label, const std::string& value) {
    const int length = TextColumns(label);
    PrintLine line{{label, ItemEnd::NextZone}};
    const int emptyZones = length < 14 ? 2 : length < 28 ? 1 : 0;
    for (int i = 0; i < emptyZones; ++i) line.push_back({"", ItemEnd::NextZone});
    line.push_back({value, ItemEnd::EndLine});
    return line;
}

std::vector<PrintLine> CylinderDataRows(const WorkingState& st) {
    const CylinderInputs& d = st.LastCylinderInputs;
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const std::int16_t unit = st.Settings.MeasuringSystem;
    const int code = st.ShapeCode;
    const bool cut = In(code, {ShapeCiTaSup, ShapeCiConcordi, ShapeCiDiscordi, ShapeCuCilindri, ShapeCuConica1,
                               ShapeCuConica3});
    const bool bothCut = In(code, {ShapeCiConcordi, ShapeCiDiscordi, ShapeCuCilindri, ShapeCuConica1, ShapeCuConica3});
    std::vector<PrintLine> rows;
    rows.push_back(PaddedLine(Label(15), FormatLength(d.Thickness, unit)));
    rows.push_back(PaddedLine(Label(st.Settings.DiametriExt == 1 ? 47 : 30), FormatLength(d.Diameter, unit)));
    rows.push_back(PaddedLine(Label(31), FormatLength(d.AxisLength, unit)));
    if (cut) {
        rows.push_back(PaddedLine(Label(32), FormatLength(r.Hmax, unit)));
        rows.push_back(PaddedLine(Label(33), FormatLength(r.Hmed, unit)));
    }
    if (bothCut) rows.push_back(PaddedLine(Label(34), FormatLength(r.Hmin, unit)));
    if (cut) rows.push_back(PaddedLine(Label(22), Angle(d.TopCut)));
    if (bothCut) rows.push_back(PaddedLine(Label(23), Angle(d.BottomCut)));
    rows.push_back(PaddedLine(Label(35), FormatLength(r.DevelopedLength, unit)));
    return rows;
}

std::vector<PrintLine> ConeDataRows(const WorkingState& st) {
    const ConeInputs& d = st.LastConeInputs;
    const ConeResults& r = st.ConeDevelopment.Results;
    const std::int16_t unit = st.Settings.MeasuringSystem;
    const bool outer = st.Settings.DiametriExt == 1;
    const int code = st.ShapeCode;
    // Conical elbow pieces are cut at both ends.
    const bool upperCut = In(code, {ShapeCoTaSup, ShapeCoConcordi, ShapeCoDiscordi, ShapeCuConica1, ShapeCuConica2,
                                    ShapeCuConica3});
    const bool lowerCut = In(code, {ShapeCoTaInf, ShapeCoConcordi, ShapeCoDiscordi, ShapeCuConica1, ShapeCuConica2,
                                    ShapeCuConica3});
    std::vector<PrintLine> rows;
    rows.push_back(PaddedLine(Label(15), FormatLength(d.Thickness, unit)));
    rows.push_back(PaddedLine(Label(outer ? 45 : 16), FormatLength(d.UpperDiameter, unit)));
    rows.push_back(PaddedLine(Label(outer ? 46 : 17), FormatLength(d.LowerDiameter, unit)));
    rows.push_back(PaddedLine(Label(18), FormatLength(d.AxisHeight, unit)));
    rows.push_back(PaddedLine(Label(19), FormatLength(r.FrustumHeight1, unit)));
    if (upperCut) rows.push_back(PaddedLine(Label(20), FormatLength(r.FrustumHeight2, unit)));
    if (lowerCut) rows.push_back(PaddedLine(Label(21), FormatLength(r.LowerCutOffset, unit)));
    if (upperCut) rows.push_back(PaddedLine(Label(22), Angle(d.UpperCut)));
    if (lowerCut) rows.push_back(PaddedLine(Label(23), Angle(d.LowerCut)));
    rows.push_back(PaddedLine(Label(24), Angle(r.ConeApexAngle)));
    rows.push_back(PaddedLine(Label(25), FormatLength(r.ConeOuterChord, unit)));
    rows.push_back(PaddedLine(Label(26), FormatLength(r.ConeInnerChord, unit)));
    rows.push_back(PaddedLine(Label(27), FormatLength(r.ConeOuterRadius, unit)));
    rows.push_back(PaddedLine(Label(28), FormatLength(r.ConeInnerRadius, unit)));
    rows.push_back(PaddedLine(Label(29), Angle(r.ConeSectorAngleDeg)));
    return rows;
}

std::vector<PrintLine> CylinderDataBlock(const WorkingState& st, int noteColumns) {
    return Block(st, CylinderDataRows(st), noteColumns);
}

std::vector<PrintLine> ConeDataBlock(const WorkingState& st, int noteColumns) {
    return Block(st, ConeDataRows(st), noteColumns);
}

std::vector<std::string> NoteLines(const std::string& note, int noteColumns) { return WrapText(note, noteColumns); }

int NoteLineCount(const std::string& note, const PrinterPage& page) {
    return static_cast<int>(NoteLines(note, PrintColumns(page)).size());
}

void PrintCylinderDataPage(Printer& printer, const WorkingState& st) {
    PrintLines(printer, CylinderDataBlock(st, PrintColumns(printer.Page())));
}

void PrintConeDataPage(Printer& printer, const WorkingState& st) {
    PrintLines(printer, ConeDataBlock(st, PrintColumns(printer.Page())));
}

void PrintPaddedText(Printer& printer, const std::string& label, const std::string& value) {
    PrintItems(printer, PaddedLine(label, value));
}

}  // namespace velm
