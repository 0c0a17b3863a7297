#pragma once
// Dialogs answered from a script. A test queues the answers in the order in
// which the dialogs are expected; each dialog records what it was asked and
// takes the next answer. A dialog that comes without a queued answer of its
// kind fails the test and answers as a user who cancels would.
#include <deque>
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
    struct PrintCall {
        int minPage, maxPage;
    };

    // Queue the answers.
    void ExpectMessage(int answer);                 // IdOk, IdCancel, IdYes, IdNo
    void ExpectOpen(const std::string& fileName);   // the user picks this file
    void ExpectSave(const std::string& fileName);
    void ExpectOpenCancel();
    void ExpectSaveCancel();
    void ExpectOpen(const FileDialogResult& result);
    void ExpectSave(const FileDialogResult& result);
    void ExpectPrinterSetup(bool accepted);
    void ExpectPrint(const PrintRange& range);
    void ExpectPrintCancel();

    int MessageBox(const std::string& prompt, int style, const std::string& title) override;
    FileDialogResult ShowOpen(const FileDialogRequest& request) override;
    FileDialogResult ShowSave(const FileDialogRequest& request) override;
    bool ShowPrinterSetup() override;
    PrintRange ShowPrint(int minPage, int maxPage) override;

    // Answers not used yet; VerifyAllUsed fails the test when some are left.
    std::size_t Pending() const { return answers_.size(); }
    void VerifyAllUsed() const;
    void Reset();

    std::vector<MessageCall> messages;
    std::vector<FileDialogRequest> opens;
    std::vector<FileDialogRequest> saves;
    int printerSetups = 0;
    std::vector<PrintCall> prints;

private:
    enum class Kind { Message, Open, Save, PrinterSetup, Print };
    struct Answer {
        explicit Answer(Kind k) : kind(k) {}
        Kind kind;
        int code = 0;
        bool keepFilterIndex = false;  // use the request's filter index
        FileDialogResult file;
        PrintRange range;
    };
    // The next answer when it is of `kind`; fails the test otherwise.
    bool Take(Kind kind, const std::string& what, Answer& answer);
    static const char* KindName(Kind kind);

    std::deque<Answer> answers_;
};

}  // namespace velm
