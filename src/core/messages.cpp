#include "core/messages.h"

#include <cerrno>

#include "core/file_names.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "platform/dialogs.h"
#include "platform/services.h"

namespace velm {

void ShowMessage(const std::string& prompt, int style, const std::string& title) {
    if (Dialogs* dialogs = Platform().dialogs) dialogs->MessageBox(prompt, style, title);
}

void ShowErrorMessage(const std::string& text) { ShowMessage(text, MbCritical, Txt(LangErrore, 1)); }

std::string FileWriteErrorText(int errorNumber) {
    constexpr int WriteProtectedText = 24;  // LangMsgbox
    constexpr int MissingFolderText = 25;
    // A folder is missing where the writers make only the last level: the
    // system's bare "No such file or directory" would not say which.
    if (errorNumber == ENOENT) return Txt(LangMsgbox, MissingFolderText);
    std::string text = SystemErrorText(errorNumber);
    if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS)
        text += ". " + Txt(LangMsgbox, WriteProtectedText);
    return text;
}

namespace {
void (*g_statusLine)(const std::string&) = nullptr;
}

void ShowStatusText(const std::string& text) {
    if (g_statusLine != nullptr) g_statusLine(text);
}

void InstallStatusLine(void (*show)(const std::string& text)) { g_statusLine = show; }

FileDialogRequest PdfFileRequest(const std::string& fileName) {
    FileDialogRequest request;
    request.title = Txt(TextPrintToFile);
    request.filter = Txt(LangCommon, 21) + " (*.pdf)|*.pdf";
    request.defaultExtension = "pdf";
    request.fileName = fileName;
    request.fileMustExist = false;
    return request;
}

}  // namespace velm
