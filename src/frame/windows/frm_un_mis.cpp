#include "frame/windows/frm_un_mis.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frame/help_contexts.h"
#include "frame/language.h"
#include "frame/settings.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/help_commands.h"
#include "frame/working_state.h"
#include "platform/services.h"

namespace velm {

FrmUnMis::FrmUnMis(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmUnMis"));
    setModal(true);
    setMouseTracking(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);
    auto* units = new QVBoxLayout(Frame1);
    for (int i = 0; i < 2; ++i) {
        OptUnMisura[i] = new QRadioButton(Frame1);
        OptUnMisura[i]->setObjectName(QStringLiteral("OptUnMisura(%1)").arg(i));
        OptUnMisura[i]->installEventFilter(this);
        units->addWidget(OptUnMisura[i]);
        connect(OptUnMisura[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) OptUnMisura_Click(i);
        });
    }

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

    auto* main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

void FrmUnMis::Form_Load() {
    setWindowTitle(QString::fromStdString(Txt(LangFrmUnMis, 1)));
    OptUnMisura[0]->setText(QString::fromStdString(Txt(LangFrmUnMis, 4)));
    OptUnMisura[1]->setText(QString::fromStdString(Txt(LangFrmUnMis, 5)));
    CmdOK->setText(QString::fromStdString(Txt(LangCommon, 7)));
    CmdChiudi->setText(QString::fromStdString(Txt(LangCommon, 8)));
    adjustSize();
    CenterForm(MainWindow(), this);
    OptUnMisura[State().Settings.MeasuringSystem != 0 ? 1 : 0]->setChecked(true);
}

void FrmUnMis::OptUnMisura_Click(int index) { chosenUnit_ = static_cast<std::int16_t>(index); }

void FrmUnMis::CmdOK_Click() {
    WorkingState& st = State();
    if (st.Settings.MeasuringSystem != chosenUnit_) {
        st.Settings.MeasuringSystem = chosenUnit_;
        if (SettingsStore* store = Platform().settings) SaveMeasuringSystem(*store, chosenUnit_);
        st.DevelopmentValid = False16;
    }
    EnableFileCommands(true);
    accept();
}

void FrmUnMis::CmdChiudi_Click() { reject(); }

void FrmUnMis::CmdHelp_Click() { ShowHelpContext(HelpContextFrmUnMis); }

void FrmUnMis::mouseMoveEvent(QMouseEvent* event) {
    SetStatusText("");
    QDialog::mouseMoveEvent(event);
}

bool FrmUnMis::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (auto* option : OptUnMisura)
            if (watched == option) {
                option->setChecked(true);
                CmdOK_Click();
                return true;
            }
    }
    if (event->type() == QEvent::MouseMove && watched == Frame1) SetStatusText("");
    return QDialog::eventFilter(watched, event);
}

void ShowUnitDialog() {
    FrmUnMis dialog(MainWindow());
    dialog.exec();
}

}  // namespace velm
