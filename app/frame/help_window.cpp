#include "app/frame/help_window.h"

#include "platform/ui/windows/window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPointer<HelpWindow>& theHelpWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

QToolButton* addButton(QHBoxLayout* bar, const QString& text)
{
    auto* button = new QToolButton;
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

HelpWindow& helpWindow()
{
    QPointer<HelpWindow>& window = theHelpWindow();
    if (!window) {
        // A child of the frame, so that it stays above it and goes with it.
        QWidget* frame = ui::Window::mdiArea() ? ui::Window::mdiArea()->window() : nullptr;
        window = new HelpWindow(frame);
    }
    return *window;
}

}  // namespace

void showHelp(HelpPage page) { helpWindow().showPage(page); }

void showHelpTopic(const QString& topic) { helpWindow().showTopic(topic); }

HelpWindow* HelpWindow::instance() { return theHelpWindow(); }

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Справка"));
    resize(720, 520);

    auto* bar = new QHBoxLayout;
    QToolButton* contents = addButton(bar, QStringLiteral("Содержание"));
    QToolButton* back = addButton(bar, QStringLiteral("Назад"));
    QToolButton* forward = addButton(bar, QStringLiteral("Вперёд"));
    searchButton_ = addButton(bar, QStringLiteral("Поиск"));
    searchButton_->setCheckable(true);
    bar->addStretch();

    searchPanel_ = new QWidget;
    auto* panel = new QVBoxLayout(searchPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    searchEdit_ = new QLineEdit;
    searchEdit_->setPlaceholderText(QStringLiteral("Слова для поиска"));
    searchEdit_->setClearButtonEnabled(true);
    results_ = new QListWidget;
    panel->addWidget(searchEdit_);
    panel->addWidget(results_);
    searchPanel_->hide();

    browser_ = new QTextBrowser;
    browser_->setOpenLinks(true);
    auto* splitter = new QSplitter;
    splitter->addWidget(searchPanel_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter);

    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { browser_->setSource(HelpIndex::contentsUrl()); });
    connect(searchButton_, &QToolButton::toggled, searchPanel_, &QWidget::setVisible);
    connect(searchEdit_, &QLineEdit::textChanged, this, &HelpWindow::listResults);
    auto openResult = [this](QListWidgetItem* item) { browser_->setSource(item->data(Qt::UserRole).toUrl()); };
    connect(results_, &QListWidget::itemClicked, this, openResult);
    connect(results_, &QListWidget::itemActivated, this, openResult);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Справка: ") + browser_->documentTitle());
    });
}

void HelpWindow::showPage(HelpPage page)
{
    switch (page) {
    case HelpPage::Contents: browser_->setSource(HelpIndex::contentsUrl()); break;
    case HelpPage::HowToUse: browser_->setSource(HelpIndex::howToUseUrl()); break;
    case HelpPage::Search:
        if (browser_->source().isEmpty()) browser_->setSource(HelpIndex::contentsUrl());
        searchButton_->setChecked(true);
        break;
    }
    bringUp();
    if (page == HelpPage::Search) {
        searchEdit_->setFocus();
        searchEdit_->selectAll();
    }
}

void HelpWindow::showTopic(const QString& topic)
{
    browser_->setSource(HelpIndex::topicUrl(topic));
    bringUp();
}

void HelpWindow::bringUp()
{
    show();
    raise();
    activateWindow();
}

void HelpWindow::listResults(const QString& words)
{
    results_->clear();
    for (const HelpTopic& topic : index_.find(words)) {
        auto* item = new QListWidgetItem(topic.title, results_);
        item->setData(Qt::UserRole, topic.url);
    }
}
