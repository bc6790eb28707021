#pragma once
// The program's help: its pages in a top-level window of their own, with links, back and
// forward, and a search over the pages. The window is not modal and belongs to no logical
// thread: opening it never blocks the caller, and it stays usable while the caller's windows
// wait.

#include "app/frame/help_index.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

enum class HelpPage { Contents, Search, HowToUse };

// Shows the page in the one help window, made on first use and raised when shown again.
void showHelp(HelpPage page);
// Shows the page of a window's help topic (its "Помощь" button) in the same window.
void showHelpTopic(const QString& topic);

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The open help window, or null.
    static HelpWindow* instance();

    void showPage(HelpPage page);
    void showTopic(const QString& topic);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* searchEdit() const { return searchEdit_; }
    QListWidget* results() const { return results_; }
    QWidget* searchPanel() const { return searchPanel_; }

private:
    void bringUp();
    void listResults(const QString& words);

    HelpIndex index_;
    QTextBrowser* browser_ = nullptr;
    QWidget* searchPanel_ = nullptr;
    QLineEdit* searchEdit_ = nullptr;
    QListWidget* results_ = nullptr;
    QToolButton* searchButton_ = nullptr;
};
