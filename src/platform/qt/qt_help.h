#pragma once
// The help viewer: one window over the program's own help file, with its
// contents, a keyword index with search, and topics by context number.
#include <QWidget>
#include <memory>
#include <optional>

#include "platform/help.h"
#include "platform/help_file.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace velm {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();
    // Reads the file again; false when it cannot be read.
    bool Load(const std::string& path);
    void SetLabels(const HelpLabels& labels);
    void ShowContentsPage();
    void ShowIndex(const std::string& keyword);
    void ShowTopic(int contextId);
    int ShownTopic() const { return shownTopic_; }  // 0: contents or a message

private:
    void ShowMessage(const QString& text);
    void FillContents();
    void FillIndex(const QString& text);
    void OpenLink(const QUrl& url);

    std::optional<HelpFile> file_;
    std::string path_;
    int shownTopic_ = 0;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QListWidget* index_ = nullptr;
    QTextBrowser* page_ = nullptr;
    QLabel* indexPrompt_ = nullptr;
    HelpLabels labels_;
};

class QtHelp : public Help {
public:
    ~QtHelp() override;
    void ShowContents(const std::string& helpFile) override;
    void ShowSearch(const std::string& helpFile, const std::string& keyword) override;
    void ShowTopic(const std::string& helpFile, int contextId) override;
    void SetLabels(const HelpLabels& labels) override { labels_ = labels; }
    HelpWindow* Window() const { return window_.get(); }  // null until first used

private:
    HelpWindow& Open(const std::string& helpFile);
    std::unique_ptr<HelpWindow> window_;
    HelpLabels labels_;
};

}  // namespace velm
