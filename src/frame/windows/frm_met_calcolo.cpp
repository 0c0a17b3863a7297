#include "frame/windows/frm_met_calcolo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/control_names.h"
#include "core/help_contexts.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "frame/windows/frame_api.h"
#include "core/working_state.h"
#include "platform/services.h"
#include "frame/windows/frm_met_calcolo_texts.h"

namespace velm {

namespace {

const char* const kSteps[8] = {"0.1", "0.2", "0.25", "0.5", "1", "2", "5", "10"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "0.1, 0.2, ..., 10": the steps the list offers, for the hint.
std::string StepList() {
    std::string list;
    for (const char* step : kSteps) list += (list.empty() ? "" : ", ") + std::string(step);
    return list;
}

void SetBackground(QLabel* label, QColor colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colour);
    label->setPalette(pal);
}

// The keys that move through the step list; the list cannot be typed into.
bool StepKeyPasses(int key) {
    switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: return true;
        default: return false;
    }
}

}  // namespace

FrmMetCalcolo::FrmMetCalcolo(QWidget* parent)
    : OptionDialog("FrmMetCalcolo", HelpContextFrmMetCalcolo, parent) {
    auto* fibres = new QGridLayout(MakeFrame1());
    // Outer fibre at the top, as the plate is seen from outside in.
    for (int row = 0, i = OuterFibre; i >= InnerFibre; --i, ++row) {
        Chkbox[i] = MakeOption(Frame1, "Chkbox", i, [this](int index) { Chkbox_Click(index); });
        LblNota[i] = new QLabel(Frame1);
        LblNota[i]->setObjectName(Q(IndexedName("LblNota", i)));
        LblNota[i]->setAutoFillBackground(true);
        LblNota[i]->setAlignment(Qt::AlignCenter);
        LblNota[i]->setMinimumWidth(80);
        LblNota[i]->setFrameShape(QFrame::Panel);
        LblNota[i]->setFrameShadow(QFrame::Sunken);
        SetBackground(LblNota[i], QColor(192, 192, 192));
        fibres->addWidget(Chkbox[i], row, 0);
        fibres->addWidget(LblNota[i], row, 1);
    }
    LblEsempio = new QLabel(Frame1);
    LblEsempio->setObjectName(QStringLiteral("LblEsempio"));
    LblEsempio->setWordWrap(true);
    fibres->addWidget(LblEsempio, 3, 0, 1, 2);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* diameters = new QHBoxLayout(Frame2);
    for (int i = 1; i >= 0; --i) {
        OptDiametri[i] = MakeOption(Frame2, "OptDiametri", i, [this](int index) { OptDiametri_Click(index); });
        diameters->addWidget(OptDiametri[i]);
    }

    LblStep = new QLabel(this);
    LblStep->setObjectName(QStringLiteral("LblStep"));
    LblStep->setMouseTracking(true);
    LblStep->installEventFilter(this);
    Hints().Call(LblStep, [] { SetStatusText(Txt(TextAngleStepHint) + ": " + StepList()); });
    ComboStep = new QComboBox(this);
    ComboStep->setObjectName(QStringLiteral("ComboStep"));
    ComboStep->setEditable(false);
    ComboStep->installEventFilter(this);
    ComboStep->view()->installEventFilter(this);
    connect(ComboStep, &QComboBox::currentIndexChanged, this, [this] { ComboStep_Click(); });
    auto* step = new QHBoxLayout;
    step->addWidget(LblStep);
    step->addWidget(ComboStep);
    step->addStretch();

    QHBoxLayout* buttons = MakeButtonRow();
    buttons->insertStretch(0);

    auto* main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addWidget(Frame2);
    main->addLayout(step);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

void FrmMetCalcolo::Form_Load() {
    setWindowTitle(Q(Txt(TextMethodTitle)));
    Chkbox[OuterFibre]->setText(Q(Txt(TextOuter)));
    Chkbox[MeanFibre]->setText(Q(Txt(TextMeanFibre)));
    Chkbox[InnerFibre]->setText(Q(Txt(TextInner)));
    LblEsempio->setText(Q(Txt(TextMethodExample)));
    LblNota[InnerFibre]->setText(Q(Txt(TextInnerFibreNote)));
    LblNota[MeanFibre]->setText(Q(Txt(TextMeanFibreNote)));
    LblNota[OuterFibre]->setText(Q(Txt(TextOuterFibreNote)));
    LblStep->setText(Q(Txt(TextAngleStep) + " [\xC2\xB0]"));
    Frame1->setTitle(Q(Txt(TextFibreFrame)));
    Frame2->setTitle(Q(Txt(TextDiametersFrame)));
    OptDiametri[OuterDiameters]->setText(Q(Txt(TextOuter)));
    OptDiametri[InnerDiameters]->setText(Q(Txt(TextInner)));
    CaptionButtons();

    const SettingsCache& settings = State().Settings;
    ComboStep->blockSignals(true);
    ComboStep->clear();
    for (const char* s : kSteps) ComboStep->addItem(QString::fromLatin1(s));
    chosenStep_ = settings.AngleStep;
    ComboStep->setCurrentIndex(ComboStep->findText(Q(FormatFixed2(settings.AngleStep))));
    ComboStep->blockSignals(false);
    LblStep->setEnabled(true);
    ComboStep->setEnabled(true);

    adjustSize();
    CenterForm(MainWindow(), this);

    const std::int16_t fibre = settings.ComputingSystem;
    Chkbox[fibre == InnerFibre ? InnerFibre : fibre == MeanFibre ? MeanFibre : OuterFibre]->setChecked(true);
    if (settings.DiametriExt == InnerDiameters || settings.DiametriExt == OuterDiameters)
        OptDiametri[settings.DiametriExt]->setChecked(true);
}

void FrmMetCalcolo::Chkbox_Click(int index) {
    chosenFibre_ = static_cast<std::int16_t>(index);
    for (QLabel* note : LblNota) SetBackground(note, QColor(192, 192, 192));
    SetBackground(LblNota[index], QColor(255, 255, 0));
}

void FrmMetCalcolo::OptDiametri_Click(int index) { chosenDiameters_ = static_cast<std::int16_t>(index); }

void FrmMetCalcolo::ComboStep_Click() {
    chosenStep_ = static_cast<float>(ReadNumber(ComboStep->currentText().toStdString()));
}

void FrmMetCalcolo::CmdOK_Click() {
    WorkingState& st = State();
    SettingsCache& s = st.Settings;
    SettingsStore* store = Platform().settings;
    bool valid = st.DevelopmentValid != False16;
    if (s.ComputingSystem != chosenFibre_) {
        s.ComputingSystem = chosenFibre_;
        st.ThicknessFactor = DeriveThicknessFactor(s);
        if (store) SaveComputingSystem(*store, s.ComputingSystem);
        valid = false;
    }
    if (s.DiametriExt != chosenDiameters_) {
        s.DiametriExt = chosenDiameters_;
        st.ThicknessFactor = DeriveThicknessFactor(s);
        if (store) SaveDiametriExt(*store, s.DiametriExt);
        valid = false;
    }
    if (s.AngleStep != chosenStep_) {
        s.AngleStep = chosenStep_;
        if (store) SaveAngleStep(*store, s.AngleStep);
        valid = false;
    }
    st.DevelopmentValid = valid ? True16 : False16;
    EnableFileCommands(true);
    accept();
}

bool FrmMetCalcolo::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (watched == ComboStep || watched == ComboStep->view())
                if (!StepKeyPasses(static_cast<QKeyEvent*>(event)->key())) return true;
            break;
        default: break;
    }
    return OptionDialog::eventFilter(watched, event);
}

void ShowCalculationMethodDialog() {
    FrmMetCalcolo dialog(MainWindow());
    dialog.exec();
}

}  // namespace velm
