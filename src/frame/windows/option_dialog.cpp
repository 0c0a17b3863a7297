#include "frame/windows/option_dialog.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "core/control_names.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/help_commands.h"

namespace velm {

OptionDialog::OptionDialog(const char* name, int helpContext, QWidget* parent)
    : QDialog(parent), helpContext_(helpContext) {
    setObjectName(QString::fromLatin1(name));
    setModal(true);
    setMouseTracking(true);
    OpenTopicOnF1(this, helpContext);
}

QGroupBox* OptionDialog::MakeFrame1() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);
    hints_.Clear(Frame1);
    return Frame1;
}

QRadioButton* OptionDialog::MakeOption(QWidget* frame, const char* name, int index,
                                       std::function<void(int)> chosen) {
    auto* option = new QRadioButton(frame);
    option->setObjectName(QString::fromStdString(IndexedName(name, index)));
    option->installEventFilter(this);
    connect(option, &QRadioButton::toggled, this, [chosen = std::move(chosen), index](bool on) {
        if (on) chosen(index);
    });
    options_.push_back(option);
    return option;
}

QHBoxLayout* OptionDialog::MakeButtonRow() {
    CmdOK = new QPushButton(this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    CmdChiudi = new QPushButton(this);
    CmdChiudi->setObjectName(QStringLiteral("CmdChiudi"));
    CmdHelp = new QPushButton(QStringLiteral("Help"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setAutoDefault(false);
    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
    connect(CmdChiudi, &QPushButton::clicked, this, [this] { CmdChiudi_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdChiudi);
    buttons->addWidget(CmdHelp);
    return buttons;
}

void OptionDialog::CaptionButtons() {
    CmdOK->setText(QString::fromStdString(Txt(TextOk)));
    CmdChiudi->setText(QString::fromStdString(Txt(TextClose)));
}

void OptionDialog::CmdChiudi_Click() { reject(); }

void OptionDialog::CmdHelp_Click() { ShowHelpContext(helpContext_); }

bool OptionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QRadioButton* option : options_)
            if (watched == option) {
                option->setChecked(true);
                CmdOK_Click();
                return true;
            }
    }
    if (event->type() == QEvent::MouseMove && hints_.Show(watched)) return true;
    return QDialog::eventFilter(watched, event);
}

void OptionDialog::done(int result) {
    SetStatusText("");
    QDialog::done(result);
}

void OptionDialog::mouseMoveEvent(QMouseEvent* event) {
    SetStatusText("");
    QDialog::mouseMoveEvent(event);
}

}  // namespace velm
