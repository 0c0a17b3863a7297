#pragma once
// FrmDati: the notes window of the sheet previews. It shows the data lines
// that the sheet will carry, in the printer's fixed-pitch font so that the
// columns line up as on paper, and the notes box TxtNota; OK stores the
// notes in NoteText, the close box leaves them as they were.
#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace velm {

class FrmDati : public QDialog {
    Q_OBJECT
public:
    explicit FrmDati(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void CmdOK_Click();

    int LineHeight() const { return h_; }       // h
    int ReservedRows() const { return k_; }     // k
    const std::vector<std::string>& Rows() const { return rows_; }

    QLineEdit* TxtNota = nullptr;
    QPushButton* CmdOK = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int h_ = 0, w_ = 0, k_ = 0;
    std::vector<std::string> rows_;
};

// Shown modally over the open preview.
void ShowNotesWindow(QWidget* owner);

}  // namespace velm
