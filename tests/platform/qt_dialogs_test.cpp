#include "platform/qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>
#include <tuple>
#include <vector>

#include "qt_application.h"

namespace velm {
namespace {

class QtDialogsTest : public testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
};

TEST_F(QtDialogsTest, StyleNumberGivesIconButtonsAndDefault) {
    struct Case { int style; QMessageBox::Icon icon; QMessageBox::StandardButtons buttons;
                  QMessageBox::StandardButton defaultButton; };
    const Case cases[] = {
        {MbCritical, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok},
        {MbYesNo + MbQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
        {3 + 512, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Cancel},  // third button the default
    };
    for (const auto& c : cases) {
        auto box = MakeMessageBox("Text", c.style, "Title");
        EXPECT_EQ(box->icon(), c.icon) << c.style;
        EXPECT_EQ(box->standardButtons(), c.buttons) << c.style;
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(c.defaultButton)) << c.style;
    }
    EXPECT_EQ(MakeMessageBox("x", 0, "")->windowTitle(), "VELM");
}

TEST_F(QtDialogsTest, AnswersAreTheMsgAnswerCodes) {
    const std::tuple<QMessageBox::StandardButton, int, int> clicks[] = {
        {QMessageBox::Cancel, MbOkCancel, 2}, {QMessageBox::Yes, MbYesNo, 6}, {QMessageBox::Retry, 2, 4}};
    for (const auto& [button, style, code] : clicks) {
        auto box = MakeMessageBox("?", style, "");
        box->button(button)->click();
        EXPECT_EQ(MessageBoxAnswer(*box), code) << button;
    }
    // Closed without a button: backing out.
    EXPECT_EQ(MessageBoxAnswer(*MakeMessageBox("?", MbYesNo, "")), IdNo);
}

TEST_F(QtDialogsTest, ShownMessageBoxReturnsTheClickedButton) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) box->button(QMessageBox::No)->click();
    });
    // Never hang the test run if the box did not come up; gone with the test.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* w = QApplication::activeModalWidget()) w->close();
    });
    guard.start(5000);
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.MessageBox("Replace?", MbYesNo + MbQuestion, "VELM"), IdNo);
}

TEST(BarListFilters, BecomeQtNameFilters) {
    EXPECT_EQ(NameFiltersFromBarList("Files VELM (*.qvl)|*.qvl|All files (*.*)|*.*"),
              QStringList({"Files VELM (*.qvl)", "All files (*.*)"}));

    const std::string filter = "Files VELM (*.qvl)|*.qvl|Files DXF (*.dxf)|*.dxf|All files (*.*)|*.*";
    EXPECT_EQ(FilterExtension(filter, 2), "dxf");
    EXPECT_EQ(FilterExtension(filter, 3), "");

    const std::pair<const char*, const char*> names[] = {
        {"/home/u/v1.2/part", "/home/u/v1.2/part.qvl"}, {"/home/u/part.dxf", "/home/u/part.dxf"}, {"", ""}};
    for (const auto& [in, out] : names) EXPECT_EQ(AddDefaultExtension(in, "qvl"), out) << in;
}

TEST(PagesToPrint, TheDialogsAnswerBecomesThePagesInOrder) {
    auto range = [](bool all, int from, int to, std::vector<int> pages = {}, int copies = 1) {
        return PrintRange{false, all, from, to, std::move(pages), copies, ""};
    };
    const struct {
        const char* name;
        PrintRange range;
        std::vector<int> pages;  // of 1 to 5
    } cases[] = {
        {"cancelled", PrintRange{}, {}},
        {"all", range(true, 2, 3), {1, 2, 3, 4, 5}},
        {"reversed", range(false, 4, 2), {2, 3, 4}},
        {"beyond both ends", range(false, 0, 9), {1, 2, 3, 4, 5}},
        {"list with copies", range(false, 2, 4, {2, 4}, 2), {2, 2, 4, 4}},
        {"list past the last", range(false, 4, 7, {4, 7}), {4}},
    };
    for (const auto& c : cases) EXPECT_EQ(PagesToPrint(c.range, 1, 5), c.pages) << c.name;
}

}  // namespace
}  // namespace velm
