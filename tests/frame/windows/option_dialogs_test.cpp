// The calculation-method and unit dialogs: what they show, what OK commits
// and stores, and what closing leaves alone.
#include <QComboBox>
#include <QRadioButton>
#include <tuple>

#include "frame/command_registry.h"
#include "frame/windows/frm_met_calcolo.h"
#include "frame/windows/frm_un_mis.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

QRadioButton* Option(QWidget* dialog, const char* array, int i) {
    auto* w = dialog->findChild<QRadioButton*>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i));
    EXPECT_NE(w, nullptr) << array << i;
    return w;
}
QComboBox* Step(QWidget* dialog) { return dialog->findChild<QComboBox*>("ComboStep"); }
void Press(QWidget* dialog, const char* button) { dialog->findChild<QPushButton*>(button)->click(); }

class OptionDialogsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    std::string StoredSystem(const char* key) const { return Stored("System", key); }
};

// OK stores and applies only what changed; a change makes the development invalid.
TEST_F(OptionDialogsTest, MethodOkCommitsOnlyChanges) {
    const char* const nu = "Not Used";
    const struct {
        const char* what;
        std::int16_t computingBefore;
        int fibre, diameters, stepIndex;  // chosen; -1: left as shown
        const char *storedComputing, *storedDiametri, *storedStep;
        std::int16_t thicknessFactor;
        bool validBefore, validAfter;
    } cases[] = {
        {"nothing changed", 1, -1, -1, -1, nu, nu, nu, 1, true, true},
        {"step 0.25", 1, -1, -1, 2, nu, nu, ".25", 1, true, false},
        {"inner fibre, outer diameters", 1, 0, 1, -1, "0", "1", nu, -2, true, false},
        {"stored fibre out of range", 5, -1, -1, -1, "2", nu, nu, 2, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* key : {"ComputingSystem", "DiametriExt", "AngleStep"}) Settings().DeleteSetting("VELM.INI", "System", key);
        State().Settings.ComputingSystem = c.computingBefore;
        State().Settings.DiametriExt = 0;
        State().Settings.AngleStep = 1.0f;
        State().ThicknessFactor = 1;
        State().DevelopmentValid = c.validBefore ? True16 : False16;

        FrmMetCalcolo dialog(MainWindow());
        if (c.fibre >= 0) Option(&dialog, "Chkbox", c.fibre)->click();
        if (c.diameters >= 0) Option(&dialog, "OptDiametri", c.diameters)->click();
        if (c.stepIndex >= 0) Step(&dialog)->setCurrentIndex(c.stepIndex);
        Press(&dialog, "CmdOK");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(StoredSystem("ComputingSystem"), c.storedComputing);
        EXPECT_EQ(StoredSystem("DiametriExt"), c.storedDiametri);
        EXPECT_EQ(StoredSystem("AngleStep"), c.storedStep);
        EXPECT_EQ(State().ThicknessFactor, c.thicknessFactor);
        EXPECT_EQ(State().DevelopmentValid, c.validAfter ? True16 : False16);
    }
}

// The unit dialog's OK stores a changed unit and invalidates the development
// (DXF and ISO go off with it); the same unit leaves both alone.
TEST_F(OptionDialogsTest, UnitOkInvalidatesTheDevelopmentOnlyOnAChange) {
    RegisterCommand(RegisteredCommand::DxfExport, [](const std::string&) {});
    RegisterCommand(RegisteredCommand::IsoExport, [](const std::string&) {});
    const struct { std::int16_t before; int chosen; bool validAfter; const char* stored; } cases[] = {
        {0, 0, true, "Not Used"}, {0, 1, false, "1"}, {1, 1, true, "Not Used"}, {1, 0, false, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + " to " + std::to_string(c.chosen));
        Settings().DeleteSetting("VELM.INI", "System", "MeasuringSystem");
        State().Settings.MeasuringSystem = c.before;
        State().ShapeCode = ShapeCiTaSup;
        State().DevelopmentValid = True16;
        UpdateMdiState();
        ASSERT_TRUE(Mdi()->FileItem(FileMenuItem::SaveDxf)->isEnabled());
        FrmUnMis dialog(MainWindow());
        Option(&dialog, "OptUnMisura", c.chosen)->click();
        Press(&dialog, "CmdOK");
        EXPECT_EQ(State().Settings.MeasuringSystem, c.chosen);
        EXPECT_EQ(StoredSystem("MeasuringSystem"), c.stored);
        EXPECT_EQ(State().DevelopmentValid, c.validAfter ? True16 : False16);
        EXPECT_EQ(Mdi()->FileItem(FileMenuItem::SaveDxf)->isEnabled() &&
                      Mdi()->FileItem(FileMenuItem::SaveIso)->isEnabled(),
                  c.validAfter);
        EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::Save)->isEnabled());
    }
}

// The step label names the steps the list offers; the first frame empties
// the line.
TEST_F(OptionDialogsTest, HintsOfTheStepLabelAndTheFirstFrame) {
    FrmMetCalcolo method(MainWindow());
    FrmUnMis unit(MainWindow());
    const struct {
        QWidget* control;
        std::string status;
    } cases[] = {
        {method.findChild<QWidget*>("LblStep"), Txt(LangFrmMetCa, 7) + ": 0.1, 0.2, 0.25, 0.5, 1, 2, 5, 10"},
        {method.findChild<QWidget*>("Frame1"), ""},
        {unit.findChild<QWidget*>("Frame1"), ""},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.control, nullptr);
        SCOPED_TRACE(wt::S(c.control->objectName()));
        SetStatusText("before");
        wt::MoveOver(c.control);
        EXPECT_EQ(wt::Status(), c.status);
    }
}

TEST_F(OptionDialogsTest, CloseChangesNothing) {
    State().DevelopmentValid = True16;
    {
        FrmMetCalcolo dialog(MainWindow());
        Option(&dialog, "Chkbox", 0)->click();
        Option(&dialog, "OptDiametri", 1)->click();
        Step(&dialog)->setCurrentIndex(0);
        SetStatusText("a hint of the dialog");
        Press(&dialog, "CmdChiudi");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(wt::Status(), "") << "the hint went with the dialog";
    }
    {
        FrmUnMis dialog(MainWindow());
        Option(&dialog, "OptUnMisura", 1)->click();
        Press(&dialog, "CmdChiudi");
    }
    const SettingsCache& s = State().Settings;
    EXPECT_EQ(std::tuple(s.ComputingSystem, s.DiametriExt, s.AngleStep, s.MeasuringSystem), std::tuple(1, 0, 1.0f, 0));
    EXPECT_EQ(State().DevelopmentValid, True16);
    for (const char* key : {"ComputingSystem", "DiametriExt", "AngleStep", "MeasuringSystem"})
        EXPECT_EQ(StoredSystem(key), "Not Used") << key;
}

}  // namespace
}  // namespace velm
