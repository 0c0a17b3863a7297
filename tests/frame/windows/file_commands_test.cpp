#include "frame/windows/file_commands.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "frame/data_file.h"
#include "frame/file_names.h"
#include "frame/language.h"
#include "frame/recent_files.h"
#include "frame/unit_conversion.h"
#include "platform/services.h"
#include "support/scripted_dialogs.h"

namespace velm {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::string s;
    return ReadWholeFile(path, s) == 0 ? s : "<unreadable>";
}
void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform().dialogs = &dialogs_;
        Platform().settings = &settings_;
        State() = WorkingState{};
        State().ShapeCode = ShapeCiRe;
        Language().Sections[LangMsgbox] = {"", "", "", "not a data file", "", "not found"};
        Language().Sections[LangHelp] = TextSection(24);
        Language().Sections[LangHelp][22] = "Open";
        Language().Sections[LangHelp][23] = "Save";
        Language().Sections[LangFrmIniziale] = {"", "", "Files", "All files", "Save as"};
        std::string pattern = (fs::temp_directory_path() / "velm-files-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override {
        dialogs_.VerifyAllUsed();
        Platform() = savedServices_;
        State() = savedState_;
        Language() = savedTexts_;
        fs::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    RecentList Recent() const { return ReadRecentList(settings_); }
    void SetRecent(const std::vector<std::string>& names) {
        settings_.values_.clear();
        for (const auto& n : names) InsertRecent(settings_, n, 0);
    }

    ScriptedDialogs dialogs_;
    MemorySettingsStore settings_;
    std::string dir_;
    const Services savedServices_ = Platform();
    const WorkingState savedState_ = State();
    const LanguageTexts savedTexts_ = Language();
};

TEST_F(FileCommandsTest, SavedJobReopensWithTheSameValuesAndUnit) {
    State().Settings.MeasuringSystem = 1;
    ConvertInputUnits(0, State().Inputs);
    State().Inputs.CylinderData[2] = 11.811f;
    State().Inputs.ConeData[6] = -12.5f;
    State().Inputs.EndConnections[3] = -0.1f;
    const WorkingState saved = State();
    const std::string path = Path("Job.qvl");

    dialogs_.ExpectSave(path);
    DispatchFileCommand(3);
    ASSERT_EQ(dialogs_.saves.size(), 1u);
    EXPECT_EQ(dialogs_.saves[0].title, "Save as");
    EXPECT_EQ(dialogs_.saves[0].filter,
              "Files VELM (*.qvl)|*.qvl|All files (*.*)|*.*");
    EXPECT_EQ(dialogs_.saves[0].defaultExtension, "qvl");
    EXPECT_EQ(State().CurrentFileName, path);
    EXPECT_EQ(Recent()[0], path);

    State() = WorkingState{};
    dialogs_.ExpectOpen(path);
    DispatchFileCommand(1);
    ASSERT_EQ(dialogs_.opens.size(), 1u);
    EXPECT_EQ(dialogs_.opens[0].title, "Open");
    EXPECT_EQ(dialogs_.opens[0].filter, "Files VELM (*.qvl)|*.qvl|All files (*.*)|*.*");
    EXPECT_EQ(State().Settings.MeasuringSystem, 1);
    EXPECT_EQ(State().ShapeCode, ShapeCiRe);
    EXPECT_EQ(WriteDataFileText(DataFileRecordOf(State())), WriteDataFileText(DataFileRecordOf(saved)));
    EXPECT_EQ(State().CurrentFileName, path);
    EXPECT_TRUE(dialogs_.messages.empty());
    // The file's unit holds for this run; the setting is not written.
    EXPECT_EQ(settings_.GetSetting("VELM.INI", "System", "MeasuringSystem", "absent"), "absent");
}

TEST_F(FileCommandsTest, SaveWithoutDialogIntoANewFolderAndExportNames) {
    State().CurrentFileName = Path("new/Part.QVL");
    DispatchFileCommand(2);  // a dialog here would fail the test
    EXPECT_EQ(Contents(Path("new/Part.QVL")), WriteDataFileText(DataFileRecordOf(State())));
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("new")), {}), 1);

    dialogs_.ExpectSaveCancel();
    SaveDataFile("DXF");
    EXPECT_EQ(dialogs_.saves.at(0).fileName, Path("new/Part.dxf"));
    EXPECT_EQ(dialogs_.saves.at(0).title, "Save DXF");
    EXPECT_EQ(dialogs_.saves.at(0).defaultExtension, "dxf");
    EXPECT_EQ(State().CurrentFileName, Path("new/Part.QVL"));

    // A drawing name typed into save as is refused aloud, and nothing is written.
    dialogs_.ExpectSave(Path("new/Part.dxf"));
    dialogs_.ExpectMessage(IdOk);
    DispatchFileCommand(3);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].prompt.find("Part.dxf"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("new/Part.dxf")));
    EXPECT_EQ(State().CurrentFileName, Path("new/Part.QVL"));
}

TEST_F(FileCommandsTest, FailedSaveShowsTheSystemMessageAndKeepsEverything) {
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    void (*previous)(int) = SIG_DFL;
    struct Case { std::string target; int error; std::function<void()> before, after = [] {}; };
    std::vector<Case> cases = {
        {Path("a/b/job.qvl"), ENOENT, [] {}},
        {Path("plain/job.qvl"), ENOTDIR, [this] { Put(Path("plain"), "p"); }},
        {Path("full.qvl"), EFBIG,  // a file size limit stands in for a full disk
         [&] {
             Put(Path("full.qvl"), std::string(3000, 'o'));
             previous = std::signal(SIGXFSZ, SIG_IGN);
             struct rlimit small = saved;
             small.rlim_cur = 64;
             ::setrlimit(RLIMIT_FSIZE, &small);
         },
         [&] {
             ::setrlimit(RLIMIT_FSIZE, &saved);
             std::signal(SIGXFSZ, previous);
         }},
    };
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        cases.push_back({Path("ro/job.qvl"), EACCES,
                         [this] {
                             fs::create_directory(Path("ro"));
                             Put(Path("ro/job.qvl"), "old");
                             fs::permissions(Path("ro"), fs::perms::owner_write, fs::perm_options::remove);
                         },
                         [this] { fs::permissions(Path("ro"), fs::perms::owner_all); }});
        // The folder cannot be made: its reason, not the missing path.
        cases.push_back({Path("ro2/new/job.qvl"), EACCES,
                         [this] {
                             fs::create_directory(Path("ro2"));
                             fs::permissions(Path("ro2"), fs::perms::owner_write, fs::perm_options::remove);
                         },
                         [this] { fs::permissions(Path("ro2"), fs::perms::owner_all); }});
        cases.push_back({Path("protected.qvl"), EACCES, [this] {
                             Put(Path("protected.qvl"), "old");
                             fs::permissions(Path("protected.qvl"), fs::perms::owner_read);
                         }});
    }
    for (const Case& c : cases) {
        dialogs_.messages.clear();
        State().CurrentFileName = "/x/current.qvl";
        SetRecent({"/x/other.qvl", "/x/current.qvl"});
        c.before();
        const std::string old = Contents(c.target);
        dialogs_.ExpectSave(c.target);
        dialogs_.ExpectMessage(IdOk);
        SaveDataFile("CONNOME");
        c.after();
        ASSERT_EQ(dialogs_.messages.size(), 1u) << c.target;
        EXPECT_EQ(dialogs_.messages[0].prompt, c.target + ": " + SystemErrorText(c.error));
        EXPECT_EQ(dialogs_.messages[0].style, MbExclamation);
        EXPECT_EQ(State().CurrentFileName, "/x/current.qvl");
        EXPECT_EQ(Recent()[0], "/x/current.qvl");
        EXPECT_EQ(Recent()[2], RecentNotUsed);
        EXPECT_EQ(Contents(c.target), old) << c.target;
    }
}

TEST_F(FileCommandsTest, CorruptFilesChangeNothingAndLeaveTheList) {
    const std::string good = WriteDataFileText(DataFileRecordOf(State()));
    const std::string path = Path("bad.qvl");
    for (const std::string& text : {"\"VELX\"" + good.substr(6), good.substr(0, good.size() / 2), std::string(),
                                    good.substr(0, good.find("\r\n20\r\n")) + "\r\nnan" + good.substr(good.find("\r\n20\r\n") + 4)}) {
        Put(path, text);
        dialogs_.messages.clear();
        State().Inputs.CylinderData[2] = 77;
        State().Settings.MeasuringSystem = 1;
        State().CurrentFileName = "/x/current.qvl";
        const WorkingState before = State();
        SetRecent({"/x/c.qvl", path, "/x/a.qvl"});

        dialogs_.ExpectMessage(IdOk);
        std::string name = path;
        EXPECT_FALSE(OpenDataFile(name));
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].prompt, path + ": not a data file!");
        EXPECT_EQ(dialogs_.messages[0].style, MbCritical);
        EXPECT_EQ(dialogs_.messages[0].title, "VELM 2.1");
        EXPECT_EQ(WriteDataFileText(DataFileRecordOf(State())), WriteDataFileText(DataFileRecordOf(before)));
        EXPECT_EQ(State().CurrentFileName, "/x/current.qvl");
        EXPECT_EQ(Recent()[1], "/x/c.qvl");
    }
}

TEST_F(FileCommandsTest, RecentItemsOpenAndMoveToTheTop) {
    State().ShapeCode = ShapeNone;  // no shape window to open
    std::vector<std::string> names;
    for (int i = 5; i >= 1; --i) {
        State().Inputs.CylinderData[2] = static_cast<float>(10 * i);
        names.insert(names.begin(), Path("job" + std::to_string(i) + ".qvl"));
        Put(names.front(), WriteDataFileText(DataFileRecordOf(State())));
    }
    SetRecent({names[4], names[3], names[2], names[1], names[0]});
    DispatchFileCommand(12);  // the third entry
    EXPECT_EQ(State().Inputs.CylinderData[2], 30.0f);
    EXPECT_EQ(Recent(), (RecentList{names[2], names[0], names[1], names[3], names[4]}));

    fs::remove(names[1]);  // a listed file deleted since
    dialogs_.ExpectMessage(IdOk);
    DispatchFileCommand(12);
    EXPECT_EQ(dialogs_.messages.at(0).prompt, names[1] + ": not found!");
    EXPECT_EQ(Recent(), (RecentList{names[2], names[0], names[3], names[4], RecentNotUsed}));
    EXPECT_EQ(State().CurrentFileName, names[2]);
}

TEST_F(FileCommandsTest, UnreadableFileIsReportedAndStaysListed) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = Path("locked.qvl");
    Put(path, WriteDataFileText(DataFileRecordOf(State())));
    fs::permissions(path, fs::perms::none);
    SetRecent({path});
    dialogs_.ExpectMessage(IdOk);
    std::string name = path;
    EXPECT_FALSE(OpenDataFile(name));
    EXPECT_EQ(dialogs_.messages.at(0).prompt, path + ": " + SystemErrorText(EACCES));
    EXPECT_EQ(Recent()[0], path);
}

TEST_F(FileCommandsTest, RecentMenuMirrorsTheList) {
    QWidget window;
    std::vector<QAction*> items(15, nullptr);
    for (int i = 9; i <= 14; ++i) {
        items[i] = new QAction(&window);
        items[i]->setObjectName(QString::fromStdString("mnuFileItems(" + std::to_string(i) + ")"));
        items[i]->setVisible(false);
    }
    SetRecent({"/jobs/b.qvl", "/jobs/R&D.qvl"});
    RefreshRecentMenuIn(&window);
    EXPECT_TRUE(items[9]->isVisible());
    EXPECT_EQ(items[10]->text().toStdString(), "/jobs/R&&D.qvl");  // not a shortcut mark
    EXPECT_EQ(items[11]->text().toStdString(), "/jobs/b.qvl");
    for (int i = 10; i <= 14; ++i) EXPECT_EQ(items[i]->isVisible(), i <= 11) << i;

    RemoveFromRecent(settings_, "/jobs/R&D.qvl");
    RefreshRecentMenuIn(&window);
    EXPECT_EQ(items[10]->text().toStdString(), "/jobs/b.qvl");
    EXPECT_FALSE(items[11]->isVisible());
    EXPECT_TRUE(items[9]->isVisible());
}

}  // namespace
}  // namespace velm
