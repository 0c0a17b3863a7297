#pragma once
// Dialogs answered from a script. A test queues the answers in the order in
// which the dialogs are expected; each dialog records what it was asked and
// takes the next answer. A dialog that comes without a queued answer of its
// kind fails the test and answers as a user who cancels would.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace velm {

class ScriptedDialogs : public Dialogs {
public:
    struct MessageCall {
        std::string prompt;
        int style;
        std::string title;
    };

    // Queue the answers.
    void ExpectMessage(int answer);                 // IdOk, IdCancel, IdYes, IdNo
    void ExpectOpen(const std::string& fileName);   // the user picks this file
    void ExpectSave(const std::string& fileName);
    void ExpectSaveCancel();
    void ExpectPrinterSetup(bool accepted);
    // The print dialog: OK on all pages, OK on the range from .. to as typed, Cancel.
    void ExpectPrintAll();
    void ExpectPrintRange(int fromPage, int toPage, const std::string& outputFile = "");
    // OK on a page list typed ("2,4"), with copies of each.
    void ExpectPrintPages(const std::vector<int>& pages, int copies, const std::string& outputFile = "");
    void ExpectPrintCancel();

    int MessageBox(const std::string& prompt, int style, const std::string& title) override;
    FileDialogResult ShowOpen(const FileDialogRequest& request) override;
    FileDialogResult ShowSave(const FileDialogRequest& request) override;
    bool ShowPrinterSetup() override;
    PrintRange ShowPrint(int minPage, int maxPage, const std::string& fileName) override;

    // Fails the test when some answers were never asked for.
    void VerifyAllUsed() const;
    void Reset();

    std::vector<MessageCall> messages;
    std::vector<FileDialogRequest> opens;
    std::vector<FileDialogRequest> saves;
    struct PrintCall {
        int minPage, maxPage;
        std::string fileName;  // proposed for a printer that writes to a file
    };
    std::vector<PrintCall> prints;
    // Runs once the print dialog has answered, before its caller goes on.
    std::function<void()> afterPrint;

private:
    enum class Kind { Message, Open, Save, PrinterSetup, Print };
    struct Answer {
        explicit Answer(Kind k) : kind(k) {}
        Kind kind;
        int code = 0;
        FileDialogResult file;  // cancelled unless a name was queued
        PrintRange range;       // cancelled unless OK was queued
    };
    // The next answer when it is of `kind`; fails the test otherwise.
    bool Take(Kind kind, const std::string& what, Answer& answer);
    static const char* KindName(Kind kind);

    std::deque<Answer> answers_;
};

}  // namespace velm
