#include "output/windows/frm_tabella.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "core/help_contexts.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/messages.h"
#include "core/working_state.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/help_commands.h"
#include "output/print_job.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"

namespace velm {

namespace {

constexpr int InnerHeight = 480;     // the window's design height, pixels
constexpr int GridTop = 17;          // 250 twips: the heading strip above the grid
constexpr int ButtonRoom = 67;       // 1000 twips below the grid
constexpr int HeadMargin = 7;        // 100 twips added to column 0

}  // namespace

FrmTabella::FrmTabella(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTabella"));
    GrdDati = new QTableWidget(this);
    GrdDati->setObjectName(QStringLiteral("GrdDati"));
    GrdDati->setColumnCount(3);
    GrdDati->verticalHeader()->hide();
    // One text line a row.
    GrdDati->verticalHeader()->setDefaultSectionSize(GrdDati->fontMetrics().height() + 6);
    GrdDati->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdDati->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdDati->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    GrdDati->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    GrdDati->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    CmdStampa = button("CmdStampa");
    CmdEsci = button("CmdEsci");
    CmdHelp = button("CmdHelp");
    CmdStampa->setText(QStringLiteral("Stampa"));
    CmdEsci->setText(QStringLiteral("Esci"));
    CmdHelp->setText(QStringLiteral("?"));
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    connect(CmdEsci, &QPushButton::clicked, this, [this] { CmdEsci_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    OpenTopicOnF1(this, HelpContextFrmTabella);
    Form_Load();
}

void FrmTabella::Form_Load() {
    SetHourglass();
    CmdStampa->setText(Q(Txt(TextPrint)));
    CmdEsci->setText(Q(Txt(TextClose)));
    setWindowTitle(Q(Txt(TextValueTableTitle)));
    form_ = TableFormOf(State().OpenPreview);
    table_ = FillTable(State(), form_);
    FillGrid();
    ClearHourglass();
}

void FrmTabella::FillGrid() {
    const QFontMetrics metrics(font());
    // head1 in the print zone after head0, zones 14 average characters wide.
    const double zone = 14.0 * metrics.averageCharWidth();
    head1Left_ = static_cast<int>(NextZoneStart(metrics.horizontalAdvance(Q(table_.Head0)), zone));

    // The header row: column 0's header stays empty.
    GrdDati->setHorizontalHeaderLabels({QString(), Q(table_.Column1), Q(table_.Column2)});
    GrdDati->setRowCount(static_cast<int>(table_.Rows.size()));
    for (int r = 0; r < GrdDati->rowCount(); ++r) {
        const auto& row = table_.Rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(Q(row[static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (c == 0) item->setBackground(palette().color(QPalette::Button));  // the fixed column's look
            GrdDati->setItem(r, c, item);
        }
    }

    // Each column as wide as its widest text: heading, column name or value.
    auto widthOf = [&](int c, int least) {
        GrdDati->resizeColumnToContents(c);
        return std::max(least, GrdDati->columnWidth(c));
    };
    const int column0 = widthOf(0, metrics.horizontalAdvance(Q(table_.Head0)) + HeadMargin);
    const int column12 = std::max(widthOf(1, metrics.horizontalAdvance(Q(table_.WidthText))), widthOf(2, 0));
    GrdDati->setColumnWidth(0, column0);
    GrdDati->setColumnWidth(1, column12);
    GrdDati->setColumnWidth(2, column12);
    // Room for the scroll bar and the frame, at least 17 pixels.
    const int chrome = std::max(17, GrdDati->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * GrdDati->frameWidth());
    const int gridWidth = column0 + column12 * 2 + chrome;
    // The heading strip above may reach further than the grid.
    const int headings = head1Left_ + metrics.horizontalAdvance(Q(table_.Head1));
    setFixedSize(std::max(gridWidth, headings) + HeadMargin, InnerHeight);
    GrdDati->setGeometry(0, GridTop, gridWidth, InnerHeight - ButtonRoom);
    CenterForm(MainWindow(), this);

    const int buttonTop = GridTop + GrdDati->height() + 12;
    const int buttonHeight = CmdStampa->sizeHint().height();
    const int wide = std::max(64, (gridWidth - 3 * 8 - 32) / 2);
    CmdStampa->setGeometry(8, buttonTop, wide, buttonHeight);
    CmdEsci->setGeometry(16 + wide, buttonTop, wide, buttonHeight);
    CmdHelp->setGeometry(24 + 2 * wide, buttonTop, 32, buttonHeight);
}

void FrmTabella::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int ascent = QFontMetrics(font()).ascent();
    painter.drawText(0, ascent, Q(table_.Head0));
    painter.drawText(head1Left_, ascent, Q(table_.Head1));
}

void FrmTabella::CmdStampa_Click() {
    Printer* printer = Platform().printer;
    // Computed again from the development, not read from the grid.
    const ValueTable table = FillTable(State(), form_);
    if (!printer->Available()) return ShowErrorMessage(Txt(TextNoPrinter) + ".");
    ReportDocument(*printer, PrintTable(*printer, table));
}

void FrmTabella::CmdEsci_Click() { accept(); }

void FrmTabella::CmdHelp_Click() { ShowHelpContext(HelpContextFrmTabella); }

void ShowValueTable(QWidget* owner) {
    FrmTabella dialog(owner ? owner : MainWindow());
    dialog.exec();
}

}  // namespace velm
