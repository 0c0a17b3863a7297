#pragma once
// The printer check before a preview, a calibration or a print, and the
// print job: one page with the data block, one title line and the
// development at 1:Scale, placed where the preview shows it.
#include <string>
#include <vector>

#include "core/working_state.h"
#include "output/printed_drawing.h"
#include "output/sheet_layout.h"
#include "platform/printer.h"

namespace velm {

// True when a printer answers with a page size. Otherwise shows text & "."
// as an error message and returns false.
bool CheckPrinterAvailable(const std::string& text);
// False, after saying so as a refused print says it, when the chosen queue's
// print service does not answer: nothing is printed, no file written instead.
bool CheckPrintServiceAnswers();

// The sheet and drawing pictures of the preview being printed.
struct SheetPictures {
    double SheetWidth = 0;
    double SheetHeight = 0;
    double DrawingWidth = 0;
    bool CutOff = false;  // the preview marks the drawing cut off by the sheet
};

// Where the drawing lies, from the pictures and the printed-sheet state.
PrintPlacement PlacementOf(int family, const SheetPictures& pictures, const PrintedSheet& sheet);

// The title line's text: the upper-cased scale caption with "1:" and the
// scale (empty at 1:1), and the piece title of an elbow piece of the sheet
// (empty for other shapes).
std::string ScaleTitle(std::int16_t scale);
std::string PieceTitle(int family, std::int16_t shapeCode, std::int16_t selectedPiece);
// Upper case of the ASCII letters, as the title line prints its captions.
std::string UpperCase(std::string text);

// The name the print service lists a document under: "VELM - " and what it
// is; a sheet's names the shape and, for an elbow piece, the piece
// ("VELM - Cylindrical elbow - Cylinder piece #3").
std::string DocumentTitle(const std::string& what);
std::string SheetDocumentTitle(int family, const WorkingState& st);

// The status line once a print queue took a document: "Sent to Workshop_PDF",
// and that the queue holds the job when it is stopped or cannot reach its
// printer, or that the job was cancelled or aborted and did not print;
// empty when no queue took it (a PDF file).
std::string DeliveryText(const PrintDelivery& delivery);

// How a document of the running program ended, said once: a failure as an
// error message (the printer's reason, else TextNoPrinter and "."), a
// document a queue took on the status line (which a failure clears); a
// cancelled file name says nothing. Within a range print the first failure
// is said by the range's end (RangePrintQuestions::Finish).
void ReportDocument(Printer& printer, DocumentResult result);

// How many documents ReportDocument has reported failed, and printed, in
// this run: a range print stops at its first refusal instead of one message
// a piece, and knows which of its pieces went out.
int FailedDocuments();
int PrintedDocuments();

// What a range that ended early says of its pieces, `pieces` the range as
// asked and `printed` those whose document went out: "Piece 1 was printed.
// Pieces 2 to 4 were not printed." A piece with a copy left is not printed.
std::string RangeEndText(const std::vector<int>& pieces, const std::vector<int>& printed);

// False, after saying where the boxes are (a piece's sheet preview), when
// nothing is ticked to print: an elbow's Print asks it before its dialog.
bool CheckPiecePrintChosen(const SettingsCache& settings);

// The questions a sheet asks before it prints: with nothing ticked, that
// nothing is chosen; for a drawing the sheet cuts off (cutOffText, what the
// preview says of it; empty when it fits), whether to print it so. True to
// print. Within a range print each is asked once: Yes to the cut-off
// question holds for the rest of the range, No or the message ends it.
// boxesInView: the sheet is shown with its boxes; else the message says
// where they are.
bool MayPrintSheet(const SettingsCache& settings, const std::string& cutOffText, bool boxesInView);

// A range print while it lives: its sheets' questions are asked once
// (MayPrintSheet). Ranges do not nest.
class RangePrintQuestions {
public:
    RangePrintQuestions();
    ~RangePrintQuestions();
    RangePrintQuestions(const RangePrintQuestions&) = delete;
    RangePrintQuestions& operator=(const RangePrintQuestions&) = delete;
    // An answer ended the range: no further sheet of it prints.
    static bool Ended();
    // Once its last piece is done: a refusal that ended the range, held
    // back till now, with the pieces printed and not (as a single sheet's
    // refusal when none was); after an answer that ended it early, which
    // pieces were printed and which not.
    void Finish(const std::vector<int>& pieces, const std::vector<int>& printed);
};

// One document: family 2 the cylinder sheet, 1 the cone sheet, any other
// value nothing; always ends the document and says how it ended.
DocumentResult PrintSheetOn(Printer& printer, int family, const SheetPictures& pictures, const WorkingState& st);

// The print job of the running program, its end reported by ReportDocument.
void PrintSheet(int family, const SheetPictures& pictures);

}  // namespace velm
