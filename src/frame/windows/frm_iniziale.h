#pragma once
// The start panel frmIniziale: one page of shape pictures at a time (the four
// groups, or the shapes of one group), chosen by ShapeFamily. A group picture
// turns to its page, a shape picture opens the shape's window through the
// shape opener OpenShapeForm (shape_opener.cpp), as the Shapes menu does.
#include <QLabel>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <future>
#include <vector>
#include <string>

#include "core/shape_kinds.h"
#include "frame/windows/control_hints.h"

class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace velm {

struct PickerPage;

class frmIniziale;

// Starts loading the captions' font in the background. The work uses Qt's
// font engines, so it must be over before the application object goes: the
// future's destruction waits for it.
[[nodiscard]] std::future<void> BeginLoadingCaptionFont();

// PctVettore(i): a picture box of the page.
class ShapePictureBox : public QWidget {
    Q_OBJECT
public:
    ShapePictureBox(frmIniziale* panel, int index);
    void SetPicture(int picture);  // Immagini(picture); -1 for none
    int Picture() const { return picture_; }
    // Height at the top taken by the caption laid over the picture.
    void SetCaptionHeight(int pixels);
    int CaptionHeight() const { return captionHeight_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    friend class frmIniziale;
    // What the picture is drawn from; it is made again when this changes.
    struct Look {
        int picture = -1;
        QSize size;
        bool enabled = true;
        int captionHeight = 0;
        bool operator==(const Look&) const = default;
    };
    Look CurrentLook() const { return {picture_, size(), isEnabled(), captionHeight_}; }
    static QImage Draw(const Look& look);

    frmIniziale* panel_;
    int index_;
    int picture_ = -1;
    int captionHeight_ = 0;
    Look drawn_{-2, {}, true, 0};  // nothing drawn yet
    QImage cache_;
};

// LblSezione(i): a caption over picture i; it acts as part of its picture.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    CaptionLabel(frmIniziale* panel, int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    friend class frmIniziale;
    // What the caption is drawn from; the picture is made again when it changes.
    struct Look {
        QString text;
        QFont font;
        QSize size;
        QColor fill;
        bool enabled = true;
        bool operator==(const Look&) const = default;
    };
    Look CurrentLook() const;
    static QImage Draw(const Look& look);

    frmIniziale* panel_;
    int index_;
    Look drawn_;
    QImage cache_;
};

// ShpSelezione: a frame drawn over a cell; it never takes the mouse.
class SelectionFrame : public QWidget {
    Q_OBJECT
public:
    explicit SelectionFrame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

class frmIniziale : public QWidget {
    Q_OBJECT
public:
    explicit frmIniziale(QWidget* parent = nullptr);

    // Event handlers, named as the window's design names them.
    void Form_Load();
    void Form_Activate();
    void Form_Deactivate();
    void SetupShapePicker();
    void CmdIndietro_Click();
    void PctVettore_Click(int index);
    void PctVettore_MouseDown(int index);
    void PctVettore_MouseUp(int index);
    void PctVettore_MouseMove(int index);
    // The second press of a double-click: no click of its own, so that a
    // double-click on a group does not go on to open a shape of its page.
    void PctVettore_DblClick(int index);
    // True once after a double-click: the release that ends it is no click.
    bool TakeDoubleClickRelease();

    // The panel has its place in the main window: the pictures of its page
    // may begin.
    void BeginPictures();

    void SetCommandLineFile(const std::string& fileName) { commandLineFile_ = fileName; }
    bool SelectionVisible() const { return selectionVisible_; }
    // The main window's area made `window` the active child (null: none).
    void OnSubWindowActivated(QMdiSubWindow* window);

    // The caption font size in points before fitting.
    static constexpr double CaptionBaseSize = 24.0;

protected:
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    void showEvent(QShowEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ShapePictureBox;
    friend class CaptionLabel;
    // Every picture and caption whose look changed is drawn in a thread of
    // its own, started as soon as the page is laid out, so that the first
    // paint waits at most for the slowest one, and only for what is left of
    // it. FinishPictures waits for them and hands each its picture.
    void StartPictures();
    void FinishPictures();
    // Gives a picture or caption of the panel its picture for its current look.
    template <class Widget>
    void UpToDate(Widget* widget);
    template <class Widget>
    struct PendingPicture {
        Widget* widget;
        typename Widget::Look look;
        std::future<QImage> image;
    };
    template <class Widget>
    static void StartPicture(std::vector<PendingPicture<Widget>>& pending, Widget* widget);
    template <class Widget>
    static void FinishPictures(std::vector<PendingPicture<Widget>>& pending);
    std::vector<PendingPicture<ShapePictureBox>> pendingPictures_;
    std::vector<PendingPicture<CaptionLabel>> pendingCaptions_;
    bool picturesShown_ = false;
    bool placed_ = false;
    QMdiSubWindow* SubWindow() const;
    bool IsMinimised() const;
    void PlaceFrameOnCell(int cell);
    void PlacePickerCells();  // cells, back button and selection frame at the panel's size
    void SetSectionCaptions(ShapeFamilyKind page);
    void ShowPageCells(const PickerPage& page);
    void FitCaption(CaptionLabel* label, int cellWidthPixels);
    static int CaptionHeight(const CaptionLabel* label);
    void OpenCommandLineFile();
    void SyncActivation();

    std::array<ShapePictureBox*, 5> PctVettore{};
    // LblSezione(i) captions cell i: of the top page,
    enum TopPageCell : int { FrustaCell = 0, CylindersCell = 1, CylElbowCell = 2, ConeElbowsCell = 3 };
    // and of the conical elbows' page.
    enum ConeElbowsPageCell : int { HalfEndPiecesCell = 0, EqualPiecesCell = 1, BetweenConnectionsCell = 2 };
    std::array<CaptionLabel*, 4> LblSezione{};
    SelectionFrame* ShpSelezione = nullptr;
    QPushButton* CmdIndietro = nullptr;
    ControlHints hints_;  // the pictures' (a caption shows its picture's) and the back button's
    QPixmap PctSfondo;  // the background tile
    QRect tiledArea_;   // where the tiles lie: the screen's size from the top left

    std::string commandLineFile_;
    bool firstActivation_ = false;
    bool selectionVisible_ = false;
    bool active_ = false;  // between Form_Activate and Form_Deactivate
    bool doubleClick_ = false;  // a double-click's press came, its release not yet
};

// The start panel if it exists, without making it.
frmIniziale* ExistingStartPanel();

// The area that shape windows open in: the main window's, else the start
// panel's own; null when there is none.
QMdiArea* ChildArea();

}  // namespace velm
