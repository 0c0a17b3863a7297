#pragma once
// FrmMDI: the main window. Five menus, the toolbar CmdToolBar(0..7) with its
// delayed tooltip, the status line and the area that holds every other window.
// Menu items are QActions named by their design names ("mnuFileItems(7)").
#include <QDeadlineTimer>
#include <QImage>
#include <QMainWindow>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "frame/windows/file_commands.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolButton;

namespace velm {

class FrmMDI : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* BaseTitle = "VELM";
    static constexpr int ToolButtonCount = 8;

    FrmMDI();
    ~FrmMDI() override;

    QMdiArea* Area() const { return area_; }
    // Menu items by their design names: FormeItem(3) is mnuFormeItems(3),
    // FileItem(FileMenuItem::PrinterSetup) is mnuFileItems(7).
    QAction* FileItem(FileMenuItem i) const;
    QAction* FormeItem(int i) const;
    QAction* FormeSubItem(int i) const;
    QAction* FormeSub2Item(int i) const;
    QAction* FormeSub3Item(int i) const;
    QAction* OpzioniItem(int i) const;
    QAction* VisualizzaItem(int i) const;
    QAction* HelpItem(int i) const;
    QToolButton* ToolButton(int i) const { return toolButtons_.at(static_cast<std::size_t>(i)); }

    // Captions from the language file's menu records (BuildMdiMenus).
    void ApplyMenuTexts();
    void SetStatus(const std::string& text);
    QString Status() const;
    void HideTip();
    // Caption, angular step, input limits and command state (UpdateMdiState).
    void UpdateState();
    // Every enabled state of menus and toolbar, derived in this one place.
    void UpdateCommands();
    void SetFileCommandsEnabled(bool enable);
    void SetOptionCommandsEnabled(bool enable);
    void CheckShape(int shapeCode);
    void SetCalibrationChecked(bool checked);
    // Start-up has reached the start panel: the window takes commands.
    void SetLive(bool live);
    bool Live() const { return live_; }

    // Handlers, public so that tests can drive them as a click would.
    void FileItemClick(FileMenuItem item);
    void ToolBarClick(int index);
    void OptionsItemClick(int index);
    void ViewItemClick(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildShapesMenu();
    void BuildOptionsMenu();
    void BuildViewMenu();
    void BuildHelpMenu();
    void BuildToolBar();
    void BuildArea();
    void BuildToolTip(QWidget* central);
    void PlaceOnScreen();
    // Pictures in button order: each button's enabled and disabled one (null: none).
    void AddToolButtons(const std::vector<QImage>& pictures);
    void BuildStatusLine();
    void ShowTip();
    void ToolButtonMouseMove(int index, int x, int y);
    void UnitCommand();
    void MethodCommand();
    QAction* Item(const std::map<int, QAction*>& items, int i) const;
    // Shape windows in the normal state take the area's whole size again.
    void FitShapeWindowsToArea();
    // The window keys of the area, for keys that no child took: true when
    // the key was one of them.
    bool ChildWindowKey(const QKeyEvent* event);
    // Makes the next (step 1) or previous (-1) child that takes keys active.
    void ActivateNextChild(int step);

    QMdiArea* area_ = nullptr;
    QFrame* toolBarPanel_ = nullptr;   // PnlToolBar
    QLabel* statusLine_ = nullptr;     // PnlStatusBar
    QFrame* tipPicture_ = nullptr;     // PicToolTip
    QLabel* tipLabel_ = nullptr;       // LblToolTip
    QTimer* tipTimer_ = nullptr;       // Timer1
    int armedToolButton_ = 0;          // ArmedToolButton
    std::array<QToolButton*, ToolButtonCount> toolButtons_{};
    std::map<int, QAction*> fileItems_, formeItems_, formeSubItems_, formeSub2Items_, formeSub3Items_,
        opzioniItems_, visualizzaItems_, helpItems_;
    QMenu* formeMenu_ = nullptr;
    QMenu* opzioniMenu_ = nullptr;
    bool live_ = false;
    bool fileCommands_ = false;
    bool optionCommands_ = true;
    QDeadlineTimer fitShapeWindows_;  // until then an area resize fits the shape windows
};

// The main window of the running program, or null.
FrmMDI* Mdi();

}  // namespace velm
