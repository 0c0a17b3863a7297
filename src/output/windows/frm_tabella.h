#pragma once
// FrmTabella: the value table of the open sheet preview, shown modally. The
// grid GrdDati lists for every angular step from 0 to 180 degrees the
// position (cylinders) or sector angle (frusta) and the two profile values;
// its header row holds the column names.
// A heading strip above the grid carries head0 and head1 in print zones.
// CmdStampa prints the table, CmdEsci closes, CmdHelp opens its help topic.
#include <QDialog>

#include "output/value_table.h"

class QPushButton;
class QTableWidget;

namespace velm {

class FrmTabella : public QDialog {
    Q_OBJECT
public:
    explicit FrmTabella(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void CmdStampa_Click();
    void CmdEsci_Click();
    void CmdHelp_Click();

    const ValueTable& Table() const { return table_; }
    // Where the heading strip puts head1, in pixels from the left.
    int Head1Left() const { return head1Left_; }

    QTableWidget* GrdDati = nullptr;
    QPushButton* CmdStampa = nullptr;
    QPushButton* CmdEsci = nullptr;
    QPushButton* CmdHelp = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FillGrid();

    ValueTable table_;
    TableForm form_ = TableForm::Cylinder;
    int head1Left_ = 0;
};

// Shown modally over the open preview.
void ShowValueTable(QWidget* owner);

}  // namespace velm
