// What every cylinder and frustum window writes on itself when it loads (its
// title, its commands, the unit) and how the opener of a family answers
// codes inside and outside it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <string>

#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/language.h"
#include "frame/windows/shape_window.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

std::string S(const QString& s) { return s.toStdString(); }

struct Variant {
    std::int16_t code;
    TextSectionId title;
    int apply, develop, modify;  // LangCommon texts of the three commands
    bool weldSide;
};

const Variant Variants[] = {
    {ShapeCoRe, LangFrmCoRe, 1, 2, 3, false},           {ShapeCoTaSup, LangFrmCoTS, 1, 2, 3, true},
    {ShapeCoTaInf, LangFrmCoTI, 1, 2, 3, true},         {ShapeCoConcordi, LangFrmCoCon, 1, 2, 3, true},
    {ShapeCoDiscordi, LangFrmCoDis, 1, 2, 3, true},     {ShapeCiRe, LangFrmCiRe, 14, 15, 16, false},
    {ShapeCiTaSup, LangFrmCiTS, 14, 15, 16, true},      {ShapeCiConcordi, LangFrmCiCon, 14, 15, 16, true},
    {ShapeCiDiscordi, LangFrmCiDis, 14, 15, 16, true},
};

ShapeWindow* Opened(std::int16_t code) {
    QWidget* w = code >= ShapeCiRe ? CylinderWindow::Open(code) : ConeWindow::Open(code);
    return qobject_cast<ShapeWindow*>(w);
}

class ShapeWindowCaptionsTest : public AppFixture {
protected:
    void CheckCaptions(bool inches) {
        if (inches) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        for (const Variant& v : Variants) {
            SCOPED_TRACE(v.code);
            ShapeWindow* w = Opened(v.code);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(S(w->windowTitle()).rfind(Txt(v.title, 1), 0), 0u) << S(w->windowTitle());
            EXPECT_EQ(S(w->CmdApplica->text()), Txt(LangCommon, v.apply));
            EXPECT_EQ(S(w->CmdSviluppa->text()), Txt(LangCommon, v.develop));
            EXPECT_EQ(S(w->CmdModifica->text()), Txt(LangCommon, v.modify));
            EXPECT_EQ(S(w->CmdAnteprima->text()), Txt(LangCommon, 4));
            ASSERT_EQ(w->CmdSaldatura != nullptr, v.weldSide);
            if (w->CmdSaldatura) {
                EXPECT_EQ(S(w->CmdSaldatura->text()), Txt(LangCommon, 18));
            }
            EXPECT_EQ(S(w->LblUnMisura->text()), Txt(LangCommon, inches ? 10 : 9));
        }
    }
};

TEST_F(ShapeWindowCaptionsTest, CommandsTitleAndUnitInMillimetres) { CheckCaptions(false); }

TEST_F(ShapeWindowCaptionsTest, CommandsTitleAndUnitInInches) { CheckCaptions(true); }

TEST_F(ShapeWindowCaptionsTest, FamilyOpenerKeepsOneWindowPerCodeOfItsOwn) {
    ASSERT_TRUE(Start());
    for (const int outside : {0, 6, -1, 100}) EXPECT_EQ(ConeWindow::Open(outside), nullptr) << outside;
    for (const int outside : {5, 10, -1, 100}) EXPECT_EQ(CylinderWindow::Open(outside), nullptr) << outside;
    for (const Variant& v : Variants) {
        ShapeWindow* w = Opened(v.code);
        ASSERT_NE(w, nullptr) << v.code;
        EXPECT_EQ(w->ShapeCode(), v.code);
        EXPECT_EQ(Opened(v.code), w) << "a second opening finds the same window";
        for (const Variant& other : Variants) {
            if (other.code == v.code) continue;
            EXPECT_NE(Opened(other.code), w) << v.code << " " << other.code;
        }
    }
    // A window that has unloaded is replaced by a new one at the next opening.
    ShapeWindow* first = Opened(ShapeCiTaSup);
    first->Form_Unload();
    ShapeWindow* second = Opened(ShapeCiTaSup);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(second->Unloaded());
}

}  // namespace
}  // namespace velm
