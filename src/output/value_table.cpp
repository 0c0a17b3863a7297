#include "output/value_table.h"

#include <cmath>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "output/data_block.h"
#include "output/print_job.h"

namespace velm {

TableForm TableFormOf(std::int16_t openPreview) { return openPreview == 0 ? TableForm::Cone : TableForm::Cylinder; }

int TableRowCount(float angleStep) { return RoundToInt32(180.0 / static_cast<double>(angleStep) + 2.0); }

ValueTable FillTable(const WorkingState& st, TableForm form) {
    ValueTable t;
    t.Form = form;
    t.MeasuringSystem = st.Settings.MeasuringSystem;
    const std::string unit = "[" + Txt(LangFrmUnMis, t.MeasuringSystem == 1 ? 3 : 2) + "]";
    const float step = st.Settings.AngleStep;
    const ProfileTable* first = nullptr;
    const ProfileTable* second = nullptr;
    float factor = 0;  // once, in single precision: the printed values depend on it
    if (form == TableForm::Cylinder) {
        t.Head0 = Txt(LangFrmTabella, 6) + unit;
        t.Head1 = Txt(TextEdgeHeight) + unit;
        t.WidthText = Txt(TextEdgeHeight);
        const CylinderResults& r = st.CylinderDevelopment.Results;
        factor = static_cast<float>(r.DevelopedLength / 360.0 * static_cast<double>(step));
        first = &r.CylUpperHeights;
        second = &r.CylLowerHeights;
    } else {
        t.Head0 = Txt(LangFrmTabella, 2) + "[\xC2\xB0]";
        t.Head1 = Txt(TextDistanceFromApex) + unit;
        t.WidthText = Txt(TextDistanceFromApex);
        const ConeResults& r = st.ConeDevelopment.Results;
        factor = r.ConeSectorAngleDeg / 360.0f * step;
        first = &r.ConeUpperRadii;
        second = &r.ConeLowerRadii;
    }
    t.Column1 = Txt(LangFrmTabella, 4);
    t.Column2 = Txt(LangFrmTabella, 5);
    const int rows = TableRowCount(step) - 1;
    const int last = static_cast<int>(first->size()) - 1;
    for (int i = 0; i < rows; ++i) {
        // The least step gives 1801 rows; a table index past 3600 cannot come.
        const std::size_t k = static_cast<std::size_t>(i < last ? i : last);
        t.Rows.push_back({FormatFixed2(static_cast<float>(i) * factor),
                          FormatLengthFine((*first)[k], t.MeasuringSystem),
                          FormatLengthFine((*second)[k], t.MeasuringSystem)});
    }
    return t;
}

namespace {

const PrintItem ZoneAdvance{"", ItemEnd::NextZone};

PrintLine RowLine(const std::array<std::string, 3>& row) {
    return {ZoneAdvance, {row[0], ItemEnd::NextZone}, ZoneAdvance, {row[1], ItemEnd::NextZone},
            {row[2], ItemEnd::EndLine}};
}

}  // namespace

std::vector<PrintLine> TablePageHead(const ValueTable& t) {
    std::vector<PrintLine> lines;
    lines.push_back({{DataBlockHeader(), ItemEnd::EndLine}});
    lines.push_back({});
    lines.push_back({ZoneAdvance, {Txt(TextValueTableTitle), ItemEnd::EndLine}});
    lines.push_back({});
    // Cylinder heading in millimetres: head1 one zone further on than in the other cases.
    PrintLine heading{{t.Head0, ItemEnd::NextZone}};
    if (t.Form == TableForm::Cylinder && t.MeasuringSystem != 1) heading.push_back(ZoneAdvance);
    heading.push_back({t.Head1, ItemEnd::EndLine});
    lines.push_back(heading);
    lines.push_back({ZoneAdvance, ZoneAdvance, ZoneAdvance, {t.Column1, ItemEnd::NextZone}, {t.Column2, ItemEnd::EndLine}});
    lines.push_back({});
    return lines;
}

std::vector<PrintLine> TableLines(const ValueTable& t) {
    std::vector<PrintLine> lines = TablePageHead(t);
    for (const auto& row : t.Rows) lines.push_back(RowLine(row));
    return lines;
}

DocumentResult PrintTable(Printer& printer, const ValueTable& table) {
    printer.SetDocumentTitle(DocumentTitle(Txt(TextValueTableTitle)));
    const std::vector<PrintLine> head = TablePageHead(table);
    for (const PrintLine& line : head) PrintItems(printer, line);
    PrinterPage& page = printer.Page();
    // A page that holds the head and a row: each page carries the head.
    const double lineHeight = page.TextHeight("0");
    const bool headEachPage = (static_cast<double>(head.size()) + 1) * lineHeight <= page.ScaleHeight() + 1e-9;
    for (const auto& row : table.Rows) {
        if (headEachPage && page.CurrentY + lineHeight > page.ScaleHeight() + 1e-9) {
            printer.NewPage();
            page.CurrentX = 0;
            page.CurrentY = 0;
            for (const PrintLine& line : head) PrintItems(printer, line);
        }
        PrintItems(printer, RowLine(row));
    }
    return printer.EndDocument();
}

double NextZoneStart(double right, double zoneWidth) {
    if (zoneWidth <= 0) return right;
    return (std::floor(right / zoneWidth + 1e-6) + 1) * zoneWidth;
}

}  // namespace velm
