#pragma once
// What the elbow window tests share: the piece titles printed, and the
// start of a range print with the print dialog's answer queued.
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "core/language.h"
#include "core/working_state.h"
#include "elbows/windows/elbow_window.h"
#include "frame/windows/window_test_actions.h"
#include "output/print_job.h"
#include "output/windows/sheet_preview.h"
#include "support/qt/app_fixture.h"

namespace velm::wt {

// The piece title ("CONE PIECE #3", "CYLINDER PIECE #1") of each printed
// document, "" for a document without one.
inline std::vector<std::string> PrintedPieceTitles(const RecordingPrinter& printer) {
    const std::string cone = UpperCase(Txt(LangFrmAntep, 40)), cylinder = UpperCase(Txt(LangFrmAntep, 41));
    std::vector<std::string> titles;
    for (const auto& doc : printer.documents) {
        std::string title;
        for (const auto& page : doc.pages)
            for (const auto& t : page.texts)
                if (t.text.rfind(cone, 0) == 0 || t.text.rfind(cylinder, 0) == 0) title = t.text;
        titles.push_back(title);
    }
    return titles;
}

// Titles of pieces first..last; those in `cylinders` are cylinder pieces.
inline std::vector<std::string> PieceTitles(int first, int last, const std::vector<int>& cylinders = {}) {
    std::vector<std::string> t;
    for (int p = first; p <= last; ++p) {
        const bool cyl = std::find(cylinders.begin(), cylinders.end(), p) != cylinders.end();
        t.push_back(UpperCase(Txt(LangFrmAntep, cyl ? 41 : 40)) + std::to_string(p));
    }
    return t;
}

// How the print dialog answers a range print.
enum class RangeAnswer { All, Range, Cancel };

// Nothing printed or asked yet, the window maximised, no piece selected, and
// the dialog's answer queued: the print command may be clicked.
inline void PrepareRangePrint(RecordingPrinter& printer, ScriptedDialogs& dialogs, QWidget* window, RangeAnswer answer,
                              int from = 0, int to = 0) {
    printer.documents.clear();
    dialogs.prints.clear();
    SubWindowOf(window)->showMaximized();
    AppFixture::Wait(10);
    State().SelectedPiece = 0;
    switch (answer) {
        case RangeAnswer::All: dialogs.ExpectPrintAll(); break;
        case RangeAnswer::Range: dialogs.ExpectPrintRange(from, to); break;
        case RangeAnswer::Cancel: dialogs.ExpectPrintCancel(); break;
    }
}

// After a print that showed no preview the window is as it was: not
// minimised, enabled, and a left click on a piece opens its preview.
inline void ExpectBackAfterPrint(ElbowWindow* w, QPointF onPiece) {
    EXPECT_FALSE(SubWindowOf(w)->isMinimized());
    EXPECT_TRUE(w->isEnabled());
    Mouse(w->PctDisegno, QEvent::MouseButtonPress, onPiece, Qt::LeftButton, Qt::LeftButton);
    Mouse(w->PctDisegno, QEvent::MouseButtonRelease, onPiece, Qt::LeftButton);
    AppFixture::Wait(20);
    ASSERT_NE(SheetPreview::Current(), nullptr) << "the click opened no preview";
    Click(SheetPreview::Current()->CmdIndietro);
    SubWindowOf(w)->showMaximized();
    AppFixture::Wait(20);
}

}  // namespace velm::wt
