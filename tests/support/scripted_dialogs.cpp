#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace velm {

void ScriptedDialogs::ExpectMessage(int answer) {
    Answer a{Kind::Message};
    a.code = answer;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectOpen(const std::string& fileName) {
    Answer a{Kind::Open};
    a.file.cancelled = false;
    a.file.fileName = fileName;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectSave(const std::string& fileName) {
    Answer a{Kind::Save};
    a.file.cancelled = false;
    a.file.fileName = fileName;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectSaveCancel() { answers_.push_back(Answer{Kind::Save}); }

void ScriptedDialogs::ExpectPrinterSetup(bool accepted) {
    Answer a{Kind::PrinterSetup};
    a.code = accepted ? 1 : 0;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectPrintAll() {
    Answer a{Kind::Print};
    a.range.cancelled = false;
    a.range.allPages = true;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectPrintRange(int fromPage, int toPage, const std::string& outputFile) {
    Answer a{Kind::Print};
    a.range.cancelled = false;
    a.range.allPages = false;
    a.range.fromPage = fromPage;
    a.range.toPage = toPage;
    a.range.outputFile = outputFile;
    answers_.push_back(a);
}

void ScriptedDialogs::ExpectPrintPages(const std::vector<int>& pages, int copies, const std::string& outputFile) {
    ExpectPrintRange(pages.empty() ? 1 : pages.front(), pages.empty() ? 1 : pages.back(), outputFile);
    answers_.back().range.pages = pages;
    answers_.back().range.copies = copies;
}

void ScriptedDialogs::ExpectPrintCancel() { answers_.push_back(Answer{Kind::Print}); }

const char* ScriptedDialogs::KindName(Kind kind) {
    switch (kind) {
        case Kind::Message: return "message box";
        case Kind::Open: return "open dialog";
        case Kind::Save: return "save dialog";
        case Kind::PrinterSetup: return "printer set-up";
        case Kind::Print: return "print dialog";
    }
    return "dialog";
}

bool ScriptedDialogs::Take(Kind kind, const std::string& what, Answer& answer) {
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected " << KindName(kind) << ": " << what;
        return false;
    }
    if (answers_.front().kind != kind) {
        ADD_FAILURE() << "Expected a " << KindName(answers_.front().kind) << " but got a "
                      << KindName(kind) << ": " << what;
        return false;
    }
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

int ScriptedDialogs::MessageBox(const std::string& prompt, int style, const std::string& title) {
    messages.push_back({prompt, style, title});
    Answer a{Kind::Message};
    if (Take(Kind::Message, "\"" + prompt + "\" (" + title + ")", a)) return a.code;
    // As a user who backs out.
    switch (style & 7) {
        case MbOkOnly: return IdOk;
        case MbYesNo: return IdNo;
        default: return IdCancel;
    }
}

FileDialogResult ScriptedDialogs::ShowOpen(const FileDialogRequest& request) {
    opens.push_back(request);
    Answer a{Kind::Open};
    if (!Take(Kind::Open, request.title, a)) return FileDialogResult{};
    a.file.filterIndex = request.filterIndex;
    return a.file;
}

FileDialogResult ScriptedDialogs::ShowSave(const FileDialogRequest& request) {
    saves.push_back(request);
    Answer a{Kind::Save};
    if (!Take(Kind::Save, request.title, a)) return FileDialogResult{};
    a.file.filterIndex = request.filterIndex;
    return a.file;
}

bool ScriptedDialogs::ShowPrinterSetup() {
    Answer a{Kind::PrinterSetup};
    return Take(Kind::PrinterSetup, "", a) && a.code != 0;
}

PrintRange ScriptedDialogs::ShowPrint(int minPage, int maxPage, const std::string& fileName) {
    prints.push_back({minPage, maxPage, fileName});
    Answer a{Kind::Print};
    const std::string what = "pages " + std::to_string(minPage) + " to " + std::to_string(maxPage);
    if (!Take(Kind::Print, what, a)) return PrintRange{};
    if (!a.range.cancelled && a.range.allPages) {
        a.range.fromPage = minPage;
        a.range.toPage = maxPage;
    }
    if (afterPrint) afterPrint();
    return a.range;
}

void ScriptedDialogs::VerifyAllUsed() const {
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " scripted answer(s) never asked for; the next was for a "
                      << KindName(answers_.front().kind);
}

void ScriptedDialogs::Reset() {
    answers_.clear();
    messages.clear();
    opens.clear();
    saves.clear();
    prints.clear();
    afterPrint = nullptr;
}

}  // namespace velm
