#pragma once
// What the option dialogs (FrmMetCalcolo, FrmUnMis) have in common: the
// buttons CmdOK, CmdChiudi and CmdHelp, an empty status line under the
// pointer, and the double-click on an option that chooses it and confirms.
#include <QDialog>
#include <functional>
#include <vector>

#include "frame/windows/control_hints.h"

class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;

namespace velm {

class OptionDialog : public QDialog {
    Q_OBJECT
public:
    // A modal dialog named `name`; Help opens the help topic `helpContext`.
    OptionDialog(const char* name, int helpContext, QWidget* parent);

    virtual void CmdOK_Click() = 0;
    void CmdChiudi_Click();
    void CmdHelp_Click();

protected:
    // Frame1, the first group of options: the pointer over it empties the
    // status line too (its entry in the hints).
    QGroupBox* MakeFrame1();
    // Option button name(index) in `frame`: choosing it runs chosen(index), a
    // double-click on it chooses it and runs OK.
    QRadioButton* MakeOption(QWidget* frame, const char* name, int index, std::function<void(int)> chosen);
    // CmdOK (the default button), CmdChiudi and CmdHelp, wired to their handlers.
    QHBoxLayout* MakeButtonRow();
    // The captions of OK and close; Help keeps its own.
    void CaptionButtons();
    // The status-line hints of the dialog's controls; a control with one
    // keeps the pointer's move from the dialog, whose own move empties the line.
    ControlHints& Hints() { return hints_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void done(int result) override;  // the dialog's hints go with it

    QGroupBox* Frame1 = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdChiudi = nullptr;
    QPushButton* CmdHelp = nullptr;

private:
    int helpContext_;
    std::vector<QRadioButton*> options_;
    ControlHints hints_;
};

}  // namespace velm
