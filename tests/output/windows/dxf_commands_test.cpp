// DXF and ISO export from the File menu of the running program: the save
// command's names, the hand-over to the converter through the real process
// service, and every way an export can fail with the previous file intact.
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <filesystem>
#include <sstream>

#include "core/language.h"
#include "frame/command_registry.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/window_test_actions.h"
#include "output/dxf_export.h"
#include "platform/qt/qt_processes.h"
#include "platform/services.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

namespace fs = std::filesystem;
using namespace wt;

class ExportTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    void TearDown() override {
        fs::permissions(ProgramFolder(), fs::perms::owner_all);
        unsetenv("FAKE_MODE");
        unsetenv("FAKE_LOG");
        AppFixture::TearDown();
    }
    // The cylinder cut at both ends, applied by its window's first showing.
    void OpenCylinder() {
        Mdi()->FormeSub2Item(ShapeCiConcordi - 5)->trigger();
        Wait(50);
        ASSERT_EQ(State().DevelopmentValid, True16);
        ASSERT_EQ(State().ShapeCode, ShapeCiConcordi);
    }
    static std::string Drawing() {
        std::ostringstream out(std::ios::binary);
        EXPECT_EQ(WriteDxfEntities(out, State()), DxfStatus::Written);
        return out.str();
    }
    std::string Converter() const { return ProgramFolder() + "/QUELLIX"; }
    void InstallFakeConverter() {
        std::ofstream(Converter()) << R"SH(#!/bin/sh
# Records how it was called, then behaves as FAKE_MODE says.
printf '%s\n' "$1" "$2" "$(pwd)" "$#" > "$FAKE_LOG"
cp 'TMPCN.$' "$FAKE_LOG.drawing"
case "$FAKE_MODE" in
  fail) echo half > "$2.iso"; exit 3 ;;
  crash) echo half > "$2.iso"; kill -SEGV $$ ;;
  empty) : > "$2.iso" ;;
  slow) sleep 20 ;;
  *) printf 'N10 G00 X0 Y0\n' > "$2.iso" ;;
esac
)SH";
        fs::permissions(Converter(), fs::perms::owner_all);
    }
    // Exports through the ISO item as the user does, answering every message with OK.
    void IsoExport(const std::string& name, bool message) {
        dialogs.messages.clear();
        dialogs.ExpectSave(name);
        if (message) dialogs.ExpectMessage(IdOk);
        Mdi()->FileItemClick(FileMenuItem::SaveIso);
    }

    TempFolder out;
};

TEST_F(ExportTest, DxfFromTheMenuLeavesTheJobAlone) {
    OpenCylinder();
    const std::string caption = S(Mdi()->windowTitle());
    dialogs.ExpectSave(out.File("part.dxf"));
    Mdi()->FileItemClick(FileMenuItem::SaveDxf);
    EXPECT_EQ(dialogs.saves.back().defaultExtension, "dxf");
    EXPECT_EQ(out.Read("part.dxf"), Drawing());
    EXPECT_FALSE(look.hourglass);
    EXPECT_EQ(State().CurrentFileName, "");
    EXPECT_EQ(S(Mdi()->windowTitle()), caption);
    EXPECT_EQ(Stored("Recent Files", "RecentFile1"), "Not Used");

    // The extension decides, whatever the dialog: a job name writes the job.
    dialogs.ExpectSave(out.File("job.qvl"));
    Mdi()->FileItemClick(FileMenuItem::SaveDxf);
    EXPECT_EQ(out.Read("job.qvl").rfind("\"VELM\"", 0), 0u);
    EXPECT_EQ(State().CurrentFileName, out.File("job.qvl"));
    // ... and a drawing name in save as writes the drawing.
    dialogs.ExpectSave(out.File("again.DXF"));
    Mdi()->FileItemClick(FileMenuItem::SaveAs);
    EXPECT_EQ(out.Read("again.DXF"), Drawing());
    EXPECT_EQ(State().CurrentFileName, out.File("job.qvl"));
}

TEST_F(ExportTest, NoDevelopmentNoDrawing) {
    OpenCylinder();
    MdiArea()->closeActiveSubWindow();  // at the start panel a change of unit leaves no development
    State().DevelopmentValid = False16;
    for (const char* name : {"x.dxf", "x.iso"}) {
        dialogs.messages.clear();
        dialogs.ExpectSave(out.File(name));
        dialogs.ExpectMessage(IdOk);
        SaveDataFile(SaveKind::SaveAs);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 37));
        EXPECT_FALSE(fs::exists(out.File(name)));
    }
    EXPECT_TRUE(processes.calls.empty());
}

// The hand-over with the recording service: the converter by its full
// path, its two arguments unquoted, the program folder; meanwhile no second
// export and no exit.
TEST_F(ExportTest, IsoHandsTheDrawingToTheConverter) {
    OpenCylinder();
    std::ofstream(Converter()) << "#!/bin/sh\n";
    const std::string name = out.File("my part.v2.iso");
    std::string handed;
    int questions = -1;
    processes.duringWait = [&] {
        handed = fs::exists(ProgramFolder() + "/TMPCN.$") ? TempFolder::ReadPath(ProgramFolder() + "/TMPCN.$") : "";
        EXPECT_EQ(out.Read("my part.v2.iso"), "");  // made empty once the converter was found
        out.Write("my part.v2.iso", "program");
        const int beeps = look.beeps;
        RunCommand(RegisteredCommand::IsoExport, out.File("second.iso"));
        RunCommand(RegisteredCommand::DxfExport, out.File("second.dxf"));
        questions = static_cast<int>(AskExitQuestion()) + look.beeps - beeps;  // refused with a beep each
    };
    IsoExport(name, false);
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].program, Converter());
    EXPECT_EQ(processes.calls[0].args, (std::vector<std::string>{"ISO.CN", out.File("my part.v2")}));
    EXPECT_EQ(processes.calls[0].folder, ProgramFolder());
    EXPECT_EQ(handed, Drawing());
    EXPECT_EQ(questions, 3);
    EXPECT_FALSE(fs::exists(out.File("second.iso")) || fs::exists(out.File("second.dxf")));
    EXPECT_FALSE(fs::exists(ProgramFolder() + "/TMPCN.$"));
    EXPECT_EQ(out.Read("my part.v2.iso"), "program");
    EXPECT_EQ(State().CurrentFileName, "");
}

// The fake converter run through the real process service.
TEST_F(ExportTest, FakeConverterThroughTheRealProcesses) {
    QtProcesses real;
    Platform().processes = &real;
    OpenCylinder();
    InstallFakeConverter();
    const std::string log = out.File("log");
    setenv("FAKE_LOG", log.c_str(), 1);
    fs::create_directory(out.File("dir with blanks"));
    fs::current_path(out.Path());  // the program's current folder, which must stay

    const std::string name = out.File("dir with blanks/a.b'c$d.iso");
    IsoExport(name, false);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(out.Read("dir with blanks/a.b'c$d.iso"), "N10 G00 X0 Y0\n");
    EXPECT_EQ(out.Read("log"),
              "ISO.CN\n" + out.File("dir with blanks/a.b'c$d") + "\n" + ProgramFolder() + "\n2\n");
    EXPECT_EQ(out.Read("log.drawing"), Drawing());
    EXPECT_FALSE(fs::exists(ProgramFolder() + "/TMPCN.$"));
    EXPECT_EQ(fs::current_path(), fs::path(out.Path()));

    // Every failure is told and keeps the previous program.
    const std::string previous = "previous program\n";
    const struct {
        const char* mode;
        std::function<void()> before;
        std::string message;  // the start of the prompt; empty: none
    } cases[] = {
        {"fail", [] {}, Txt(LangMsgbox, 12) + " 3"},
        {"crash", [] {}, Txt(LangMsgbox, 11)},
        {"empty", [] {}, Txt(LangMsgbox, 13)},
        {"ok", [&] { fs::permissions(Converter(), fs::perms::owner_read); }, Txt(LangMsgbox, 10)},
        {"ok", [&] { fs::remove(Converter()); }, Txt(LangMsgbox, 9) + ": " + ProgramFolder()},
        {"ok", [&] { fs::permissions(ProgramFolder(), fs::perms::owner_read | fs::perms::owner_exec); },
         Txt(LangMsgbox, 14) + ": " + ProgramFolder()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        InstallFakeConverter();
        setenv("FAKE_MODE", c.mode, 1);
        c.before();
        for (bool existed : {true, false}) {
            if (existed)
                out.Write("job.iso", previous);
            else
                fs::remove(out.File("job.iso"));
            IsoExport(out.File("job.iso"), true);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].prompt.rfind(c.message, 0), 0u) << dialogs.messages[0].prompt;
            if (existed)
                EXPECT_EQ(out.Read("job.iso"), previous);
            else
                EXPECT_FALSE(fs::exists(out.File("job.iso")));
            EXPECT_FALSE(fs::exists(ProgramFolder() + "/TMPCN.$"));
        }
        fs::permissions(ProgramFolder(), fs::perms::owner_all);
    }
    EXPECT_EQ(fs::current_path(), fs::path(out.Path()));
}

// A slow converter: the windows keep working under the progress window, a
// second export is refused, and Cancel ends it without a message.
TEST_F(ExportTest, SlowConverterCanBeCancelled) {
    QtProcesses real;
    Platform().processes = &real;
    OpenCylinder();
    InstallFakeConverter();
    setenv("FAKE_LOG", out.File("log").c_str(), 1);
    setenv("FAKE_MODE", "slow", 1);
    out.Write("job.iso", "previous");
    int ticks = 0, beeps = -1;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget* w : QApplication::allWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress == nullptr || !progress->isVisible()) continue;
            const int before = look.beeps;
            RunCommand(RegisteredCommand::IsoExport, out.File("second.iso"));
            beeps = look.beeps - before;
            progress->findChild<QPushButton*>()->click();
        }
    });
    user.start(100);
    IsoExport(out.File("job.iso"), false);
    user.stop();
    EXPECT_GT(ticks, 2);  // the event loop turned while the converter ran
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(out.Read("job.iso"), "previous");
    EXPECT_FALSE(fs::exists(out.File("second.iso")));
    EXPECT_FALSE(fs::exists(ProgramFolder() + "/TMPCN.$"));
}

}  // namespace
}  // namespace velm
