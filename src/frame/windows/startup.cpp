#include "frame/windows/startup.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <filesystem>
#include <future>

#include "frame/command_line.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/language_file.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/unit_conversion.h"
#include "core/version.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_iniziale.h"
#include "frame/windows/frm_mdi.h"
#include "frame/windows/pictures.h"
#include "core/working_state.h"
#include "platform/ini_settings_store.h"
#include "platform/look.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_help.h"
#include "platform/qt/qt_look.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_processes.h"
#include "platform/services.h"
#include "frame/windows/frm_mdi_texts.h"

namespace velm {

namespace {

QPointer<QWidget> g_splash;
ExitHook g_exitHook;
bool g_exitRequested = false;
int g_exitCode = 0;
bool g_settingsRead = false;  // ExitProgram may compare the weld side only after this
int g_exitHolds = 0;
bool g_exitPending = false;   // asked while held

// FrmLogo: the splash picture PictureLogo, centred on the screen.
QWidget* ShowSplash() {
    if (!g_splash) {
        auto* logo = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        logo->setObjectName("FrmLogo");
        logo->setAttribute(Qt::WA_DeleteOnClose, false);
        auto* picture = new QLabel;
        picture->setObjectName("PictureLogo");
        picture->setPixmap(SplashPicture());
        auto* layout = new QVBoxLayout(logo);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(picture);
        logo->adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->geometry();
            logo->move(s.x() + (s.width() - logo->width()) / 2, s.y() + (s.height() - logo->height()) / 2);
        }
        g_splash = logo;
    }
    g_splash->show();
    return g_splash;
}

void UnloadSplash() {
    if (g_splash) delete g_splash.data();
}

// Waits while the event loop runs, without keeping a processor busy. The
// clock is monotonic, so midnight or a clock change does not matter.
void WaitYielding(double seconds) {
    QCoreApplication::processEvents();
    if (seconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0 + 0.5), &loop, &QEventLoop::quit);
    loop.exec();
}

void DeleteQuietly(const std::string& path) {
    if (path.empty()) return;
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

void DefaultExit(int code) {
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(code);
}

void EndProgram(int code) {
    g_exitRequested = true;
    g_exitCode = code;
    if (g_exitHook) g_exitHook(code);
    else DefaultExit(code);
}

// A language-file failure: its fixed message, then the end.
bool LanguageFailed(const LanguageResult& result) {
    if (result.ok) return false;
    UnloadSplash();
    ClearHourglass();
    ShowMessage(result.prompt, MbOkOnly, ProgramTitle);
    DeleteQuietly(State().LangTempFile);
    EndProgram(1);
    return true;
}

// The language file read beside the building of the main window.
struct ReadLanguage {
    std::string tempFile;
    LanguageTexts texts;
    LanguageResult result;
};

std::future<ReadLanguage> StartReadingLanguage(const std::string& programFolder) {
    // Its folder is fixed now: the working folder changes meanwhile.
    std::error_code absent;
    std::string languageDir = std::filesystem::absolute(AppDirOf(programFolder), absent).string();
    if (absent) languageDir = AppDirOf(programFolder);
    return std::async(std::launch::async, [dir = std::move(languageDir)] {
        ReadLanguage read;
        read.tempFile = CreateLanguageTempFile(dir);
        read.result = LoadLanguage(dir + "/VELM.lng", read.tempFile, read.texts);
        return read;
    });
}

// The working folder, the stored settings, the fill colours and an empty
// shape choice.
void ReadStartState(const std::string& programFolder) {
    WorkingState& st = State();
    std::error_code ec;
    std::filesystem::current_path(programFolder, ec);
    st.CurrentFileName.clear();
    st.AppDir = AppDirOf(programFolder);

    if (const SettingsStore* store = Platform().settings) ReadAllSettings(*store, st.Settings);
    st.ThicknessFactor = DeriveThicknessFactor(st.Settings);
    g_settingsRead = true;
    UpdateCalibrationMenuCheck();

    st.ConeSketchFill = st.CylinderSketchFill = st.ConePieceFill = st.CylinderPieceFill = PaletteColour(12);
    st.ConeDevelopmentFill = st.CylinderDevelopmentFill = PaletteColour(9);
    st.ShapeFamily = 0;
    st.ShapeCode = ShapeNone;
    st.OpenPreview = -1;
}

// The parts register their windows and commands, the main window takes
// commands and the start panel shows.
void ShowStartPanel(FrmMDI* mdi, const std::string& commandLineFile, std::span<const PartRegistration> parts) {
    for (const PartRegistration registerPart : parts) registerPart();
    mdi->show();
    mdi->activateWindow();
    mdi->SetLive(true);
    mdi->UpdateState();
    SetCommandLineFile(commandLineFile);
    if (QWidget* panel = StartPanel()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(panel->parentWidget())) sub->show();
        panel->show();
    }
}

}  // namespace

bool StartFrame(const StartOptions& options, std::span<const PartRegistration> parts) {
    g_exitRequested = false;
    g_exitCode = 0;
    g_settingsRead = false;
    g_exitHolds = 0;
    g_exitPending = false;
    QApplication::setQuitOnLastWindowClosed(false);  // the program ends through ExitProgram only

    // Waited for on every way out of here: a failed start may end the
    // application right after, and the font work must not run under its end.
    const std::future<void> captionFont = BeginLoadingCaptionFont();
    // The language file is read beside the building of the main window; what
    // came of it is taken where the start-up has always read it.
    std::future<ReadLanguage> reading = StartReadingLanguage(options.programFolder);
    // The main window exists first, inert until the start panel shows.
    auto* mdi = new FrmMDI;

    SetHourglass();
    // Without a wait nobody would see the splash: it is not even made.
    const double splashSeconds = SplashSecondsFrom(std::getenv("VELM_SPLASH_SECONDS"));
    if (splashSeconds > 0) ShowSplash();
    WaitYielding(splashSeconds);

    ReadStartState(options.programFolder);

    WorkingState& st = State();
    ReadLanguage read = reading.get();
    st.LangTempFile = std::move(read.tempFile);
    Language() = std::move(read.texts);
    if (LanguageFailed(read.result)) return false;
    mdi->ApplyMenuTexts();
    RefreshRecentMenu();

    st.Inputs = DefaultInputArrays();
    if (st.Settings.MeasuringSystem == 1) ConvertInputUnits(0, st.Inputs);

    ShowStartPanel(mdi, options.commandLineFile, parts);
    UnloadSplash();
    ClearHourglass();
    return true;
}

bool AskExitQuestion() {
    // Not while an external program is awaited: its wait still runs below us.
    if (Platform().processes->Waiting()) {
        Beep();
        return false;
    }
    Dialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return false;
    return dialogs->MessageBox(Txt(TextCloseQuestion), MbYesNo + MbQuestion, Txt(TextProgramName)) == IdYes;
}

void ExitProgram() {
    if (g_exitRequested) return;  // already on its way out
    if (g_exitHolds > 0) {
        g_exitPending = true;
        return;
    }
    SetHourglass();
    ShowSplash();
    WorkingState& st = State();
    if (SettingsStore* store = Platform().settings; store && g_settingsRead) {
        if (ReadLatoSaldatura(*store) != st.Settings.LatoSaldatura)
            SaveLatoSaldatura(*store, st.Settings.LatoSaldatura);
    }
    DeleteQuietly(st.LangTempFile);
    EndProgram(0);
}

// The main window's commands follow whether a run is under way.
void HoldExit() {
    ++g_exitHolds;
    UpdateCommandState();
}

void ReleaseExit() {
    if (g_exitHolds > 0) --g_exitHolds;
    UpdateCommandState();
    if (g_exitHolds > 0 || !g_exitPending) return;
    g_exitPending = false;
    ExitProgram();
}

bool ExitPending() { return g_exitPending; }

bool RunUnderWay() { return g_exitHolds > 0; }

void SetExitHook(ExitHook hook) { g_exitHook = std::move(hook); }
int RequestedExitCode() { return g_exitCode; }
QWidget* Splash() { return g_splash.data(); }

void InstallQtPlatform() {
#if defined(__GLIBC__)
    // Pictures are megabytes each: they come from and go back to the system
    // directly, instead of lingering in the heap once their window closes or
    // resizes (the library's own limit rises with the largest block freed).
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    // Never destroyed: a QPrinter must not be torn down after the application object.
    static QtPrinter& printer = *new QtPrinter;
    printer.SetFileRequest(PdfFileRequest);
    // Nothing waits on the print service at start: it is only looked at on
    // the side, so that a service gone later holds the job instead of turning
    // printing into a file. The device comes when first needed.
    printer.LookForService();
    static QtDialogs dialogs(&printer);
    static IniSettingsStore settings;
    static QtHelp help;
    static QtProcesses processes;
    static QtLook look;
    Services& services = Platform();
    services.dialogs = &dialogs;
    services.settings = &settings;
    services.help = &help;
    services.processes = &processes;
    services.printer = &printer;
    InstallLook(&look);
}

void CloseAllWindows() {
    UnloadSplash();
    if (QWidget* mdi = MainWindow()) delete mdi;
    // Windows owned elsewhere (the help viewer, dialogs kept by their callers) are only hidden.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    g_exitRequested = false;
    g_exitCode = 0;
    g_settingsRead = false;
    g_exitHolds = 0;
    g_exitPending = false;
}

}  // namespace velm
