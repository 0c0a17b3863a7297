#include "output/print_job.h"

#include <algorithm>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/messages.h"
#include "core/shape_kinds.h"
#include "output/data_block.h"
#include "output/print_items.h"
#include "platform/services.h"

namespace velm {

bool CheckPrinterAvailable(const std::string& text) {
    Printer* printer = Platform().printer;
    // Any failure to read the page counts as no printer.
    const bool answers = printer != nullptr && printer->Available() && printer->PageMillimetres().width > 0 &&
                         printer->PageMillimetres().height > 0;
    if (!answers) ShowErrorMessage(text + ".");
    return answers;
}

bool CheckPrintServiceAnswers() {
    Printer* printer = Platform().printer;
    const bool answers = printer == nullptr || printer->ServiceAnswers();
    if (!answers) ShowErrorMessage(Txt(LangCommon, 26));
    return answers;
}

PrintPlacement PlacementOf(int family, const SheetPictures& pictures, const PrintedSheet& sheet) {
    PrintPlacement at;
    at.SheetWidth = pictures.SheetWidth;
    at.SheetHeight = pictures.SheetHeight;
    at.DrawingWidth = pictures.DrawingWidth;
    at.DrawingLeft = sheet.DrawingLeft;
    at.DrawingTop = sheet.DrawingTop;
    at.PageWidth = sheet.PageWidth;
    at.PageHeight = sheet.PageHeight;
    at.Factors = SheetFactors(sheet, family);
    at.CutOff = pictures.CutOff;
    return at;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string ScaleTitle(std::int16_t scale) {
    if (scale == 1) return {};
    return UpperCase(Txt(TextScale)) + " 1:" + std::to_string(scale);
}

namespace {

// "Cone piece #3" or "Cylinder piece #3"; empty for a sheet of a whole shape.
std::string PieceCaption(int family, std::int16_t shapeCode, std::int16_t selectedPiece) {
    if (!IsSheetPieceCode(family, shapeCode)) return {};
    return Txt(LangFrmAntep, family == ConeSheet ? 40 : 41) + std::to_string(selectedPiece);
}

}  // namespace

std::string PieceTitle(int family, std::int16_t shapeCode, std::int16_t selectedPiece) {
    return UpperCase(PieceCaption(family, shapeCode, selectedPiece));
}

// Plain ASCII: a title passes through queues and filters that spoil other characters.
std::string DocumentTitle(const std::string& what) {
    const std::string& program = Txt(TextProgramName);
    return what.empty() ? program : program + " - " + what;
}

std::string SheetDocumentTitle(int family, const WorkingState& st) {
    const ShapeKindInfo* kind = FindShapeKind(st.ShapeCode);
    std::string what = kind != nullptr ? Txt(kind->TitleSection, 1) : std::string();
    const std::string piece = PieceCaption(family, st.ShapeCode, st.SelectedPiece);
    if (!piece.empty()) what += (what.empty() ? "" : " - ") + piece;
    return DocumentTitle(what);
}

std::string DeliveryText(const PrintDelivery& delivery) {
    if (delivery.queue.empty()) return {};
    std::string text = Txt(LangCommon, 23) + " " + delivery.queue;
    switch (delivery.hold) {
        case QueueHold::None: break;
        case QueueHold::Stopped: text += "; " + Txt(LangCommon, 24); break;
        case QueueHold::Unreachable: text += "; " + Txt(LangCommon, 25); break;
        case QueueHold::OutOfPaper: text += "; " + Txt(LangCommon, 27); break;
        case QueueHold::PrinterFault: text += "; " + Txt(LangCommon, 28); break;
        case QueueHold::JobHeld: text += "; " + Txt(LangCommon, 29); break;
        case QueueHold::JobCancelled: text += "; " + Txt(LangCommon, 30); break;
        case QueueHold::JobAborted: text += "; " + Txt(LangCommon, 31); break;
    }
    // The queue's own words on its printer, as it gives them.
    if (delivery.hold != QueueHold::None && !delivery.stateMessage.empty()) text += " (" + delivery.stateMessage + ")";
    return text;
}

namespace {

int g_failedDocuments = 0;
int g_printedDocuments = 0;
int g_reports = 0;            // documents reported so far: a later look speaks for the last one only
std::string g_deliveryShown;  // what the status line was last told of that document's job

// What the running range print was answered, and the refusal that ended it,
// said once the range knows which pieces went out.
struct RangeAnswers {
    bool Running = false;
    bool CutOffAccepted = false;
    bool Ended = false;
    std::string Refusal;
    bool NoService = false;
};
RangeAnswers g_range;

// "1", "2 to 4", "1, 3 and 5 to 7": the pieces, ascending and each once.
std::string PieceList(const std::vector<int>& pieces) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < pieces.size();) {
        std::size_t last = i;
        while (last + 1 < pieces.size() && pieces[last + 1] == pieces[last] + 1) ++last;
        if (last >= i + 2) {
            items.push_back(std::to_string(pieces[i]) + " " + Txt(LangCommon, 39) + " " + std::to_string(pieces[last]));
            i = last + 1;
        } else {
            items.push_back(std::to_string(pieces[i++]));
        }
    }
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " " + Txt(LangCommon, 40) + " " : ", ") + items[i];
    return text;
}

// "Pieces 2 to 4 were not printed."
std::string PiecesSentence(std::vector<int> pieces, int singular, int plural) {
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
    const bool one = pieces.size() == 1;
    return Txt(LangCommon, one ? 33 : 34) + " " + PieceList(pieces) + " " + Txt(LangCommon, one ? singular : plural) + ".";
}

}  // namespace

int FailedDocuments() { return g_failedDocuments; }

int PrintedDocuments() { return g_printedDocuments; }

std::string RangeEndText(const std::vector<int>& pieces, const std::vector<int>& printed) {
    std::vector<int> left = pieces, done;
    std::vector<int> taken = printed;  // each printed document takes one copy of its piece
    left.erase(std::remove_if(left.begin(), left.end(),
                              [&taken](int p) {
                                  const auto at = std::find(taken.begin(), taken.end(), p);
                                  if (at == taken.end()) return false;
                                  taken.erase(at);
                                  return true;
                              }),
               left.end());
    // A piece with a copy left unprinted is to be printed again whole.
    for (int p : printed)
        if (std::find(left.begin(), left.end(), p) == left.end()) done.push_back(p);
    std::string text;
    if (!done.empty()) text = PiecesSentence(done, 35, 36);
    if (!left.empty()) text += (text.empty() ? "" : " ") + PiecesSentence(left, 37, 38);
    return text;
}

void ReportDocument(Printer& printer, DocumentResult result) {
    const int report = ++g_reports;
    if (result == DocumentResult::Failed) {
        ++g_failedDocuments;
        ShowStatusText("");  // no word of an earlier job may stand for this one
        const std::string why = printer.FailureText();
        const bool noService = printer.LastFault() == PrintFault::NoService;
        const std::string text = noService ? Txt(LangCommon, 26) : why.empty() ? Txt(TextNoPrinter) + "." : why;
        if (g_range.Running && g_range.Refusal.empty()) {
            // The range says it once it knows which of its pieces went out.
            g_range.Refusal = text;
            g_range.NoService = noService;
            return;
        }
        ShowErrorMessage(text);
        return;
    }
    if (result == DocumentResult::Printed) ++g_printedDocuments;
    const std::string sent = DeliveryText(printer.LastDelivery());
    if (sent.empty()) return;
    ShowStatusText(sent);
    // A queue may report its fault only seconds after it took the job: the
    // status line says it then, unless another document was reported since.
    g_deliveryShown = sent;
    printer.FollowLastDelivery([report](const PrintDelivery& later) {
        if (report != g_reports) return false;
        const std::string text = DeliveryText(later);
        if (text != g_deliveryShown) ShowStatusText(g_deliveryShown = text);
        return true;
    });
}

namespace {

bool NothingChosen(const SettingsCache& s) { return s.CheckSviluppo != 1 && s.CheckData != 1 && s.CheckNote != 1; }

// The boxes are on a shown sheet; a piece printed without its preview is told where they are.
void SayNothingChosen(bool boxesInView) {
    ShowMessage(Txt(LangMsgbox, boxesInView ? 23 : 26), MbExclamation, Txt(TextProgramName));
}

}  // namespace

bool CheckPiecePrintChosen(const SettingsCache& settings) {
    if (!NothingChosen(settings)) return true;
    SayNothingChosen(false);
    return false;
}

RangePrintQuestions::RangePrintQuestions() {
    g_range = RangeAnswers{};
    g_range.Running = true;
}

RangePrintQuestions::~RangePrintQuestions() { g_range = RangeAnswers{}; }

bool RangePrintQuestions::Ended() { return g_range.Running && g_range.Ended; }

void RangePrintQuestions::Finish(const std::vector<int>& pieces, const std::vector<int>& printed) {
    const std::string refusal = std::move(g_range.Refusal);
    const bool noService = g_range.NoService;
    const bool answered = g_range.Ended;
    g_range.Refusal.clear();
    if (printed.empty()) {
        // Nothing went out: the refusal says so as a single sheet's would.
        if (!refusal.empty()) ShowErrorMessage(refusal);
        return;
    }
    const std::string pieceText = RangeEndText(pieces, printed);
    if (!refusal.empty())
        ShowErrorMessage((noService ? Txt(LangCommon, 32) : refusal) + "\n\n" + pieceText);
    else if (answered && printed.size() < pieces.size())
        ShowMessage(pieceText, MbInformation, Txt(TextProgramName));
}

bool MayPrintSheet(const SettingsCache& settings, const std::string& cutOffText, bool boxesInView) {
    if (RangePrintQuestions::Ended()) return false;
    if (NothingChosen(settings)) {
        SayNothingChosen(boxesInView);
        g_range.Ended = true;  // every later sheet of a range would say the same
        return false;
    }
    if (cutOffText.empty() || (g_range.Running && g_range.CutOffAccepted)) return true;
    Dialogs* dialogs = Platform().dialogs;
    const std::string ask = cutOffText + "\n\n" + Txt(LangMsgbox, 22);
    const bool yes = dialogs && dialogs->MessageBox(ask, MbYesNo + MbQuestion, Txt(TextProgramName)) == IdYes;
    if (yes)
        g_range.CutOffAccepted = true;
    else
        g_range.Ended = true;
    return yes;
}

namespace {

// Prints the title line; returns where the text printed so far ends.
double PrintTitleLine(Printer& printer, int family, const WorkingState& st) {
    PrinterPage& page = printer.Page();
    const std::string scale = ScaleTitle(st.Settings.Scale);
    if (!scale.empty()) {
        page.FontBold = true;
        page.CurrentX = 0;
        PrintOneItem(printer, scale, ItemEnd::SameLine);
        page.FontBold = false;
    }
    const std::string piece = PieceTitle(family, st.ShapeCode, st.SelectedPiece);
    if (!piece.empty()) {
        page.FontBold = true;
        page.CurrentX = (page.ScaleWidth() - page.TextWidth(piece)) / 2;
        PrintOneItem(printer, piece, ItemEnd::EndLine);
        page.FontBold = false;
        return page.CurrentY;
    }
    // The line ends the scale caption; alone it holds no text.
    const double before = page.CurrentY;
    PrintOneItem(printer, "", ItemEnd::EndLine);
    return scale.empty() ? before : page.CurrentY;
}

}  // namespace

DocumentResult PrintSheetOn(Printer& printer, int family, const SheetPictures& pictures, const WorkingState& st) {
    if (family != CylinderSheet && family != ConeSheet) return printer.EndDocument();
    printer.SetDocumentTitle(SheetDocumentTitle(family, st));
    const SettingsCache& s = st.Settings;
    PrinterPage& page = printer.Page();
    page.SetUnits(s.MeasuringSystem == 1 ? PageInches : PageMillimetres);
    page.ForeColor = RGB(0, 0, 0);
    page.DrawWidth = 3;

    if (s.CheckData == 1 || s.CheckNote == 1) {
        if (family == CylinderSheet)
            PrintCylinderDataPage(printer, st);
        else
            PrintConeDataPage(printer, st);
    }
    if (s.CheckSviluppo == 1) {
        const double textBottom = PrintTitleLine(printer, family, st);
        PrintPlacement at = PlacementOf(family, pictures, st.Sheet);
        at.MeasuringSystem = s.MeasuringSystem;
        at.TextBottom = textBottom;
        const auto lines = family == CylinderSheet
                               ? CylinderPrintedLines(st.CylinderDevelopment.Results, s.AngleStep,
                                                      st.DevelopmentPart, at)
                               : ConePrintedLines(st.ConeDevelopment.Results, s.AngleStep, st.DevelopmentPart, at);
        // Nothing past the page the sheet stands for; where it cuts the drawing off, the marks.
        PrintOutline(page, ClipToPage(lines, at), CutMarkWidth(at));
    }
    return printer.EndDocument();
}

void PrintSheet(int family, const SheetPictures& pictures) {
    Printer* printer = Platform().printer;
    if (printer == nullptr) return;
    ReportDocument(*printer, PrintSheetOn(*printer, family, pictures, State()));
}

}  // namespace velm
