#include "frame/windows/frm_mdi.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <future>
#include <filesystem>

#include "core/control_names.h"
#include "core/language.h"
#include "frame/menu_captions.h"
#include "core/number_text.h"
#include "frame/recent_files.h"
#include "core/settings.h"
#include "core/unit_conversion.h"
#include "core/version.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/help_commands.h"
#include "frame/windows/pictures.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_design.h"
#include "core/shape_kinds.h"
#include "frame/command_registry.h"
#include "core/working_state.h"
#include "platform/services.h"
#include "platform/qt/qt_text.h"
#include "frame/windows/frm_mdi_texts.h"

namespace velm {

namespace {

QPointer<FrmMDI> g_mdi;

QString Indexed(const char* name, int i) { return Q(IndexedName(name, i)); }


// Twips to whole pixels, never below the twips given.

// Toolbar button i: its command is File item / help / exit as the table gives.
struct ToolButtonDesign {
    int enabledPicture;   // Icone element, -1: the exit picture
    int disabledPicture;  // Icone element, -1: none of its own
};
constexpr ToolButtonDesign ToolButtonDesigns[FrmMDI::ToolButtonCount] = {
    {0, 1}, {2, 3}, {4, -1}, {5, 6}, {7, 8}, {9, 10}, {11, -1}, {-1, -1}};

// Each button's enabled and disabled picture, in button order.
std::vector<QImage> ToolButtonPictures() {
    std::vector<QImage> images;
    for (const ToolButtonDesign& button : ToolButtonDesigns) {
        images.push_back(button.enabledPicture < 0 ? ExitImage() : IconeImage(button.enabledPicture));
        images.push_back(button.disabledPicture < 0 ? QImage() : IconeImage(button.disabledPicture));
    }
    return images;
}

}  // namespace

FrmMDI* Mdi() { return g_mdi.data(); }

FrmMDI::FrmMDI() {
    setObjectName("FrmMDI");
    setWindowTitle(BaseTitle);
    QApplication::setWindowIcon(QIcon(ProgramIcon()));  // also the icon of the child windows
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumSize(CeilPixels(MinWindowWidthTwips), CeilPixels(MinWindowHeightTwips));

    auto* central = new QWidget;
    central->setObjectName("MdiClient");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The toolbar's pictures are drawn beside the rest of the building (the
    // first text in them loads a font); the buttons are added last.
    std::future<std::vector<QImage>> pictures = std::async(std::launch::async, ToolButtonPictures);
    BuildToolBar();
    column->addWidget(toolBarPanel_);
    BuildArea();
    column->addWidget(area_, 1);
    BuildStatusLine();
    InstallStatusLine(SetStatusText);  // the computation's words after the fact
    column->addWidget(statusLine_);
    setCentralWidget(central);
    BuildToolTip(central);
    BuildMenus();
    AddToolButtons(pictures.get());
    PlaceOnScreen();
    g_mdi = this;
    UpdateCommands();
}

void FrmMDI::BuildArea() {
    area_ = new QMdiArea;
    area_->setObjectName("MdiArea");
    area_->setBackground(QColor(128, 128, 128));
    // A shape window larger than the area is scrolled, not cut off.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->viewport()->installEventFilter(this);
    // A minimised child holds the keys itself, not a box hidden inside it,
    // so that typing meant for nowhere changes no value unseen.
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        // After the area has given the focus to the child's own last box.
        QTimer::singleShot(0, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub && sub == area_->currentSubWindow() && sub->isMinimized()) sub->setFocus();
        });
    });
}

void FrmMDI::BuildToolTip(QWidget* central) {
    // The tooltip floats over the work area, beside the toolbar button.
    tipPicture_ = new QFrame(central);
    tipPicture_->setObjectName("PicToolTip");
    tipPicture_->setFrameShape(QFrame::Box);
    tipPicture_->setAutoFillBackground(true);
    QPalette tipPalette = tipPicture_->palette();
    tipPalette.setColor(QPalette::Window, QColor(255, 255, 225));
    tipPalette.setColor(QPalette::WindowText, Qt::black);
    tipPicture_->setPalette(tipPalette);
    tipPicture_->setMouseTracking(true);
    tipPicture_->installEventFilter(this);
    tipLabel_ = new QLabel(tipPicture_);
    tipLabel_->setObjectName("LblToolTip");
    tipLabel_->setMouseTracking(true);
    tipLabel_->installEventFilter(this);
    tipPicture_->hide();

    tipTimer_ = new QTimer(this);
    tipTimer_->setObjectName("Timer1");
    tipTimer_->setInterval(500);
    connect(tipTimer_, &QTimer::timeout, this, &FrmMDI::ShowTip);
}

void FrmMDI::PlaceOnScreen() {
    // Start with a comfortable size on the screen it opens on.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::max(minimumWidth(), avail.width() * 3 / 4), std::max(minimumHeight(), avail.height() * 3 / 4));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    } else {
        resize(1000, 740);
    }
}

// The base classes still close the children after this: nobody may reach the
// half-destroyed window through the services meanwhile.
FrmMDI::~FrmMDI() {
    if (g_mdi == this) g_mdi = nullptr;
}

namespace {

// Menu item i of `items`, named `name`(i).
QAction* AddItem(QMenu* menu, std::map<int, QAction*>& items, const char* name, int i, const QString& caption,
                 const QKeySequence& key = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(Indexed(name, i));
    if (!key.isEmpty()) a->setShortcut(key);
    items[i] = a;
    return a;
}

QAction* AddSeparator(QMenu* menu, std::map<int, QAction*>& items, const char* name, int i) {
    QAction* a = menu->addSeparator();
    a->setObjectName(Indexed(name, i));
    items[i] = a;
    return a;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

}  // namespace

void FrmMDI::BuildMenus() {
    BuildFileMenu();
    BuildShapesMenu();
    BuildOptionsMenu();
    BuildViewMenu();
    BuildHelpMenu();
}

void FrmMDI::BuildFileMenu() {
    QMenu* file = AddMenu(menuBar(), "mnuFile", "&File");
    const auto item = [this, file](FileMenuItem i, const QString& caption, const char* key = "") {
        return AddItem(file, fileItems_, "mnuFileItems", static_cast<int>(i), caption, QKeySequence(key));
    };
    const auto separator = [this, file](FileMenuItem i) {
        return AddSeparator(file, fileItems_, "mnuFileItems", static_cast<int>(i));
    };
    item(FileMenuItem::Open, "Apri", "Ctrl+A");
    item(FileMenuItem::Save, "Salva", "Ctrl+S");
    item(FileMenuItem::SaveAs, "Salva come");
    item(FileMenuItem::SaveDxf, "Salva DXF", "Ctrl+X");
    item(FileMenuItem::SaveIso, "Salva ISO", "Ctrl+O");
    separator(FileMenuItem::PrintSeparator);
    item(FileMenuItem::PrinterSetup, "Imposta Stampante...", "Ctrl+I");
    item(FileMenuItem::Print, "Stampa", "Ctrl+P");
    separator(FileMenuItem::RecentSeparator)->setVisible(false);
    for (int i = 1; i <= RecentFileCount; ++i)
        item(RecentFileItem(i), Q("File Recente" + std::to_string(i)))->setVisible(false);
    separator(FileMenuItem::ExitSeparator);
    item(FileMenuItem::Exit, "Esci");
    for (auto& [i, a] : fileItems_)
        connect(a, &QAction::triggered, this, [this, i = i] { FileItemClick(static_cast<FileMenuItem>(i)); });
}

void FrmMDI::BuildShapesMenu() {
    // Three submenus and the cylindrical elbow.
    formeMenu_ = AddMenu(menuBar(), "mnuForme", "Sviluppo forme");
    auto submenu = [this](const char* name, int i, const QString& caption) {
        QMenu* m = formeMenu_->addMenu(caption);
        m->setObjectName(Indexed(name, i));
        m->menuAction()->setObjectName(Indexed(name, i));
        formeItems_[i] = m->menuAction();
        return m;
    };
    QMenu* frusta = submenu("mnuFormeItems", 1, "Coni");
    QMenu* cylinders = submenu("mnuFormeItems", 2, "Cilindri");
    AddItem(formeMenu_, formeItems_, "mnuFormeItems", 3, "Curva cilindrica")->setCheckable(true);
    QMenu* coneElbows = submenu("mnuFormeItems", 4, "Curve coniche");
    for (int i = 1; i <= 5; ++i) AddItem(frusta, formeSubItems_, "mnuFormeSubItems", i, Q(std::to_string(i)));
    for (int i = 1; i <= 4; ++i)
        AddItem(cylinders, formeSub2Items_, "mnuFormeSub2Items", i, Q(std::to_string(i + 5)));
    for (int i = 1; i <= 3; ++i)
        AddItem(coneElbows, formeSub3Items_, "mnuFormeSub3Items", i, Q(std::to_string(i + 10)));
    auto openShape = [this](QAction* a, int code) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a, code] {
            a->setChecked(!a->isChecked());  // the opener decides the check marks
            OpenShapeForm(code, ActiveChild());
        });
    };
    for (auto& [i, a] : formeSubItems_) openShape(a, i);
    for (auto& [i, a] : formeSub2Items_) openShape(a, i + 5);
    for (auto& [i, a] : formeSub3Items_) openShape(a, i + 10);
    openShape(formeItems_[3], ShapeCuCilindri);
}

void FrmMDI::BuildOptionsMenu() {
    opzioniMenu_ = AddMenu(menuBar(), "mnuOpzioni", "Opzioni");
    AddItem(opzioniMenu_, opzioniItems_, "mnuOpzioniItems", 1, "Metodo di calcolo", QKeySequence("Ctrl+M"));
    AddItem(opzioniMenu_, opzioniItems_, "mnuOpzioniItems", 2, "Unità di misura", QKeySequence("Ctrl+U"));
    AddItem(opzioniMenu_, opzioniItems_, "mnuOpzioniItems", 3, "Taratura stampante", QKeySequence("Ctrl+T"))
        ->setCheckable(true);
    for (auto& [i, a] : opzioniItems_)
        connect(a, &QAction::triggered, this, [this, a, i = i] {
            if (a->isCheckable()) a->setChecked(!a->isChecked());  // the check shows the calibration
            OptionsItemClick(i);
        });
}

void FrmMDI::BuildViewMenu() {
    QMenu* view = AddMenu(menuBar(), "mnuVisualizza", "Visualizza");
    for (int i = 1; i <= 2; ++i) {
        QAction* a = AddItem(view, visualizzaItems_, "mnuVisualizzaItems", i, i == 1 ? "Toolbar" : "Status bar");
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::triggered, this, [this, a, i] {
            a->setChecked(!a->isChecked());  // the handler toggles it
            ViewItemClick(i);
        });
    }
}

void FrmMDI::BuildHelpMenu() {
    QMenu* help = AddMenu(menuBar(), "mnuHelp", "Help");
    AddItem(help, helpItems_, "mnuHelpItems", 1, "Sommario", QKeySequence("Ctrl+F1"));
    AddItem(help, helpItems_, "mnuHelpItems", 2, "Cerca", QKeySequence("Ctrl+F3"));
    // Item 3 has no command: the menu lists only what it does.
    AddItem(help, helpItems_, "mnuHelpItems", 3, "")->setVisible(false);
    AddSeparator(help, helpItems_, "mnuHelpItems", 4);
    AddItem(help, helpItems_, "mnuHelpItems", 5, "Informazioni su VELM");
    for (auto& [i, a] : helpItems_)
        if (!a->isSeparator()) connect(a, &QAction::triggered, this, [i = i] { DispatchHelpCommand(i); });
}

void FrmMDI::BuildToolBar() {
    toolBarPanel_ = new QFrame;
    toolBarPanel_->setObjectName("PnlToolBar");
    toolBarPanel_->setFrameShape(QFrame::Panel);
    toolBarPanel_->setFrameShadow(QFrame::Raised);
    toolBarPanel_->setMouseTracking(true);
    toolBarPanel_->installEventFilter(this);
    auto* row = new QHBoxLayout(toolBarPanel_);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
}

void FrmMDI::AddToolButtons(const std::vector<QImage>& pictures) {
    auto* row = static_cast<QHBoxLayout*>(toolBarPanel_->layout());
    for (int i = 0; i < ToolButtonCount; ++i) {
        auto* b = new QToolButton;
        b->setObjectName(Indexed("CmdToolBar", i));
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(pictures[2 * static_cast<std::size_t>(i)]), QIcon::Normal);
        if (const QImage& disabled = pictures[2 * static_cast<std::size_t>(i) + 1]; !disabled.isNull())
            icon.addPixmap(QPixmap::fromImage(disabled), QIcon::Disabled);
        b->setIcon(icon);
        b->setIconSize(QSize(ToolbarPictureSize, ToolbarPictureSize));
        b->setFixedSize(ToolbarPictureSize + 10, ToolbarPictureSize + 10);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMouseTracking(true);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, i] { ToolBarClick(i); });
        toolButtons_[static_cast<std::size_t>(i)] = b;
        row->addWidget(b);
        if (i == 1 || i == 3 || i == 5 || i == 6) row->addSpacing(10);  // groups: files, printer, options, help
    }
    row->addStretch(1);
}

void FrmMDI::BuildStatusLine() {
    statusLine_ = new QLabel;
    statusLine_->setObjectName("PnlStatusBar");
    statusLine_->setFrameShape(QFrame::Panel);
    statusLine_->setFrameShadow(QFrame::Sunken);
    statusLine_->setMinimumHeight(statusLine_->fontMetrics().height() + 8);
    statusLine_->setContentsMargins(6, 0, 6, 0);
    statusLine_->setMouseTracking(true);
    statusLine_->installEventFilter(this);
}

QAction* FrmMDI::Item(const std::map<int, QAction*>& items, int i) const {
    auto it = items.find(i);
    return it == items.end() ? nullptr : it->second;
}
QAction* FrmMDI::FileItem(FileMenuItem i) const { return Item(fileItems_, static_cast<int>(i)); }
QAction* FrmMDI::FormeItem(int i) const { return Item(formeItems_, i); }
QAction* FrmMDI::FormeSubItem(int i) const { return Item(formeSubItems_, i); }
QAction* FrmMDI::FormeSub2Item(int i) const { return Item(formeSub2Items_, i); }
QAction* FrmMDI::FormeSub3Item(int i) const { return Item(formeSub3Items_, i); }
QAction* FrmMDI::OpzioniItem(int i) const { return Item(opzioniItems_, i); }
QAction* FrmMDI::VisualizzaItem(int i) const { return Item(visualizzaItems_, i); }
QAction* FrmMDI::HelpItem(int i) const { return Item(helpItems_, i); }

void FrmMDI::ApplyMenuTexts() {
    for (const auto& [name, caption] : MenuCaptions(Language())) {
        const QString objectName = Q(name);
        if (auto* menu = findChild<QMenu*>(objectName)) {
            menu->setTitle(Q(caption));
        } else if (auto* action = findChild<QAction*>(objectName)) {
            if (!action->isSeparator()) action->setText(Q(caption));
        }
    }
}

void FrmMDI::SetStatus(const std::string& text) { statusLine_->setText(Q(text)); }
QString FrmMDI::Status() const { return statusLine_->text(); }

void FrmMDI::HideTip() {
    tipPicture_->hide();
    tipTimer_->stop();
}


void FrmMDI::ShowTip() {
    QToolButton* b = ToolButton(armedToolButton_);
    // Beside the button's right edge, twice as far down as the button sits in its panel.
    const QPoint panel = toolBarPanel_->pos();
    tipPicture_->move(panel.x() + b->x() + b->width(), panel.y() + 2 * b->y());
    tipLabel_->setText(Q(" " + Txt(TextAfter(TextFirstToolTip, armedToolButton_)) + " "));
    tipLabel_->adjustSize();
    tipLabel_->move(0, 0);
    tipPicture_->resize(tipLabel_->size());
    tipPicture_->show();
    tipPicture_->raise();
}

void FrmMDI::ToolButtonMouseMove(int index, int x, int y) {
    QToolButton* b = ToolButton(index);
    if (x > 0 && x < b->width() && y > 0 && y < b->height()) {
        armedToolButton_ = index;
        if (!tipTimer_->isActive()) tipTimer_->start();
    } else {
        HideTip();
    }
    SetStatus(Txt(TextAfter(TextFirstToolHint, index)));
}

bool FrmMDI::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (area_ && watched == area_->viewport()) {
        if (type == QEvent::Resize && !fitShapeWindows_.hasExpired()) FitShapeWindowsToArea();
        return false;
    }
    for (int i = 0; i < ToolButtonCount; ++i) {
        if (watched != toolButtons_[static_cast<std::size_t>(i)]) continue;
        if (type == QEvent::MouseMove) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            ToolButtonMouseMove(i, p.x(), p.y());
        } else if (type == QEvent::MouseButtonPress || type == QEvent::Leave) {
            HideTip();
        }
        return false;
    }
    if (type != QEvent::MouseMove) return false;
    if (watched == toolBarPanel_) {
        // A move a button did not take comes up to the panel too: only the panel's own area counts.
        if (toolBarPanel_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) return false;
        HideTip();
        SetStatus("");
    } else if (watched == statusLine_ || watched == tipLabel_ || watched == tipPicture_) {
        HideTip();
    }
    return false;
}

void FrmMDI::UpdateState() {
    WorkingState& st = State();
    if (const SettingsStore* store = Platform().settings) st.Settings.AngleStep = ReadAngleStep(*store);
    FormeItem(3)->setVisible(true);
    FormeItem(4)->setVisible(true);
    QString caption = BaseTitle;
    if (!st.CurrentFileName.empty()) caption += " - " + Q(st.CurrentFileName);  // as the file system spells it
    setWindowTitle(caption);
    fileCommands_ = FindShapeKind(st.ShapeCode) != nullptr;
    st.Limits = InputLimits{};
    UpdateCommands();
}

void FrmMDI::UpdateCommands() {
    const WorkingState& st = State();
    const bool preview = st.OpenPreview >= 0;
    const bool files = live_ && fileCommands_ && !preview;
    // A data file would replace the inputs under a run that is still using
    // them; a set-up chosen then would be undone by the run's own at its end.
    const bool opens = !preview && !RunUnderWay();
    const bool setUp = !RunUnderWay();
    const bool valid = st.DevelopmentValid != 0;
    // Commands of the output and elbow code are offered once registered.
    const auto registered = [](RegisteredCommand c) { return CommandRegistered(c); };

    menuBar()->setEnabled(live_);
    toolBarPanel_->setEnabled(live_);

    FileItem(FileMenuItem::Open)->setEnabled(opens);
    FileItem(FileMenuItem::Save)->setEnabled(files);
    FileItem(FileMenuItem::SaveAs)->setEnabled(files);
    FileItem(FileMenuItem::SaveDxf)->setEnabled(files && valid && registered(RegisteredCommand::DxfExport));
    FileItem(FileMenuItem::SaveIso)->setEnabled(files && valid && registered(RegisteredCommand::IsoExport));
    FileItem(FileMenuItem::PrinterSetup)->setEnabled(setUp);
    FileItem(FileMenuItem::Print)->setEnabled(preview && registered(RegisteredCommand::Print));
    for (int i = 1; i <= RecentFileCount; ++i) FileItem(RecentFileItem(i))->setEnabled(opens);

    formeMenu_->setEnabled(!preview);
    for (auto& [i, a] : formeSubItems_) a->setEnabled(ShapeWindowAvailable(i));
    for (auto& [i, a] : formeSub2Items_) a->setEnabled(ShapeWindowAvailable(i + 5));
    for (auto& [i, a] : formeSub3Items_) a->setEnabled(ShapeWindowAvailable(i + 10));
    FormeItem(3)->setEnabled(ShapeWindowAvailable(ShapeCuCilindri));

    opzioniMenu_->setEnabled(optionCommands_);
    opzioniMenu_->menuAction()->setEnabled(optionCommands_);
    OpzioniItem(3)->setEnabled(registered(RegisteredCommand::Calibration));

    ToolButton(0)->setEnabled(opens);
    ToolButton(1)->setEnabled(files);
    ToolButton(2)->setEnabled(setUp);
    ToolButton(3)->setEnabled(preview && registered(RegisteredCommand::Print));
    ToolButton(4)->setEnabled(optionCommands_);
    ToolButton(5)->setEnabled(optionCommands_);
}

void FrmMDI::SetFileCommandsEnabled(bool enable) {
    fileCommands_ = enable;
    UpdateCommands();
}

void FrmMDI::SetOptionCommandsEnabled(bool enable) {
    optionCommands_ = enable;
    UpdateCommands();
}

void FrmMDI::SetLive(bool live) {
    live_ = live;
    UpdateCommands();
}

void FrmMDI::CheckShape(int shapeCode) {
    const ShapeKindInfo* kind = FindShapeKind(shapeCode);
    for (auto* items : {&formeSubItems_, &formeSub2Items_, &formeSub3Items_})
        for (auto& [i, a] : *items) a->setChecked(false);
    FormeItem(3)->setChecked(false);
    if (!kind) return;  // no shape (0) or no such shape: nothing ticked
    // The Shapes menu follows the start panel's groups: three submenus and the elbow's own item.
    switch (kind->Group) {
        case 0: FormeSubItem(kind->Cell + 1)->setChecked(true); break;
        case 1: FormeSub2Item(kind->Cell + 1)->setChecked(true); break;
        case 2: FormeItem(3)->setChecked(true); break;
        case 3: FormeSub3Item(kind->Cell + 1)->setChecked(true); break;
        default: break;
    }
}

void FrmMDI::SetCalibrationChecked(bool checked) { OpzioniItem(3)->setChecked(checked); }

void FrmMDI::FileItemClick(FileMenuItem item) {
    if (!live_) return;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (item == FileMenuItem::PrinterSetup && RunUnderWay()) return;  // nor the workshop's own set-up
    const bool hook =
        !ec && item == FileMenuItem::PrinterSetup && std::filesystem::is_regular_file(folder / "Printouts.bat", ec);
    if (!hook) {
        DispatchFileCommand(item);
    } else {
        // The workshop's own print set-up replaces the printer dialog.
        if (Processes* processes = Platform().processes)
            processes->StartHidden("/bin/sh", {"Printouts.bat"}, folder.string());
        if (Platform().dialogs &&
            Platform().dialogs->MessageBox(Txt(TextPrintSetupRan), MbOkCancel + MbInformation, ProgramTitle) == IdOk) {
            ExitProgram();
            return;
        }
    }
    if (item == FileMenuItem::Exit && AskExitQuestion()) ExitProgram();
}

void FrmMDI::MethodCommand() { ShowCalculationMethodDialog(); }

void FrmMDI::UnitCommand() {
    WorkingState& st = State();
    const std::int16_t before = st.Settings.MeasuringSystem;
    ShowUnitDialog();
    const std::int16_t now = st.Settings.MeasuringSystem;
    if (now == before) return;
    ConvertInputUnits(now == 0 ? 1 : 0, st.Inputs);
}

void FrmMDI::OptionsItemClick(int index) {
    if (!live_) return;
    switch (index) {
        case 1: MethodCommand(); break;
        case 2: UnitCommand(); break;
        case 3: RunCommand(RegisteredCommand::Calibration); break;
        default: break;
    }
}

void FrmMDI::ViewItemClick(int index) {
    QAction* a = VisualizzaItem(index);
    if (!a) return;
    a->setChecked(!a->isChecked());
    if (index == 1) toolBarPanel_->setVisible(a->isChecked());
    if (index == 2) statusLine_->setVisible(a->isChecked());
}

void FrmMDI::ToolBarClick(int index) {
    if (!live_) return;
    switch (index) {
        case 0: DispatchFileCommand(FileMenuItem::Open); break;
        case 1: DispatchFileCommand(FileMenuItem::SaveAs); break;
        case 2: DispatchFileCommand(FileMenuItem::PrinterSetup); break;  // always the dialog, never the print hook
        case 3: DispatchFileCommand(FileMenuItem::Print); break;
        case 4: MethodCommand(); break;
        case 5: UnitCommand(); break;
        case 6: DispatchHelpCommand(1); break;
        case 7: FileItemClick(FileMenuItem::Exit); break;
        default: break;
    }
}

// Maximised or restored: the shape windows follow. The area's new size may
// come with a later resize, which the deadline still lets through.
void FrmMDI::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMinimized()) return;
    fitShapeWindows_.setRemainingTime(1000);
    QTimer::singleShot(0, this, [this] { FitShapeWindowsToArea(); });
}

void FrmMDI::FitShapeWindowsToArea() {
    const QRect whole(QPoint(0, 0), area_->viewport()->size());
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!IsShapeWindow(sub->widget()) || !sub->isVisible() || sub->isMinimized() || sub->isMaximized()) continue;
        sub->setGeometry(whole);  // the window keeps its own minimum size
    }
}

void FrmMDI::keyPressEvent(QKeyEvent* event) {
    if (live_ && ChildWindowKey(event)) return;
    QMainWindow::keyPressEvent(event);
}

// A child minimised by a preview waits as a bar; once it is the active
// child, Enter (or Ctrl+F5) brings it back, and Ctrl+Tab or Ctrl+F6 (with
// Shift backwards) moves from child to child when none has the keys. A
// disabled child (its preview still open) stays as it is.
bool FrmMDI::ChildWindowKey(const QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods == Qt::ControlModifier, ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_F6) && (ctrl || ctrlShift)) {
        ActivateNextChild(ctrlShift ? -1 : 1);
        return true;
    }
    const bool restore = ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) ||
                         (key == Qt::Key_F5 && ctrl);
    QMdiSubWindow* sub = area_->currentSubWindow();
    if (!restore || !sub || !sub->isMinimized()) return false;
    if (!sub->isEnabled() || (sub->widget() && !sub->widget()->isEnabled())) return true;
    RestoreAsBefore(sub);
    area_->setActiveSubWindow(sub);
    return true;
}

// The area's own cycling passes over minimised children: here every shown
// child that can take the keys counts, a minimised one as much as another.
void FrmMDI::ActivateNextChild(int step) {
    std::vector<QMdiSubWindow*> children;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->isVisible() && sub->isEnabled() && (!sub->widget() || sub->widget()->isEnabled()))
            children.push_back(sub);
    if (children.empty()) return;
    const auto n = static_cast<std::ptrdiff_t>(children.size());
    const auto at = std::find(children.begin(), children.end(), area_->currentSubWindow()) - children.begin();
    const std::ptrdiff_t next = at == n ? (step > 0 ? 0 : n - 1) : ((at + step) % n + n) % n;
    area_->setActiveSubWindow(children[static_cast<std::size_t>(next)]);
}

// MDIForm_QueryUnload: the question whatever the reason for closing.
void FrmMDI::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!live_) return;  // start-up not finished: nothing to close yet
    if (AskExitQuestion()) ExitProgram();
}

// --- The main window's services to the other windows ---

QWidget* MainWindow() { return g_mdi.data(); }
QMdiArea* MdiArea() { return g_mdi ? g_mdi->Area() : nullptr; }

QWidget* ActiveChild() {
    if (!g_mdi) return nullptr;
    QMdiSubWindow* sub = g_mdi->Area()->currentSubWindow();
    if (!sub) return nullptr;
    return sub->widget() ? sub->widget() : sub;
}

void SetStatusText(const std::string& text) {
    if (g_mdi) g_mdi->SetStatus(text);
}
void HideToolTip() {
    if (g_mdi) g_mdi->HideTip();
}
void UpdateMdiState() {
    if (g_mdi) g_mdi->UpdateState();
}
void UpdateCommandState() {
    if (g_mdi) g_mdi->UpdateCommands();
}
void EnableFileCommands(bool enable) {
    if (g_mdi) g_mdi->SetFileCommandsEnabled(enable);
}
void EnableOptionCommands(bool enable) {
    if (g_mdi) g_mdi->SetOptionCommandsEnabled(enable);
}
void CheckShapeMenuItem(int shapeCode) {
    if (g_mdi) g_mdi->CheckShape(shapeCode);
}

void UpdateCalibrationMenuCheck() {
    const SettingsCache& s = State().Settings;
    if (g_mdi) g_mdi->SetCalibrationChecked(s.SettingXPrinter != 1.0f || s.SettingYPrinter != 1.0f);
}

void CenterForm(QWidget* owner, QWidget* dialog) {
    if (!owner || !dialog) return;
    const QRect o = owner->frameGeometry();
    const QSize d = dialog->frameGeometry().size();
    QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
    int left = o.x() + (o.width() - d.width()) / 2;
    if (left + d.width() > s.x() + s.width()) left = s.x() + s.width() - d.width();
    int top = o.y() + (o.height() - d.height()) / 2;
    if (top + d.height() > s.y() + s.height()) top = s.y() + s.height() - d.height();
    dialog->move(left, top);  // left of or above the screen stays as it is
}

void FillScaleCombo(QComboBox* combo) {
    if (!combo) return;
    // Filling the box is not a choice of the user's: the stored scale stays.
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (int i = 1; i <= 5; ++i) combo->addItem(Q("1:" + std::to_string(i)));
    const QString shown = Q("1:" + FormatLength(static_cast<int>(State().Settings.Scale), State().Settings.MeasuringSystem));
    // The list's selection is the scale shown, so that Up and Down move on from it.
    const int index = combo->findText(shown);
    if (index >= 0) combo->setCurrentIndex(index);
    combo->setCurrentText(shown);
}

}  // namespace velm
