#include "output/windows/frm_taratura.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/control_names.h"
#include "core/help_contexts.h"
#include "core/input_fields.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/working_state.h"
#include "frame/command_registry.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/help_commands.h"
#include "frame/windows/input_services.h"
#include "frame/windows/window_design.h"
#include "output/print_job.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_box.h"
#include "platform/services.h"
#include "output/windows/frm_taratura_texts.h"

namespace velm {

namespace {

constexpr int DialogWidth = 440;
constexpr int DialogHeight = 432;
constexpr int SheetTop0 = 72;   // PctFoglio(0) on the window
constexpr int SheetTop1 = 84;   // PctFoglio(1) in FrameTaratura
constexpr int FrameTop = 186;

QLabel* TrackedLabel(QWidget* parent, const std::string& name) {
    auto* label = Named(new QLabel(parent), name);
    label->setMouseTracking(true);
    return label;
}

std::string Length(float value) { return FormatLength(value, State().Settings.MeasuringSystem); }

// A value and its unit label placed above (width) or beside (length) a sheet picture.
void PlaceAbove(QWidget* value, QLabel* unit, const QRect& sheet) {
    const int w = value->width();
    value->move(sheet.center().x() - w / 2, sheet.top() - value->height() - 4);
    unit->move(value->geometry().right() + 4, value->y() + (value->height() - unit->height()) / 2);
}
void PlaceBeside(QWidget* value, QLabel* unit, const QRect& sheet) {
    value->move(sheet.right() + 10, sheet.center().y() - value->height() / 2);
    unit->move(value->geometry().right() + 4, value->y() + (value->height() - unit->height()) / 2);
}

}  // namespace

ShapeRectangle::ShapeRectangle(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void ShapeRectangle::SetBorderColor(QColor colour) {
    colour_ = colour;
    update();
}

void ShapeRectangle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

FrmTaratura::FrmTaratura(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTaratura"));
    BuildControls();
    OpenTopicOnF1(this, HelpContextCalibration);  // the dialog has no Help button
    Form_Load();
}

void FrmTaratura::BuildControls() {
    setMouseTracking(true);
    setFixedSize(DialogWidth, DialogHeight);
    Label1 = TrackedLabel(this, "Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(12, 8, DialogWidth - 24, 34);
    AddSheet(this, NominalSheet);
    LblLarghezza = TrackedLabel(this, "LblLarghezza");
    LblLunghezza = TrackedLabel(this, "LblLunghezza");
    for (QLabel* value : {LblLarghezza, LblLunghezza}) {
        value->resize(60, 20);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    BuildMeasureFrame();
    for (int i = NominalWidthUnit; i <= MeasuredLengthUnit; ++i) {
        QWidget* parent = i <= NominalLengthUnit ? static_cast<QWidget*>(this) : FrameTaratura;
        QLabel* unit = TrackedLabel(parent, IndexedName("LblUnita", i));
        unit->resize(40, 20);
        LblUnita.push_back(unit);
    }
    BuildCommands();
    WireMeasureBox(TxtLarghezza, true);
    WireMeasureBox(TxtLunghezza, false);
    hints_.Text(CmdStampa, TextTestPrintHint)
        .Text(CmdOK, TextSaveCalibrationHint)
        .Text(CmdDefault, TextStandardFactorsHint)
        .Text(CmdChiudi, TextCloseUnsavedHint);
}

void FrmTaratura::AddSheet(QWidget* parent, int index) {
    auto* page = Named(new QWidget(parent), IndexedName("PctFoglio", index));
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, Qt::white);
    page->setPalette(white);
    page->setMouseTracking(true);
    page->installEventFilter(this);
    PctFoglio.push_back(page);
    ShpRettangolo.push_back(Named(new ShapeRectangle(page), IndexedName("ShpRettangolo", index)));
}

void FrmTaratura::BuildMeasureFrame() {
    FrameTaratura = Named(new QGroupBox(this), "FrameTaratura");
    FrameTaratura->setGeometry(8, FrameTop, DialogWidth - 16, 196);
    FrameTaratura->setMouseTracking(true);
    FrameTaratura->installEventFilter(this);
    Label2 = TrackedLabel(FrameTaratura, "Label2");
    Label2->setWordWrap(true);
    Label2->setGeometry(10, 16, FrameTaratura->width() - 20, 34);
    AddSheet(FrameTaratura, MeasuredSheet);
    TxtLarghezza = Named(new TextBox(FrameTaratura), "TxtLarghezza");
    TxtLunghezza = Named(new TextBox(FrameTaratura), "TxtLunghezza");
    for (TextBox* box : {TxtLarghezza, TxtLunghezza}) box->resize(70, box->sizeHint().height());
    Label3 = TrackedLabel(FrameTaratura, "Label3");
    Label3->setWordWrap(true);
    Label3->setGeometry(262, 96, FrameTaratura->width() - 272, 70);
}

void FrmTaratura::BuildCommands() {
    auto button = [this](const char* name, int left, int top) {
        auto* b = Named(new QPushButton(this), name);
        b->setGeometry(left, top, 124, 30);
        b->setAutoDefault(false);
        b->setMouseTracking(true);
        b->installEventFilter(this);
        return b;
    };
    CmdStampa = button("CmdStampa", DialogWidth - 144, 104);
    const int bottom = DialogHeight - 42;
    CmdOK = button("CmdOK", 12, bottom);
    CmdDefault = button("CmdDefault", (DialogWidth - 124) / 2, bottom);
    CmdChiudi = button("CmdChiudi", DialogWidth - 136, bottom);
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
    connect(CmdDefault, &QPushButton::clicked, this, [this] { CmdDefault_Click(); });
    connect(CmdChiudi, &QPushButton::clicked, this, [this] { CmdChiudi_Click(); });
}

void FrmTaratura::WireMeasureBox(TextBox* box, bool width) {
    auto limits = [this, width] { return width ? std::pair(cal_.MinWidth, cal_.MaxWidth) : std::pair(cal_.MinLength, cal_.MaxLength); };
    // No value above 110 % can be typed.
    box->OnKeyDown = [box, limits](int& keyCode, int) {
        if (keyCode != KeyCodeDelete) return;
        const std::int16_t decimals = DecimalPlaces(State().Settings.MeasuringSystem);
        if (FilterDecimalKey(BoxStateOf(*box), 0, limits().second, decimals, KeyDeleteFilter)) keyCode = 0;
    };
    box->OnKeyPress = [box, limits](int& keyAscii) {
        const std::int16_t decimals = DecimalPlaces(State().Settings.MeasuringSystem);
        if (FilterDecimalKey(BoxStateOf(*box), 0, limits().second, decimals, keyAscii)) keyAscii = 0;
    };
    box->OnChange = [this] { MeasureChanged(); };
    // None below 90 % is left in the box.
    box->OnLostFocus = [box, limits] {
        const float min = limits().first;
        if (ReadNumber(box->Text()) >= min) return;
        Beep();
        box->SetText(Length(min));
    };
    box->OnMouseMove = [box, limits, width](int, int, int, int) {
        const auto [min, max] = limits();
        SetStatusText(Txt(width ? TextMeasuredWidth : TextMeasuredLength) + " (" + Length(min) + " - " + Length(max) + ")");
        box->setFocus();
    };
}

void FrmTaratura::MeasureChanged() {
    if (writingBoxes_) return;
    if (!cal_.MeasureEdited) Label3->setEnabled(true);
    cal_.MeasureEdited = true;
}

void FrmTaratura::SetCalibrationCaptions() {
    setWindowTitle(Q(Txt(TextCalibrationTitle)));
    Label1->setText(Q(Txt(TextCalibrationStep1) + "."));
    Label2->setText(Q(Txt(TextCalibrationStep2) + " " + Txt(TextCalibrationStep2End) + "."));
    Label3->setText(Q(Txt(TextCalibrationStep3) + ". " + Txt(TextCalibrationStep3Next) + " " + Txt(TextCalibrationStep3End) + "."));
    const std::string unit = Txt(State().Settings.MeasuringSystem == 1 ? TextInchSymbol : TextMillimetreSymbol);
    for (QLabel* l : LblUnita) l->setText(Q(unit));
    CmdStampa->setText(Q(Txt(TextTestPrint)));
    CmdOK->setText(Q(Txt(TextOk)));
    CmdChiudi->setText(Q(Txt(TextClose)));
    CmdDefault->setText(Q(Txt(TextStandardValues)));
}

void FrmTaratura::Form_Load() {
    SetCalibrationCaptions();
    CenterForm(MainWindow(), this);
    const WorkingState& st = State();
    Printer* printer = Platform().printer;
    printer->EndDocument();
    cal_ = LoadCalibration(printer->PageMillimetres(), st.Settings.MeasuringSystem, st.Settings.SettingXPrinter,
                           st.Settings.SettingYPrinter);
    LayoutCalibrationSheet();
    ShowNominalValues();
    EnableMeasureControls(false);
    cal_.MeasureEdited = false;
}

void FrmTaratura::LayoutCalibrationSheet() {
    // Twips of the window's design: the page picture and its rectangle.
    const bool portrait = cal_.PortraitPage;
    const int left0 = Px(portrait ? 840 : 480), left1 = Px(portrait ? 600 : 240);
    const int w = Px(portrait ? 1215 : 1575), h = Px(portrait ? 1455 : 1095);
    const int rw = Px(portrait ? 975 : 1335), rh = Px(portrait ? 1215 : 855);
    PctFoglio[NominalSheet]->setGeometry(left0, SheetTop0, w, h);
    PctFoglio[MeasuredSheet]->setGeometry(left1, SheetTop1, w, h);
    for (ShapeRectangle* r : ShpRettangolo) r->setGeometry((w - rw) / 2, (h - rh) / 2, rw, rh);
    PlaceAbove(LblLarghezza, LblUnita[NominalWidthUnit], PctFoglio[NominalSheet]->geometry());
    PlaceBeside(LblLunghezza, LblUnita[NominalLengthUnit], PctFoglio[NominalSheet]->geometry());
    PlaceAbove(TxtLarghezza, LblUnita[MeasuredWidthUnit], PctFoglio[MeasuredSheet]->geometry());
    PlaceBeside(TxtLunghezza, LblUnita[MeasuredLengthUnit], PctFoglio[MeasuredSheet]->geometry());
}

void FrmTaratura::ShowNominalValues() {
    LblLarghezza->setText(Q(Length(cal_.NominalWidth)));
    LblLunghezza->setText(Q(Length(cal_.NominalLength)));
    writingBoxes_ = true;
    TxtLarghezza->SetText(Length(cal_.NominalWidth));
    TxtLunghezza->SetText(Length(cal_.NominalLength));
    writingBoxes_ = false;
}

void FrmTaratura::EnableMeasureControls(bool enable) {
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(LblUnita[MeasuredWidthUnit]),
                       static_cast<QWidget*>(LblUnita[MeasuredLengthUnit]), static_cast<QWidget*>(TxtLarghezza),
                       static_cast<QWidget*>(TxtLunghezza), PctFoglio[MeasuredSheet],
                       static_cast<QWidget*>(FrameTaratura)})
        w->setEnabled(enable);
    const QColor border = enable ? palette().color(QPalette::WindowText) : QColor(192, 192, 192);
    ShpRettangolo[MeasuredSheet]->SetBorderColor(border);
    Label3->setEnabled(false);
}

void FrmTaratura::CmdStampa_Click() {
    if (cal_.MeasureEdited) {
        FoldMeasurements(cal_, TxtLarghezza->Text(), TxtLunghezza->Text());
        ShowNominalValues();
        cal_.MeasureEdited = false;
    }
    EnableMeasureControls(true);
    Printer* printer = Platform().printer;
    ReportDocument(*printer, PrintCalibrationPattern(*printer, cal_));
}

void FrmTaratura::CmdOK_Click() {
    const StoredFactors f = FactorsToStore(cal_, TxtLarghezza->Text(), TxtLunghezza->Text());
    SettingsCache& s = velm::State().Settings;
    s.SettingXPrinter = f.SettingXPrinter;
    s.SettingYPrinter = f.SettingYPrinter;
    if (SettingsStore* store = Platform().settings) {
        SavePrinterSetting(*store, "SettingXPrinter", f.SettingXPrinter);
        SavePrinterSetting(*store, "SettingYPrinter", f.SettingYPrinter);
        // What the next start will read: the reader's range check decides.
        s.SettingXPrinter = ReadPrinterSetting(*store, "SettingXPrinter");
        s.SettingYPrinter = ReadPrinterSetting(*store, "SettingYPrinter");
    }
    UpdateCalibrationMenuCheck();
    accept();
}

void FrmTaratura::CmdDefault_Click() {
    const int answer =
        Platform().dialogs->MessageBox(Txt(TextResetFactorsQuestion), MbYesNo + MbQuestion, Txt(TextCalibrationTitle));
    if (answer != IdYes) return;
    ResetCalibration(cal_);
    ShowNominalValues();
}

void FrmTaratura::CmdChiudi_Click() { reject(); }

bool FrmTaratura::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        // The pages and the frame have no hint: they empty the line.
        const bool shown = hints_.Show(watched);
        if (!shown) SetStatusText("");
        // A button passes an idle pointer on to the window, which would empty the line again.
        if (shown && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmTaratura::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    SetStatusText("");
}

void RegisterCalibrationCommand() {
    RegisterCommand(RegisteredCommand::Calibration, [](const std::string&) {
        if (!CheckPrinterAvailable(Txt(TextNoPrinterForCalibration))) return;
        FrmTaratura dialog(MainWindow());
        dialog.exec();
        SetStatusText("");  // the dialog's hints go with it
    });
}

}  // namespace velm
