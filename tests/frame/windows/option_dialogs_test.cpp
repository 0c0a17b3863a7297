// The calculation-method and unit dialogs: what they show, what OK commits
// and stores, and what closing leaves alone.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "frame/language.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "frame/windows/frm_met_calcolo.h"
#include "frame/windows/frm_un_mis.h"
#include "frame/working_state.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

template <class W>
W* Find(QWidget* dialog, const QString& name) {
    W* w = dialog->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

QRadioButton* Option(QWidget* dialog, const char* array, int i) {
    return Find<QRadioButton>(dialog, QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i));
}

void DoubleClick(QWidget* w) {
    const QPointF pos(5, 5);
    QMouseEvent e(QEvent::MouseButtonDblClick, pos, w->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Key(QWidget* w, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

class OptionDialogsTest : public AppFixture {
protected:
    void StartWith(const std::vector<std::pair<std::string, std::string>>& system) {
        for (const auto& [key, value] : system) Seed("System", key, value);
        ASSERT_TRUE(Start());
        Wait(10);
    }
    std::string StoredSystem(const char* key) const { return Stored("System", key); }
};

TEST_F(OptionDialogsTest, MethodDialogShowsTheSettings) {
    StartWith({});
    struct Case {
        std::int16_t computing, diametri;
        float step;
        int fibre;  // the option selected
        const char* stepText;
    };
    const Case cases[] = {{0, 0, 0.25f, 0, "0.25"}, {1, 1, 1.0f, 1, "1"}, {2, 0, 10.0f, 2, "10"},
                          {5, 1, 0.1f, 2, "0.1"},   {-3, 0, 5.0f, 2, "5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.computing);
        State().Settings.ComputingSystem = c.computing;
        State().Settings.DiametriExt = c.diametri;
        State().Settings.AngleStep = c.step;
        FrmMetCalcolo dialog(MainWindow());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Option(&dialog, "Chkbox", i)->isChecked(), i == c.fibre) << i;
            const QColor note = Find<QLabel>(&dialog, QStringLiteral("LblNota(%1)").arg(i))->palette().color(QPalette::Window);
            EXPECT_EQ(note, i == c.fibre ? QColor(255, 255, 0) : QColor(192, 192, 192)) << i;
        }
        EXPECT_EQ(dialog.ChosenFibre(), c.fibre);
        EXPECT_TRUE(Option(&dialog, "OptDiametri", c.diametri)->isChecked());
        EXPECT_FALSE(Option(&dialog, "OptDiametri", 1 - c.diametri)->isChecked());
        EXPECT_EQ(Find<QComboBox>(&dialog, "ComboStep")->currentText().toStdString(), c.stepText);
        EXPECT_EQ(Find<QComboBox>(&dialog, "ComboStep")->count(), 8);
        EXPECT_EQ(dialog.ChosenStep(), c.step);
    }
}

TEST_F(OptionDialogsTest, MethodOkCommitsOnlyChanges) {
    StartWith({{"ComputingSystem", "1"}, {"DiametriExt", "0"}, {"AngleStep", "1"}});
    struct Case {
        const char* what;
        int fibre;      // option to choose, -1 none
        int diameters;  // option to choose, -1 none
        int stepIndex;  // combo entry to choose, -1 none
        const char* storedComputing;
        const char* storedDiametri;
        const char* storedStep;
        std::int16_t thicknessFactor;
        bool validAfter;  // DevelopmentValid was True before OK
    };
    const Case cases[] = {
        {"nothing changed", -1, -1, -1, "1", "0", "1", 1, true},
        {"outer fibre", 2, -1, -1, "2", "0", "1", 2, false},
        {"outer diameters", -1, 1, -1, "1", "1", "1", -1, false},
        {"step 0.25", -1, -1, 2, "1", "0", ".25", 1, false},
        {"inner fibre, outer diameters", 0, 1, -1, "0", "1", "1", -2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case starts from the same stored settings.
        Seed("System", "ComputingSystem", "1");
        Seed("System", "DiametriExt", "0");
        Seed("System", "AngleStep", "1");
        State().Settings.ComputingSystem = 1;
        State().Settings.DiametriExt = 0;
        State().Settings.AngleStep = 1.0f;
        State().ThicknessFactor = 1;
        State().DevelopmentValid = True16;

        FrmMetCalcolo dialog(MainWindow());
        if (c.fibre >= 0) Option(&dialog, "Chkbox", c.fibre)->click();
        if (c.diameters >= 0) Option(&dialog, "OptDiametri", c.diameters)->click();
        if (c.stepIndex >= 0) Find<QComboBox>(&dialog, "ComboStep")->setCurrentIndex(c.stepIndex);
        Find<QPushButton>(&dialog, "CmdOK")->click();

        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(StoredSystem("ComputingSystem"), c.storedComputing);
        EXPECT_EQ(StoredSystem("DiametriExt"), c.storedDiametri);
        EXPECT_EQ(StoredSystem("AngleStep"), c.storedStep);
        EXPECT_EQ(State().ThicknessFactor, c.thicknessFactor);
        EXPECT_EQ(State().DevelopmentValid, c.validAfter ? True16 : False16);
    }
}

TEST_F(OptionDialogsTest, MethodOkWithoutChangesKeepsAnInvalidDevelopmentAndWritesNothing) {
    StartWith({});
    State().DevelopmentValid = False16;
    FrmMetCalcolo dialog(MainWindow());
    Find<QPushButton>(&dialog, "CmdOK")->click();
    EXPECT_EQ(State().DevelopmentValid, False16);
    for (const char* key : {"ComputingSystem", "DiametriExt", "AngleStep"}) EXPECT_EQ(StoredSystem(key), "Not Used") << key;
}

TEST_F(OptionDialogsTest, StoredFibreOutOfRangeBecomesOuterOnOk) {
    StartWith({{"ComputingSystem", "5"}});
    ASSERT_EQ(State().Settings.ComputingSystem, 5);
    FrmMetCalcolo dialog(MainWindow());
    EXPECT_TRUE(Option(&dialog, "Chkbox", 2)->isChecked());
    Find<QPushButton>(&dialog, "CmdOK")->click();
    EXPECT_EQ(State().Settings.ComputingSystem, 2);
    EXPECT_EQ(StoredSystem("ComputingSystem"), "2");
    EXPECT_EQ(State().ThicknessFactor, 2);
}

TEST_F(OptionDialogsTest, CloseAndHelpChangeNothing) {
    StartWith({});
    State().DevelopmentValid = True16;
    {
        FrmMetCalcolo dialog(MainWindow());
        Option(&dialog, "Chkbox", 0)->click();
        Option(&dialog, "OptDiametri", 1)->click();
        Find<QComboBox>(&dialog, "ComboStep")->setCurrentIndex(0);
        Find<QPushButton>(&dialog, "CmdChiudi")->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        FrmUnMis dialog(MainWindow());
        Option(&dialog, "OptUnMisura", 1)->click();
        Find<QPushButton>(&dialog, "CmdChiudi")->click();
    }
    EXPECT_EQ(State().Settings.ComputingSystem, 1);
    EXPECT_EQ(State().Settings.DiametriExt, 0);
    EXPECT_EQ(State().Settings.AngleStep, 1.0f);
    EXPECT_EQ(State().Settings.MeasuringSystem, 0);
    EXPECT_EQ(State().DevelopmentValid, True16);
    for (const char* key : {"ComputingSystem", "DiametriExt", "AngleStep", "MeasuringSystem"})
        EXPECT_EQ(StoredSystem(key), "Not Used") << key;
}

TEST_F(OptionDialogsTest, StepBoxRefusesTypingButMovesWithTheArrows) {
    StartWith({});
    FrmMetCalcolo dialog(MainWindow());
    QComboBox* combo = Find<QComboBox>(&dialog, "ComboStep");
    ASSERT_EQ(combo->currentText(), "1");
    for (const auto& [key, text] : {std::pair{Qt::Key_3, "3"}, {Qt::Key_1, "1"}, {Qt::Key_5, "5"}, {Qt::Key_Home, ""}}) {
        Key(combo, key, QString::fromLatin1(text));
        EXPECT_EQ(combo->currentText(), "1") << text;
        EXPECT_EQ(dialog.ChosenStep(), 1.0f);
    }
    Key(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "2");
    EXPECT_EQ(dialog.ChosenStep(), 2.0f);
    Key(combo, Qt::Key_Up);
    Key(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), "0.5");
    EXPECT_EQ(dialog.ChosenStep(), 0.5f);
}

TEST_F(OptionDialogsTest, DoubleClickOnAnOptionActsAsOk) {
    StartWith({});
    State().DevelopmentValid = True16;
    {
        FrmMetCalcolo dialog(MainWindow());
        dialog.show();
        DoubleClick(Option(&dialog, "Chkbox", 0));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(StoredSystem("ComputingSystem"), "0");
    EXPECT_EQ(State().ThicknessFactor, 0);
    {
        FrmUnMis dialog(MainWindow());
        dialog.show();
        DoubleClick(Option(&dialog, "OptUnMisura", 1));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(StoredSystem("MeasuringSystem"), "1");
    EXPECT_EQ(State().DevelopmentValid, False16);
}

TEST_F(OptionDialogsTest, UnitDialogShowsAndStoresTheUnit) {
    StartWith({});
    struct Case {
        std::int16_t before;
        int shown;
        int choose;
        const char* stored;
        bool validAfter;
    };
    const Case cases[] = {{0, 0, 0, "Not Used", true}, {0, 0, 1, "1", false}, {1, 1, 0, "0", false},
                          {2, 1, 1, "1", false}, {1, 1, 1, "Not Used", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.choose);
        Settings().DeleteSetting("VELM.INI", "System", "MeasuringSystem");
        State().Settings.MeasuringSystem = c.before;
        State().DevelopmentValid = True16;
        FrmUnMis dialog(MainWindow());
        EXPECT_EQ(dialog.windowTitle().toStdString(), Txt(LangFrmUnMis, 1));
        EXPECT_TRUE(Option(&dialog, "OptUnMisura", c.shown)->isChecked());
        Option(&dialog, "OptUnMisura", c.choose)->click();
        Find<QPushButton>(&dialog, "CmdOK")->click();
        EXPECT_EQ(StoredSystem("MeasuringSystem"), c.stored);
        EXPECT_EQ(State().Settings.MeasuringSystem, c.before == c.choose ? c.before : c.choose);
        EXPECT_EQ(State().DevelopmentValid, c.validAfter ? True16 : False16);
    }
}

TEST_F(OptionDialogsTest, UnitCommandConvertsTheInputArraysOnlyWhenTheUnitChanged) {
    StartWith({});
    struct Step {
        int choose;
        float diameter;  // CylinderData(2) afterwards
    };
    // Through the toolbar button, with the modal dialog answered as a user would.
    for (const Step s : {Step{0, 20.0f}, Step{1, 20.0f / 25.4f}, Step{1, 20.0f / 25.4f}, Step{0, 20.0f}}) {
        QTimer::singleShot(0, [s] {
            auto* dialog = qobject_cast<FrmUnMis*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            DoubleClick(Option(dialog, "OptUnMisura", s.choose));
        });
        Mdi()->ToolBarClick(5);
        EXPECT_FLOAT_EQ(State().Inputs.CylinderData[2], s.diameter) << s.choose;
        EXPECT_EQ(State().Inputs.CylinderData[4], 10.0f);
        EXPECT_EQ(State().Settings.MeasuringSystem, s.choose);
    }
}

TEST_F(OptionDialogsTest, StepHint) {
    StartWith({});
    FrmMetCalcolo dialog(MainWindow());
    QWidget* step = Find<QLabel>(&dialog, "LblStep");
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), step->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(step, &move);
    EXPECT_EQ(Mdi()->Status().toStdString(), Txt(LangFrmMetCa, 7) + ": 0.1, 0.2, 0.25, 0.5, 1, 2, 5, 10");
    QApplication::sendEvent(&dialog, &move);
    EXPECT_EQ(Mdi()->Status(), QString());
}

}  // namespace
}  // namespace velm
