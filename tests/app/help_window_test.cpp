#include "app/frame/help_window.h"

#include "tests/support/ui_driver.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <set>

namespace {

QString titleOf(const std::vector<HelpTopic>& topics, const QUrl& url)
{
    for (const HelpTopic& t : topics)
        if (t.url == url) return t.title;
    return {};
}

std::set<QString> titlesOf(const std::vector<HelpTopic>& topics)
{
    std::set<QString> out;
    for (const HelpTopic& t : topics) out.insert(t.title);
    return out;
}

TEST(HelpWindow, ShowsEachPageInOneWindow)
{
    struct Case {
        HelpPage page;
        const char* title;
        bool searching;
    };
    const Case cases[] = {
        {HelpPage::Contents, "Содержание", false},
        {HelpPage::HowToUse, "Как пользоваться справкой", false},
        {HelpPage::Search, "Как пользоваться справкой", true},  // searching keeps the page shown
    };
    HelpWindow* first = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        showHelp(c.page);
        HelpWindow* window = HelpWindow::instance();
        ASSERT_NE(window, nullptr);
        if (!first) first = window;
        EXPECT_EQ(window, first);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->browser()->documentTitle(), QString::fromUtf8(c.title));
        EXPECT_FALSE(window->browser()->toPlainText().isEmpty());
        EXPECT_EQ(window->searchPanel()->isVisible(), c.searching);
    }
    first->close();
    ASSERT_TRUE(test::pumpUntil([] { return HelpWindow::instance() == nullptr; }));
}

TEST(HelpWindow, AWindowsTopicShowsItsPageElseTheContents)
{
    const struct {
        const char* topic;
        const char* title;
    } cases[] = {{"units", "Единицы измерения"}, {"no-such-window", "Содержание"}, {"", "Содержание"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topic);
        showHelpTopic(QString::fromUtf8(c.topic));
        HelpWindow* window = HelpWindow::instance();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->browser()->documentTitle(), QString::fromUtf8(c.title));
    }
    HelpWindow::instance()->close();
    ASSERT_TRUE(test::pumpUntil([] { return HelpWindow::instance() == nullptr; }));
}

TEST(HelpWindow, ContentsLeadToEveryPageAndNoLinkIsBroken)
{
    const HelpIndex index;
    ASSERT_GE(index.topics().size(), 6u);  // contents, four windows, how to use help
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    std::set<QString> linkedFromContents;
    for (const HelpTopic& topic : index.topics()) {
        SCOPED_TRACE(topic.url.toString().toStdString());
        EXPECT_FALSE(topic.title.isEmpty());
        QFile file(QLatin1Char(':') + topic.url.path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QUrl target = topic.url.resolved(QUrl(it.next().captured(1)));
            EXPECT_FALSE(titleOf(index.topics(), target).isEmpty()) << target.toString().toStdString();
            if (topic.url == HelpIndex::contentsUrl()) linkedFromContents.insert(target.toString());
        }
    }
    for (const HelpTopic& topic : index.topics()) {
        if (topic.url != HelpIndex::contentsUrl()) {
            EXPECT_TRUE(linkedFromContents.count(topic.url.toString())) << topic.url.toString().toStdString();
        }
    }
}

TEST(HelpWindow, SearchFindsThePagesHoldingEveryWordInAnyCase)
{
    const HelpIndex index;
    EXPECT_EQ(titlesOf(index.find(QStringLiteral("АРХИВ"))).count(QStringLiteral("Архив смет")), 1u);
    EXPECT_EQ(titlesOf(index.find(QStringLiteral("  дублирования   единицы "))),
              std::set<QString>{QStringLiteral("Единицы измерения")});
    EXPECT_TRUE(index.find(QStringLiteral("архив несуществующееслово")).empty());
    EXPECT_TRUE(index.find(QStringLiteral("   ")).empty());

    showHelp(HelpPage::Search);
    HelpWindow* window = HelpWindow::instance();
    ASSERT_NE(window, nullptr);
    window->searchEdit()->setText(QStringLiteral("неполон"));
    ASSERT_EQ(window->results()->count(), 1);
    QListWidgetItem* item = window->results()->item(0);
    EXPECT_EQ(item->text(), QStringLiteral("Архив смет"));
    emit window->results()->itemClicked(item);
    EXPECT_EQ(window->browser()->documentTitle(), QStringLiteral("Архив смет"));
    window->close();
    ASSERT_TRUE(test::pumpUntil([] { return HelpWindow::instance() == nullptr; }));
}

}  // namespace
