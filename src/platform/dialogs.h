#pragma once
// Message boxes and the common dialogs, answered with MsgAnswer codes.
#include <string>
#include <vector>

namespace velm {

// Message-box style numbers: the buttons (0, 1, 4) plus the icon (16, 32, 48, 64).
enum MsgStyle {
    MbOkOnly = 0, MbOkCancel = 1, MbYesNo = 4,
    MbCritical = 16, MbQuestion = 32, MbExclamation = 48, MbInformation = 64,
};
// Answers.
enum MsgAnswer { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

struct FileDialogRequest {
    std::string title;
    std::string filter;            // bar-separated pairs: "Data files (*.qvl)|*.qvl|All files (*.*)|*.*"
    int filterIndex = 1;           // 1-based
    std::string defaultExtension;  // without the dot, e.g. "qvl"
    std::string initialDirectory;
    std::string fileName;          // proposed name
    bool overwritePrompt = true;   // save dialogs ask before replacing a file
    bool fileMustExist = true;     // open dialogs
};

struct FileDialogResult {
    bool cancelled = true;  // closed without a file
    std::string fileName;   // full path, default extension added when missing
    int filterIndex = 1;
};

struct PrintRange {
    bool cancelled = true;
    bool allPages = true;
    int fromPage = 1;        // as the dialog gave them, perhaps reversed
    int toPage = 1;
    std::vector<int> pages;  // a page list typed ("2,4"), ascending; it stands for from .. to
    int copies = 1;          // of each page
    std::string outputFile;  // the PDF file named in the dialog, when the printer writes to a file
};

// The pages a print dialog's answer asks for, each as often as its copies and
// within minPage .. maxPage: all of them, the listed ones, or the range from
// the smaller to the larger of from and to. None when cancelled.
std::vector<int> PagesToPrint(const PrintRange& range, int minPage, int maxPage);

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int MessageBox(const std::string& prompt, int style, const std::string& title) = 0;
    virtual FileDialogResult ShowOpen(const FileDialogRequest& request) = 0;
    virtual FileDialogResult ShowSave(const FileDialogRequest& request) = 0;
    // Printer set-up; false when the user cancelled.
    virtual bool ShowPrinterSetup() = 0;
    // The print dialog of pages minPage .. maxPage; a printer that writes to a
    // file proposes fileName (full path) when it is not empty.
    virtual PrintRange ShowPrint(int minPage, int maxPage, const std::string& fileName) = 0;
};

}  // namespace velm
