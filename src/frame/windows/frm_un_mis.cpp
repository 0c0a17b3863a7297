#include "frame/windows/frm_un_mis.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/help_contexts.h"
#include "core/language.h"
#include "core/settings.h"
#include "frame/windows/frame_api.h"
#include "core/working_state.h"
#include "platform/services.h"
#include "frame/windows/frm_un_mis_texts.h"

namespace velm {

FrmUnMis::FrmUnMis(QWidget* parent) : OptionDialog("FrmUnMis", HelpContextFrmUnMis, parent) {
    auto* units = new QVBoxLayout(MakeFrame1());
    for (int i = MillimetreUnit; i <= InchUnit; ++i) {
        OptUnMisura[i] = MakeOption(Frame1, "OptUnMisura", i, [this](int index) { OptUnMisura_Click(index); });
        units->addWidget(OptUnMisura[i]);
    }

    auto* main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addLayout(MakeButtonRow());
    main->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

void FrmUnMis::Form_Load() {
    setWindowTitle(QString::fromStdString(Txt(TextUnitTitle)));
    OptUnMisura[MillimetreUnit]->setText(QString::fromStdString(Txt(TextMillimetres)));
    OptUnMisura[InchUnit]->setText(QString::fromStdString(Txt(TextInches)));
    CaptionButtons();
    adjustSize();
    CenterForm(MainWindow(), this);
    OptUnMisura[State().Settings.MeasuringSystem != MillimetreUnit ? InchUnit : MillimetreUnit]->setChecked(true);
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

void ShowUnitDialog() {
    FrmUnMis dialog(MainWindow());
    dialog.exec();
}

}  // namespace velm
