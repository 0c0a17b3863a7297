#include "output/windows/frm_dati.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/working_state.h"
#include "frame/windows/frame_api.h"
#include "output/notes_lines.h"
#include "platform/printer.h"
#include "platform/qt/qt_text.h"
#include "output/windows/frm_dati_texts.h"

namespace velm {

FrmDati::FrmDati(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmDati"));
    setMouseTracking(true);
    const QFont buttonFont = font();
    QFont mono(QString::fromLatin1(PrinterPage::TextFont));
    mono.setPointSizeF(PrinterPage::TextSize);
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);

    TxtNota = new QLineEdit(this);
    TxtNota->setObjectName(QStringLiteral("TxtNota"));
    // One line: a pasted line break becomes a blank at once.
    connect(TxtNota, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string one = OneLineNote(S(text));
        if (one == S(text)) return;
        const int at = TxtNota->cursorPosition();
        TxtNota->setText(Q(one));
        TxtNota->setCursorPosition(at);
    });
    CmdOK = new QPushButton(this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setFont(buttonFont);
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
    Form_Load();
}

void FrmDati::Form_Load() {
    const WorkingState& st = State();
    const QFontMetrics metrics(font());
    h_ = metrics.height();
    w_ = metrics.horizontalAdvance(QString(51, QLatin1Char('A')));
    setWindowTitle(Q(Txt(st.OpenPreview == 0 ? TextFrustumNotesTitle : TextCylinderNotesTitle)));
    k_ = NotesReservedRows(st.OpenPreview, st.ShapeCode, st.Settings.CheckNote);

    CmdOK->setText(Q(Txt(TextOk)));
    const NotesLayout at = LayOutNotesWindow(h_, w_, k_, CmdOK->sizeHint().height());
    setFixedSize(at.InnerWidth, at.InnerHeight);
    TxtNota->setGeometry(at.NoteLeft, at.NoteTop, at.NoteWidth, std::min(TxtNota->sizeHint().height(), 2 * h_));
    CmdOK->setGeometry(at.OkLeft, at.OkTop, std::max(CmdOK->sizeHint().width(), 80), CmdOK->sizeHint().height());
    CenterForm(MainWindow(), this);

    rows_ = NotesWindowRows(st);
    TxtNota->setText(Q(st.NoteText));
    update();
}

void FrmDati::CmdOK_Click() {
    State().NoteText = OneLineNote(S(TxtNota->text()));
    accept();
}

void FrmDati::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const int ascent = QFontMetrics(font()).ascent();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        painter.drawText(0, static_cast<int>(i) * h_ + ascent, Q(rows_[i]));
}

void FrmDati::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    SetStatusText("");
}

void ShowNotesWindow(QWidget* owner) {
    FrmDati dialog(owner ? owner : MainWindow());
    dialog.exec();
}

}  // namespace velm
