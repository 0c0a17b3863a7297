#include "frame/windows/help_commands.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/help_contexts.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/version.h"
#include "frame/windows/frame_api.h"
#include "core/working_state.h"
#include "frame/windows/pictures.h"
#include "platform/help.h"
#include "platform/look.h"
#include "platform/services.h"
#include "platform/qt/qt_text.h"
#include "frame/windows/help_commands_texts.h"

namespace velm {

namespace {

// Help command numbers: contents, index search, one topic.
constexpr int HelpContents = 3;
constexpr int HelpPartialKey = 261;
constexpr int HelpContext = 1;

// The viewer's words from the language texts; a missing text keeps its default.
HelpLabels LanguageHelpLabels() {
    HelpLabels labels;
    auto take = [](std::string& label, const std::string& text) {
        if (!text.empty()) label = text;
    };
    take(labels.title, Txt(TextHelpTitle));
    take(labels.contentsTab, Txt(TextHelpContentsTab));
    take(labels.indexTab, Txt(TextHelpIndexTab));
    take(labels.indexPrompt, Txt(TextHelpIndexPrompt));
    take(labels.unreadableFile, Txt(TextHelpUnreadable));
    take(labels.missingTopic, Txt(TextHelpMissingTopic));
    return labels;
}

void RunHelp(int command, std::int32_t contextId) {
    Help* help = Platform().help;
    if (help == nullptr) return;
    const std::string file = HelpFilePath();
    help->SetLabels(LanguageHelpLabels());
    switch (command) {
        case HelpContents: help->ShowContents(file); break;
        case HelpPartialKey: help->ShowSearch(file, ""); break;
        case HelpContext: help->ShowTopic(file, contextId); break;
        default: break;
    }
}


std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The buttons take the focus when the pointer passes over them.
class FocusOnHover : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            if (auto* w = qobject_cast<QWidget*>(watched)) w->setFocus(Qt::MouseFocusReason);
        return false;
    }
};

class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent) : QDialog(parent) {
        setObjectName("ABOUT_BOX");
        setModal(true);
        setWindowTitle(Q(Txt(TextAboutTitle)));

        auto* logo = new QLabel;
        logo->setObjectName("PictureLogo");
        logo->setPixmap(SplashPicture().scaledToWidth(220, Qt::SmoothTransformation));
        logo->setAlignment(Qt::AlignTop);

        auto* program = new QLabel(QString(ProgramTitle).toUpper());
        program->setObjectName("Lbl_Program");
        QFont big = program->font();
        big.setPointSizeF(big.pointSizeF() * 1.8);
        big.setBold(true);
        program->setFont(big);
        auto* version = new QLabel(Q(std::string(ProgramTitle) + " " + Trimmed(VersionText)));
        version->setObjectName("Lbl_Version");

        auto* text = new QVBoxLayout;
        text->addWidget(program);
        text->addWidget(version);
        text->addSpacing(8);
        for (int i = 2; i <= 6; ++i) {
            auto* line = new QLabel(Q(Txt(TextAfter(TextAboutFirstLine, i - 2))));
            line->setObjectName(Q("Lbl_Tolva_Merix" + std::to_string(i)));
            text->addWidget(line);
        }
        text->addStretch(1);

        auto* ok = new QPushButton(Q(Txt(TextOk)));
        ok->setObjectName("Cmd_OK");
        ok->setDefault(true);
        auto* help = new QPushButton(Q(Txt(TextAboutHelp)));
        help->setObjectName("CmdHelp");
        auto* info = new QPushButton(Q(Txt(TextSystemInfo)));
        info->setObjectName("CmdInfo");
        auto* hover = new FocusOnHover(this);
        for (QPushButton* b : {ok, help, info}) {
            b->setMouseTracking(true);
            b->installEventFilter(hover);
        }
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(help, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContextAboutBox); });
        OpenTopicOnF1(this, HelpContextAboutBox);
        connect(info, &QPushButton::clicked, this, [] { StartSysInfo(); });

        auto* buttons = new QVBoxLayout;
        buttons->addWidget(ok);
        buttons->addWidget(help);
        buttons->addWidget(info);
        buttons->addStretch(1);

        auto* grid = new QGridLayout(this);
        grid->addWidget(logo, 0, 0);
        grid->addLayout(text, 0, 1);
        grid->addLayout(buttons, 0, 2);
        grid->setColumnStretch(1, 1);
        adjustSize();
    }
};

}  // namespace

std::string HelpFilePath() { return State().AppDir + "/VELM.HLP"; }

void DispatchHelpCommand(int index) {
    switch (index) {
        case 1: RunHelp(HelpContents, 0); break;
        case 2: RunHelp(HelpPartialKey, 0); break;
        case 5: ShowAboutBox(); break;
        default: break;
    }
}

void ShowHelpContext(std::int32_t contextId) { RunHelp(HelpContext, contextId); }

void OpenTopicOnF1(QWidget* dialog, std::int32_t contextId) {
    // An action of the dialog's own: its input boxes let it through (TextBox::IsWindowShortcut).
    auto* key = new QAction(dialog);
    key->setObjectName(QStringLiteral("HelpKey"));
    key->setShortcut(QKeySequence(Qt::Key_F1));
    key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QAction::triggered, dialog, [contextId] { ShowHelpContext(contextId); });
    dialog->addAction(key);
}

void ShowAboutBox() {
    AboutBox box(MainWindow());
    QWidget* owner = QApplication::activeWindow();
    CenterForm(owner ? owner : MainWindow(), &box);
    ClearHourglass();
    box.exec();
}

// No system-information program is known here: the button says so.
void StartSysInfo() {
    if (Platform().dialogs) Platform().dialogs->MessageBox(Txt(TextNoSystemInfo), MbOkOnly, ProgramTitle);
}

}  // namespace velm
