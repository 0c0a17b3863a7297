#include "platform/qt/qt_help.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <charconv>
#include <string>

namespace velm {

namespace {
constexpr int TopicRole = Qt::UserRole + 1;

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

HelpWindow::HelpWindow() {
    setObjectName("HelpWindow");
    resize(760, 540);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("HelpTabs");

    contents_ = new QTreeWidget;
    contents_->setObjectName("HelpContents");
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QString());

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexPrompt_ = new QLabel;
    indexPrompt_->setObjectName("HelpIndexPrompt");
    indexLayout->addWidget(indexPrompt_);
    keyword_ = new QLineEdit;
    keyword_->setObjectName("HelpKeyword");
    indexLayout->addWidget(keyword_);
    index_ = new QListWidget;
    index_->setObjectName("HelpIndex");
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, QString());

    page_ = new QTextBrowser;
    page_->setObjectName("HelpPage");
    page_->setOpenLinks(false);

    auto* split = new QSplitter;
    split->addWidget(tabs_);
    split->addWidget(page_);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 520});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int id = item->data(0, TopicRole).toInt();
        if (id > 0) ShowTopic(id);
    });
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int id = item->data(0, TopicRole).toInt();
        if (id > 0) ShowTopic(id);
    });
    connect(keyword_, &QLineEdit::textChanged, this, &HelpWindow::FillIndex);
    connect(keyword_, &QLineEdit::returnPressed, this, [this] {
        if (index_->count() > 0) ShowTopic(index_->item(0)->data(TopicRole).toInt());
    });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowTopic(item->data(TopicRole).toInt()); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowTopic(item->data(TopicRole).toInt()); });
    connect(page_, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);
    SetLabels(labels_);
}

void HelpWindow::SetLabels(const HelpLabels& labels) {
    labels_ = labels;
    tabs_->setTabText(0, FromUtf8(labels.contentsTab));
    tabs_->setTabText(1, FromUtf8(labels.indexTab));
    indexPrompt_->setText(FromUtf8(labels.indexPrompt));
    if (!file_ || file_->title.empty()) setWindowTitle(FromUtf8(labels.title));
}

bool HelpWindow::Load(const std::string& path) {
    path_ = path;
    file_ = LoadHelpFile(path);
    FillContents();
    FillIndex(keyword_->text());
    if (!file_) {
        setWindowTitle(FromUtf8(labels_.title));
        ShowMessage(FromUtf8(labels_.unreadableFile + " " + path));
        return false;
    }
    if (!file_->title.empty()) setWindowTitle(FromUtf8(file_->title));
    return true;
}

void HelpWindow::ShowMessage(const QString& text) {
    shownTopic_ = 0;
    page_->setHtml("<p>" + text.toHtmlEscaped() + "</p>");
}

void HelpWindow::FillContents() {
    contents_->clear();
    if (!file_) return;
    QTreeWidgetItem* group = nullptr;
    for (const auto& e : file_->contents) {
        if (e.heading) {
            group = new QTreeWidgetItem(contents_, {FromUtf8(e.text)});
            group->setData(0, TopicRole, 0);
            group->setExpanded(true);
            continue;
        }
        const HelpTopic* t = file_->Topic(e.contextId);
        auto* item = group ? new QTreeWidgetItem(group, {FromUtf8(t->title)})
                           : new QTreeWidgetItem(contents_, {FromUtf8(t->title)});
        item->setData(0, TopicRole, e.contextId);
    }
    contents_->expandAll();
}

void HelpWindow::FillIndex(const QString& text) {
    index_->clear();
    if (!file_) return;
    for (const auto& k : file_->Search(text.toStdString())) {
        auto* item = new QListWidgetItem(FromUtf8(k.keyword), index_);
        item->setData(TopicRole, k.contextId);
    }
    if (index_->count() > 0) index_->setCurrentRow(0);
}

void HelpWindow::ShowContentsPage() {
    tabs_->setCurrentIndex(0);
    if (!file_) return;
    shownTopic_ = 0;
    page_->setHtml(FromUtf8(ContentsHtml(*file_)));
}

void HelpWindow::ShowIndex(const std::string& keyword) {
    tabs_->setCurrentIndex(1);
    keyword_->setText(FromUtf8(keyword));
    FillIndex(keyword_->text());
    keyword_->setFocus();
    keyword_->selectAll();
}

void HelpWindow::ShowTopic(int contextId) {
    if (!file_) return;
    const HelpTopic* t = file_->Topic(contextId);
    if (!t) {
        ShowMessage(FromUtf8(labels_.missingTopic + " " + std::to_string(contextId)));
        return;
    }
    shownTopic_ = contextId;
    page_->setHtml(FromUtf8(TopicHtml(*file_, *t)));
}

void HelpWindow::OpenLink(const QUrl& url) {
    if (url.scheme() != "topic") return;
    const std::string path = url.path().toStdString();
    int id = 0;
    const auto [end, ec] = std::from_chars(path.data(), path.data() + path.size(), id);
    if (ec == std::errc() && end == path.data() + path.size()) ShowTopic(id);
}

// A help object that outlives the application (a static of the running
// program) must not delete a widget after Qt is gone: the process ends anyway.
QtHelp::~QtHelp() {
    if (QCoreApplication::instance() == nullptr) (void)window_.release();
}

HelpWindow& QtHelp::Open(const std::string& helpFile) {
    if (!window_) window_ = std::make_unique<HelpWindow>();
    window_->SetLabels(labels_);
    window_->Load(helpFile);
    window_->show();
    // Asked from a modal dialog: the help belongs to that dialog, so that the
    // dialog's modality lets it take input, and it stays in front of it.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window_.get() && modal->windowHandle() && window_->windowHandle())
        window_->windowHandle()->setTransientParent(modal->windowHandle());
    window_->raise();
    window_->activateWindow();
    return *window_;
}

void QtHelp::ShowContents(const std::string& helpFile) { Open(helpFile).ShowContentsPage(); }

void QtHelp::ShowSearch(const std::string& helpFile, const std::string& keyword) {
    HelpWindow& w = Open(helpFile);
    w.ShowContentsPage();
    w.ShowIndex(keyword);
}

void QtHelp::ShowTopic(const std::string& helpFile, int contextId) { Open(helpFile).ShowTopic(contextId); }

}  // namespace velm
