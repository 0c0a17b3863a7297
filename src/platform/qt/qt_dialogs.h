#pragma once
// Message boxes and the common dialogs with Qt, answering with MsgAnswer codes.
#include <QMessageBox>
#include <QStringList>
#include <memory>

#include "platform/dialogs.h"

namespace velm {

class QtPrinter;

class QtDialogs : public Dialogs {
public:
    // The printer dialogs act on `printer`; without one they answer as cancelled.
    explicit QtDialogs(QtPrinter* printer = nullptr) : printer_(printer) {}
    int MessageBox(const std::string& prompt, int style, const std::string& title) override;
    FileDialogResult ShowOpen(const FileDialogRequest& request) override;
    FileDialogResult ShowSave(const FileDialogRequest& request) override;
    bool ShowPrinterSetup() override;  // printer, paper and orientation, applied on OK only
    // The system's print dialog; its page list and copies come back in the
    // answer and leave nothing on the printer.
    PrintRange ShowPrint(int minPage, int maxPage, const std::string& fileName) override;

private:
    QtPrinter* printer_;
};

// The message box of a style number (icon + buttons + default
// button), not yet shown; an empty title becomes "VELM".
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt, int style, const std::string& title,
                                            QWidget* parent = nullptr);
// The MsgAnswer code of the button that closed the box; a box closed without a
// button answers as its Cancel (or No, or OK) button would.
int MessageBoxAnswer(const QMessageBox& box);

// "Desc|*.a;*.b|All|*.*" as Qt name filters: "Desc (*.a *.b)", "All (*.*)".
QStringList NameFiltersFromBarList(const std::string& filter);
// The one concrete extension of filter n (1-based), "dxf" for "*.dxf"; "" when none.
std::string FilterExtension(const std::string& filter, int index);
// The path with "." + extension added when its name has no extension.
std::string AddDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace velm
