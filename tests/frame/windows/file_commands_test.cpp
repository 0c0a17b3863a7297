// The File menu's commands on data files: save, open, failures that keep
// everything, and the recent-files list.
#include "frame/windows/file_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QWidget>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/data_file.h"
#include "core/file_names.h"
#include "core/language.h"
#include "frame/recent_files.h"
#include "core/unit_conversion.h"
#include "platform/services.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

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
        Language().Sections[LangMsgbox].resize(25, "Save as writes it under another name.");
        Language().Sections[LangMsgbox].push_back("The folder does not exist.");
        Language().Sections[LangErrore] = TextSection(DataFileDamagedText + 1);
        Language().Sections[LangErrore][DataFileDamagedText] = "damaged at line";
        Language().Sections[LangHelp] = TextSection(24);
        Language().Sections[LangHelp][22] = "Open";
        Language().Sections[LangHelp][23] = "Save";
        Language().Sections[LangFrmIniziale] = {"", "", "Files", "All files", "Save as"};
    }
    void TearDown() override {
        dialogs_.VerifyAllUsed();
        Platform() = savedServices_;
        State() = savedState_;
        Language() = savedTexts_;
    }
    std::string Path(const std::string& name) const { return dir_.File(name); }
    RecentList Recent() const { return ReadRecentList(settings_); }
    void SetRecent(const std::vector<std::string>& names) {  // the last name on top
        settings_.values_.clear();
        for (const auto& n : names) InsertRecent(settings_, n, 0);
    }

    ScriptedDialogs dialogs_;
    MemorySettingsStore settings_;
    TempFolder dir_;
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
    const std::string savedText = WriteDataFileText(DataFileRecordOf(State()));
    const std::string path = Path("Job.qvl");
    // Save as offers the drawings too; the extension chosen decides.
    const std::string filter =
        "VELM Files (*.qvl)|*.qvl|DXF Files (*.dxf)|*.dxf|ISO Files (*.iso)|*.iso|All files (*.*)|*.*";

    dialogs_.ExpectSave(path);
    DispatchFileCommand(FileMenuItem::SaveAs);
    ASSERT_EQ(dialogs_.saves.size(), 1u);
    EXPECT_EQ(dialogs_.saves[0].title + "|" + dialogs_.saves[0].defaultExtension + "|" + dialogs_.saves[0].filter,
              "Save as|qvl|" + filter);
    EXPECT_EQ(Recent()[0], path);

    State() = WorkingState{};
    dialogs_.ExpectOpen(path);
    DispatchFileCommand(FileMenuItem::Open);
    ASSERT_EQ(dialogs_.opens.size(), 1u);
    EXPECT_EQ(WriteDataFileText(DataFileRecordOf(State())), savedText);
    EXPECT_EQ(State().CurrentFileName, path);
    // The file's unit holds for this run; the setting is not written.
    EXPECT_EQ(settings_.GetSetting("VELM.INI", "System", "MeasuringSystem", "absent"), "absent");
}

TEST_F(FileCommandsTest, SaveWithoutDialogIntoANewFolderAndExportNames) {
    State().CurrentFileName = Path("new/Part.QVL");
    DispatchFileCommand(FileMenuItem::Save);  // a dialog here would fail the test
    EXPECT_EQ(Contents(Path("new/Part.QVL")), WriteDataFileText(DataFileRecordOf(State())));

    dialogs_.ExpectSaveCancel();
    SaveDataFile(SaveKind::Dxf);
    EXPECT_EQ(dialogs_.saves.at(0).fileName, Path("new/Part.dxf"));

    // A drawing name typed into save as is refused aloud, and nothing is written.
    dialogs_.ExpectSave(Path("new/Part.dxf"));
    dialogs_.ExpectMessage(IdOk);
    DispatchFileCommand(FileMenuItem::SaveAs);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_FALSE(fs::exists(Path("new/Part.dxf")));
    EXPECT_EQ(State().CurrentFileName, Path("new/Part.QVL"));
}

// A failed save reports the reason and keeps the current name and
// the recent list (the old file itself is kept by the file layer).
TEST_F(FileCommandsTest, FailedSaveShowsTheSystemMessageAndKeepsEverything) {
    Put(Path("plain"), "a file where a folder should be");
    Put(Path("protected.qvl"), "old");  // write-protected, whoever runs the program
    fs::permissions(Path("protected.qvl"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // One missing folder level is made; two are not, and the message says so.
    const std::pair<std::string, int> cases[] = {
        {Path("plain/job.qvl"), ENOTDIR}, {Path("protected.qvl"), EACCES}, {Path("a/b/job.qvl"), ENOENT}};
    for (const auto& [target, error] : cases) {
        dialogs_.messages.clear();
        State().CurrentFileName = "/x/current.qvl";
        SetRecent({"/x/other.qvl", "/x/current.qvl"});
        dialogs_.ExpectSave(target);
        dialogs_.ExpectMessage(IdOk);
        SaveDataFile(SaveKind::SaveAs);
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        // A protected file also says how to get the job written.
        const std::string wayOut = error == EACCES ? ". Save as writes it under another name." : "";
        const std::string reason = error == ENOENT ? "The folder does not exist." : SystemErrorText(error) + wayOut;
        EXPECT_EQ(dialogs_.messages[0].prompt, target + ": " + reason);
        EXPECT_EQ(dialogs_.messages[0].style, MbExclamation);
        EXPECT_EQ(State().CurrentFileName, "/x/current.qvl");
        EXPECT_EQ(Recent(), (RecentList{"/x/current.qvl", "/x/other.qvl", RecentNotUsed, RecentNotUsed, RecentNotUsed}));
    }
    EXPECT_EQ(Contents(Path("protected.qvl")), "old");
}

// A file that fails a check changes nothing and leaves the list; one that
// cannot be read is reported with the system's reason and stays listed.
TEST_F(FileCommandsTest, FilesThatCannotBeOpenedChangeNothing) {
    const std::string good = WriteDataFileText(DataFileRecordOf(State()));
    const std::string path = Path("bad.qvl");
    std::string badValue = good;
    badValue.replace(badValue.find("\r\n21\r\n"), 6, "\r\n2l\r\n");  // upper diameter, line 6
    std::vector<std::tuple<std::string, std::string, bool>> cases = {  // text, message, stays listed
        {"\"VELX\"\r\n" + good.substr(8), path + ": not a data file!", false},
        {good.substr(0, good.size() / 2), path + ": damaged at line 22", false},
        {badValue, path + ": damaged at line 6 (\"2l\")", false}};
    if (::geteuid() != 0) cases.push_back({good, path + ": " + SystemErrorText(EACCES), true});  // made unreadable
    for (const auto& [text, message, staysListed] : cases) {
        Put(path, text);
        fs::permissions(path, staysListed ? fs::perms::none : fs::perms::owner_read | fs::perms::owner_write);
        dialogs_.messages.clear();
        State().Inputs.CylinderData[2] = 77;
        State().Settings.MeasuringSystem = 1;
        State().CurrentFileName = "/x/current.qvl";
        const std::string before = WriteDataFileText(DataFileRecordOf(State()));
        SetRecent({"/x/c.qvl", path});
        dialogs_.ExpectMessage(IdOk);
        std::string name = path;
        EXPECT_FALSE(OpenDataFile(name));
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].prompt, message);
        EXPECT_EQ(WriteDataFileText(DataFileRecordOf(State())), before);
        EXPECT_EQ(State().CurrentFileName, "/x/current.qvl");
        EXPECT_EQ(Recent()[0], staysListed ? path : "/x/c.qvl");
    }
    EXPECT_EQ(dialogs_.messages[0].style, MbCritical);
    EXPECT_EQ(dialogs_.messages[0].title, "VELM 2.1");
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
    DispatchFileCommand(RecentFileItem(3));  // the third entry
    EXPECT_EQ(State().Inputs.CylinderData[2], 30.0f);
    EXPECT_EQ(Recent(), (RecentList{names[2], names[0], names[1], names[3], names[4]}));

    fs::remove(names[1]);  // a listed file deleted since
    dialogs_.ExpectMessage(IdOk);
    DispatchFileCommand(RecentFileItem(3));
    EXPECT_EQ(dialogs_.messages.at(0).prompt, names[1] + ": not found!");
    EXPECT_EQ(Recent(), (RecentList{names[2], names[0], names[3], names[4], RecentNotUsed}));
}

// A name with ".." (as typed on a command line) opens the file once listed,
// and is shown and stored normalised, its case kept.
TEST_F(FileCommandsTest, OpenedNamesAreNormalisedNotLowerCased) {
    State().ShapeCode = ShapeNone;  // no shape window to open
    fs::create_directory(Path("Sub"));
    Put(Path("Job.QVL"), WriteDataFileText(DataFileRecordOf(State())));
    SetRecent({Path("Job.QVL"), Path("other.qvl")});
    std::string name = Path("Sub/..//./Job.QVL");
    ASSERT_TRUE(OpenDataFile(name));
    EXPECT_EQ(State().CurrentFileName, Path("Job.QVL"));
    EXPECT_EQ(Recent(), (RecentList{Path("Job.QVL"), Path("other.qvl"), RecentNotUsed, RecentNotUsed, RecentNotUsed}));

    State().CurrentFileName = Path("Sub/../Saved.QVL");
    DispatchFileCommand(FileMenuItem::Save);
    EXPECT_EQ(Contents(Path("Saved.QVL")), WriteDataFileText(DataFileRecordOf(State())));
    EXPECT_EQ(State().CurrentFileName, Path("Saved.QVL"));
    EXPECT_EQ(Recent()[0], Path("Saved.QVL"));
}

// Open and save dialogs start in the current file's folder, else the last
// folder a dialog chose (kept in the settings), else the home folder; never
// the program's own folder.
TEST_F(FileCommandsTest, DialogsStartNearTheUsersFiles) {
    const std::string home = QDir::homePath().toStdString();
    fs::create_directories(Path("jobs"));
    fs::create_directories(Path("current"));
    Put(Path("jobs/a.qvl"), WriteDataFileText(DataFileRecordOf(State())));
    State().ShapeCode = ShapeNone;  // no window to open
    const struct {
        const char* what;
        std::string current;  // CurrentFileName
        std::string start;    // where the dialogs start
    } cases[] = {
        {"nothing known yet", "", home},
        {"a current file", Path("current/b.qvl"), Path("current")},
        {"the last folder chosen", "", Path("jobs")},
        {"the current file's folder is gone", Path("gone/c.qvl"), Path("jobs")},
        {"the last folder is gone too", "", home},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) == "the last folder is gone too") fs::rename(Path("jobs"), Path("moved"));
        State().CurrentFileName = c.current;
        dialogs_.opens.clear();
        dialogs_.saves.clear();
        dialogs_.ExpectSaveCancel();
        SaveDataFile(SaveKind::SaveAs);
        dialogs_.ExpectOpen(std::string(c.what) == "a current file" ? Path("jobs/a.qvl") : "");
        DispatchFileCommand(FileMenuItem::Open);
        ASSERT_EQ(dialogs_.saves.size() + dialogs_.opens.size(), 2u);
        EXPECT_EQ(dialogs_.saves[0].initialDirectory, c.start);
        EXPECT_EQ(dialogs_.opens[0].initialDirectory, c.start);
        EXPECT_NE(fs::path(c.start), fs::current_path());
    }
    EXPECT_EQ(settings_.GetSetting("VELM.INI", "Recent Files", "LastFolder", ""), Path("jobs"));
}

TEST_F(FileCommandsTest, RecentMenuMirrorsTheList) {
    QWidget window;
    std::vector<QAction*> items(15, nullptr);
    for (int i = 9; i <= 14; ++i) {
        items[i] = new QAction(&window);
        items[i]->setObjectName(QStringLiteral("mnuFileItems(%1)").arg(i));
    }
    SetRecent({"/jobs/b.qvl", "/jobs/R&D.qvl"});
    RefreshRecentMenuIn(&window);
    EXPECT_EQ(items[10]->text().toStdString(), "/jobs/R&&D.qvl");  // not a shortcut mark
    EXPECT_EQ(items[11]->text().toStdString(), "/jobs/b.qvl");
    for (int i = 9; i <= 14; ++i) EXPECT_EQ(items[i]->isVisible(), i <= 11) << i;  // 9: the separator
}

}  // namespace
}  // namespace velm
