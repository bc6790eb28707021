// A window is never smaller than what it holds needs, whatever its size in dialog units says;
// one that is not resizable keeps the size it opens with and cannot be maximised.
#include "platform/ui/windows/title_width.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct WindowFit : ::testing::TestWithParam<bool> {
    WindowFit()
    {
        frame.setCentralWidget(area);
        frame.resize(1000, 800);
        frame.show();
        ui::Window::setMdiArea(area);
    }
    ~WindowFit() override { ui::Window::setMdiArea(nullptr); }

    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
};

TEST_P(WindowFit, TooSmallInDialogUnitsItGrowsToShowEveryTabCaptionAndButtonWhole)
{
    const bool resizable = GetParam();
    // far too small for what it holds in any font
    ui::Window w(ui::WindowKind::MdiChild, "Установки программы", 40, 30);
    auto* sheet = new QTabWidget;
    for (const char* caption : {"&Организация", "&Индексы удорожания", "&Налоги и наценки", "Импорт/ Экспорт"})
        sheet->addTab(new QWidget, QString::fromUtf8(caption));
    w.add(ui::CREATE::Sheet, "?SHEET1", sheet);
    auto* close = new QPushButton(QStringLiteral("Закрыть"));
    w.add(ui::CREATE::Button, "?CLOSE", close);
    auto* layout = new QVBoxLayout(w.content());
    layout->addWidget(sheet);
    layout->addWidget(close);
    w.setResizable(resizable);
    w.open();
    test::pump();

    // the bar has room for every caption at its full size, and shows each of them
    QTabBar* tabs = sheet->tabBar();
    EXPECT_GE(tabs->width(), tabs->sizeHint().width());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_LE(tabs->tabRect(i).right(), tabs->width()) << "tab " << i << " is out of sight";
    EXPECT_GE(close->width(), close->minimumSizeHint().width());
    EXPECT_GE(w.content()->width(), w.content()->minimumSizeHint().width());
    EXPECT_GE(w.content()->height(), w.content()->minimumSizeHint().height());

    const bool maximizable = w.topWidget()->windowFlags() & Qt::WindowMaximizeButtonHint;
    EXPECT_EQ(maximizable, resizable);
    if (!resizable) {
        EXPECT_EQ(w.content()->minimumSize(), w.content()->maximumSize());
        // a placement saved smaller, or maximised, takes only its position
        const WindowPlacement p = w.placement();
        w.setPlacement({p.x + 10, p.y + 5, p.width / 2, p.height / 2, true, false});
        test::pump();
        EXPECT_FALSE(w.topWidget()->isMaximized());
        const WindowPlacement now = w.placement();
        EXPECT_EQ(QRect(now.x, now.y, now.width, now.height), QRect(p.x + 10, p.y + 5, p.width, p.height));
    }
    w.close();
}

// A dialog narrower than its title grows to show it, and what it places by hand stays centred.
TEST_F(WindowFit, ADialogIsAtLeastAsWideAsItsTitle)
{
    ui::Window w(ui::WindowKind::Dialog, "Importing Records, and much more besides", 142, 59);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), w.content());
    cancel->setGeometry(w.duX(45), w.duY(42), w.duX(52), w.duY(15));
    w.setResizable(false);
    w.open();
    test::pump();
    EXPECT_GE(w.content()->width(), ui::titleBarWidth(*w.content()));
    EXPECT_GT(w.content()->width(), w.duX(142));
    EXPECT_NEAR(cancel->geometry().center().x(), w.content()->rect().center().x(), 2);
    w.close();
}

INSTANTIATE_TEST_SUITE_P(ResizableOrNot, WindowFit, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Resizable" : "FixedSize"; });

}  // namespace
