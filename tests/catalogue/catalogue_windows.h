#pragma once
// The rate categories and rates as their callers run them: a caller on a logical thread of its
// own opens a window (a list, or the rate form after reading the rate), and the test drives the
// windows on top of that thread. Categories and rates are added and read back on threads of
// their own.

#include "data/thread_data.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/called_window.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>

namespace test {

struct Rate {
    QString group, code, name, unit;
    bool operator==(const Rate&) const = default;
};
inline void PrintTo(const Rate& r, std::ostream* os)
{
    *os << (r.group + "/" + r.code + "/" + r.name + "/" + r.unit).toStdString();
}

class CatalogueWindows : public ThreadsFixture, public CalledWindow {
protected:
    ~CatalogueWindows() override
    {
        for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(thread); ++i) {
            // a changed form closes without storing
            messages.answer(BUTTON_NO);
            if (top()) ui::post(thread, EVENT::CloseWindow);
            waitEnded(thread, 1000);
        }
    }

    // --- records
    void addCategories(const std::vector<std::pair<QString, QString>>& categories)
    {
        addRecords(FileId::NSBRAZ, int(categories.size()), [&](int i) {
            NSR().KEY_ROOT = categories[std::size_t(i)].first;
            NSR().NAME = categories[std::size_t(i)].second;
        });
    }
    void addRates(const std::vector<Rate>& rates)
    {
        addRecords(FileId::Raszenki, int(rates.size()), [&](int i) {
            const Rate& r = rates[std::size_t(i)];
            WRK().GROUP = r.group;
            WRK().NRAS = r.code;
            WRK().NAME = r.name;
            WRK().EDIZM = r.unit;
            WRK().CODER = 1;
        });
    }
    std::vector<QString> categoryCodes()
    {
        return stored(FileId::NSBRAZ, [] { return NSR().KEY_ROOT.toQString(); });
    }
    // Every rate, also one that no key lists, in the order they were stored.
    std::vector<Rate> rates()
    {
        std::vector<Rate> out;
        onThread([&] {
            Relate(FileId::Raszenki).Open();
            records::RecordFile& f = Access(FileId::Raszenki).file();
            for (records::Position p = 1; p < 10000; ++p)
                if (f.fetch(p) == records::kNoError)
                    out.push_back({WRK().GROUP.toQString(), WRK().NRAS.toQString(), WRK().NAME.toQString(),
                                   WRK().EDIZM.toQString()});
            Relate(FileId::Raszenki).Close();
        });
        return out;
    }

    // --- the caller
    // Runs `body` on a thread of its own and waits for the window it opens.
    void call(std::function<void()> body)
    {
        response = -1;
        thread = start([=, this] {
            body();
            response = ProcResponse();
        });
        window = waitWindow(thread);
        settle();
    }
    // The rate of that code read into the buffer (the file open), as a list leaves it.
    static void readRate(const QString& code)
    {
        Relate(FileId::Raszenki).Open();
        WRK().NRAS = code;
        Access(FileId::Raszenki).file().get(RaszenkiLayout().keyIndex("WRK:ONSPRAVOCH"));
    }

    // --- lists (control 1 of the window)
    static ui::BrowseList& list(ui::Window* w) { return *qobject_cast<ui::BrowseList*>(w->control(1)->widget()); }
    static std::vector<QString> column(ui::Window* w, int c = 0)
    {
        std::vector<QString> out;
        for (int r = 0; r < list(w).model().rowCount(); ++r) out.push_back(list(w).model().text(r, c).trimmed());
        return out;
    }
    static QString highlighted(ui::Window* w, int c = 0)
    {
        return list(w).model().text(list(w).view()->currentIndex().row(), c).trimmed();
    }
    void click(ui::Window* w, int row)
    {
        QTableView* v = list(w).view();
        QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, v->visualRect(list(w).model().index(row, 0)).center());
        settle();
    }
    // The editor of the cell being edited in place; null when none is.
    static QLineEdit* cellEditor(ui::Window* w)
    {
        for (int r = 0; r < list(w).model().rowCount(); ++r)
            for (int c = 0; c < list(w).model().columnCount(); ++c)
                if (auto* e = qobject_cast<QLineEdit*>(list(w).view()->indexWidget(list(w).model().index(r, c)))) return e;
        return nullptr;
    }
    void typeInCell(ui::Window* w, const QString& text)
    {
        QLineEdit* e = cellEditor(w);
        ASSERT_TRUE(e);
        e->selectAll();
        e->del();
        type(e, text);
    }
    // Whether a message shown says that, in its text or caption.
    bool said(const QString& what) const
    {
        for (const auto& m : messages.shown())
            if (m.text.contains(what) || m.caption.contains(what)) return true;
        return false;
    }

    ui::Window* window = nullptr;
    int response = -1;
};

}  // namespace test
