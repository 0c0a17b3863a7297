// The printer as the output code sees it, through the recording double: one
// small print, the page units, and the ways a document does not print.
#include "support/recording_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace velm {
namespace {

// A small print as the print jobs make one: a frame 2 units inside the
// printable area with a thick pen, a thin dash-dot middle line, and a bold
// title centred on the first line.
void PrintFrame(Printer& printer, PageUnits units, const std::string& title) {
    PrinterPage& page = printer.Page();
    page.SetUnits(units);
    const double w = page.ScaleWidth(), h = page.ScaleHeight();
    page.DrawWidth = 3;
    page.Line(2, 2, w - 2, 2);
    page.Line(w - 2, 2, w - 2, h - 2);
    page.DrawWidth = 1;
    page.DrawStyle = DrawDashDot;
    page.Line(w / 2, 2, w / 2, h - 2);
    page.DrawStyle = DrawSolid;
    page.FontBold = true;
    page.CurrentX = (w - page.TextWidth(title)) / 2;
    page.CurrentY = 0;
    page.Print(title);
    page.FontBold = false;
}

TEST(RecordingPrinter, OneSmallPrintInMillimetresAndInches) {
    struct Case {
        PageUnits units;
        double perMm;  // page units per millimetre
    };
    for (const Case& c : {Case{PageMillimetres, 1.0}, Case{PageInches, 1 / 25.4}}) {
        RecordingPrinter recorder;
        recorder.SetPage(200, 287, PagePortrait, 300);  // 2362 x 3390 dots
        Printer& printer = recorder;
        PrintFrame(printer, c.units, "PIECE 3");
        ASSERT_EQ(printer.EndDocument(), DocumentResult::Printed);

        ASSERT_EQ(recorder.documents.size(), 1u);
        ASSERT_EQ(recorder.documents[0].pages.size(), 1u);
        EXPECT_TRUE(recorder.documents[0].ended);
        const auto& page = recorder.documents[0].pages[0];
        ASSERT_EQ(page.lines.size(), 3u);
        const double w = 2362 / 300.0 * 25.4 * c.perMm, h = 3390 / 300.0 * 25.4 * c.perMm;
        const auto& top = page.lines[0];
        EXPECT_DOUBLE_EQ(top.x1, 2);
        EXPECT_NEAR(top.x2, w - 2, 1e-9);
        EXPECT_EQ(top.width, 3);
        EXPECT_EQ(top.style, DrawSolid);
        const auto& middle = page.lines[2];
        EXPECT_NEAR(middle.y2, h - 2, 1e-9);
        EXPECT_EQ(middle.width, 1);
        EXPECT_EQ(middle.style, DrawDashDot);

        ASSERT_EQ(page.texts.size(), 1u);
        EXPECT_EQ(page.texts[0].text, "PIECE 3");
        EXPECT_TRUE(page.texts[0].bold);
        EXPECT_NEAR(page.texts[0].x, (w - 7 * recorder.charWidthMm * c.perMm) / 2, 1e-9);  // centred
        EXPECT_DOUBLE_EQ(page.texts[0].y, 0);

        // The next document starts afresh: millimetres, a thin solid pen, regular text.
        EXPECT_EQ(printer.Page().Units(), PageMillimetres);
        EXPECT_EQ(printer.Page().DrawWidth, 1);
        EXPECT_FALSE(printer.Page().FontBold);
        EXPECT_EQ(printer.Page().FontName, "Liberation Mono");
    }
}

TEST(RecordingPrinter, DocumentsThatDoNotPrint) {
    enum Setup { Empty, Measured, NoPrinter, FailsToStart };
    struct Case {
        Setup setup;
        DocumentResult result;
    };
    const Case cases[] = {
        {Empty, DocumentResult::Empty},
        {Measured, DocumentResult::Empty},  // measuring text is no output
        {NoPrinter, DocumentResult::Failed},
        {FailsToStart, DocumentResult::Failed},
    };
    for (const Case& c : cases) {
        RecordingPrinter recorder;
        recorder.available = c.setup != NoPrinter;
        recorder.failStart = c.setup == FailsToStart;
        Printer& printer = recorder;
        if (c.setup == Measured) printer.Page().TextHeight("Prova");
        if (c.setup == NoPrinter || c.setup == FailsToStart) {
            PrintFrame(printer, PageMillimetres, "X");
            printer.NewPage();
        }
        EXPECT_EQ(printer.EndDocument(), c.result) << c.setup;
        EXPECT_TRUE(recorder.documents.empty()) << c.setup;
        EXPECT_EQ(recorder.startAttempts, c.result == DocumentResult::Failed ? 1 : 0) << c.setup;
        EXPECT_EQ(printer.PageMillimetres().width, c.setup == NoPrinter ? 0 : 200) << c.setup;
    }
}

TEST(RecordingPrinter, NewPagesAndNumberedFiles) {
    RecordingPrinter recorder;
    recorder.SetPage(287.9, 200.2, PageLandscape);
    recorder.printsToFile = true;
    Printer& printer = recorder;
    EXPECT_EQ(printer.PageMillimetres().width, 287);  // whole millimetres, rounded down
    EXPECT_EQ(printer.PageMillimetres().height, 200);
    EXPECT_EQ(printer.Orientation(), PageLandscape);

    printer.NumberDocuments("/tmp/elbow.pdf");
    for (int piece = 1; piece <= 2; ++piece) {
        printer.Page().Print("data");
        printer.NewPage();
        printer.Page().Line(0, 0, 10, 0);
        printer.EndDocument();
    }
    ASSERT_EQ(recorder.documents.size(), 2u);
    EXPECT_EQ(recorder.documents[1].fileName, "/tmp/elbow-2.pdf");
    ASSERT_EQ(recorder.documents[0].pages.size(), 2u);
    EXPECT_EQ(recorder.documents[0].pages[0].texts.size(), 1u);
    EXPECT_EQ(recorder.documents[0].pages[1].lines.size(), 1u);
}

TEST(NumberedFileName, NumbersBeforeTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/elbow.pdf", "/home/u/elbow-3.pdf"},
        {"/home/u/v1.2/elbow", "/home/u/v1.2/elbow-3"},
        {"/home/u/.pdf", "/home/u/.pdf-3"},
        {"elbow.final.pdf", "elbow.final-3.pdf"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(NumberedFileName(in, 3), out) << in;
}

}  // namespace
}  // namespace velm
