#include "platform/ui/browse/query_window.h"

#include "platform/ui/dialogs/nested_dialog.h"
#include "platform/ui/windows/window.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

class QueryDialog : public QDialog {
public:
    QueryDialog(const std::vector<BrowseColumn>& columns, const records::Layout& layout, QueryStore& store, QWidget* parent)
        : QDialog(parent), columns_(columns), layout_(layout), store_(store)
    {
        auto* box = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        box->addLayout(grid);
        for (int column : QueryColumns(columns, layout)) {
            const BrowseColumn& c = columns[std::size_t(column)];
            Row row{column, new QComboBox, new QLineEdit, QueryOperators(c)};
            const int n = int(rows_.size());
            for (const auto& [how, caption] : row.operators) row.how->addItem(caption);
            row.how->setObjectName(QStringLiteral("operator%1").arg(n));
            row.value->setObjectName(QStringLiteral("value%1").arg(n));
            grid->addWidget(new QLabel(c.heading), n, 0);
            grid->addWidget(row.how, n, 1);
            grid->addWidget(row.value, n, 2);
            rows_.push_back(row);
        }
        refused_ = new QLabel;
        box->addWidget(refused_);

        auto* saved = new QHBoxLayout;
        names_ = new QComboBox;
        names_->setEditable(true);
        names_->setObjectName(QStringLiteral("name"));
        names_->lineEdit()->setPlaceholderText(QStringLiteral("Query name"));
        saved->addWidget(new QLabel(QStringLiteral("Saved queries:")));
        saved->addWidget(names_, 1);
        saved->addWidget(button("Save", "save", [this] { save(); }));
        saved->addWidget(button("Load", "load", [this] { load(); }));
        saved->addWidget(button("Delete", "delete", [this] { remove(); }));
        box->addLayout(saved);
        fillNames();

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        QPushButton* ok = button("OK", "ok", [this] { accept(); });
        ok->setDefault(true);
        buttons->addWidget(ok);
        buttons->addWidget(button("Clear", "clear", [this] {
            cleared_ = true;
            QDialog::accept();
        }));
        buttons->addWidget(button("Cancel", "cancel", [this] { reject(); }));
        box->addLayout(buttons);
    }

    void show(const Query& query)
    {
        for (Row& r : rows_) {
            r.how->setCurrentIndex(0);
            r.value->clear();
        }
        for (const QueryTerm& t : query)
            for (Row& r : rows_)
                if (r.column == t.column) {
                    for (int i = 0; i < int(r.operators.size()); ++i)
                        if (r.operators[std::size_t(i)].first == t.how) r.how->setCurrentIndex(i);
                    r.value->setText(t.value);
                }
    }

    Query query() const
    {
        Query out;
        if (cleared_) return out;
        for (const Row& r : rows_)
            if (!r.value->text().isEmpty())
                out.push_back({r.column, r.operators[std::size_t(r.how->currentIndex())].first, r.value->text()});
        return out;
    }

    void accept() override
    {
        const Query q = query();
        const QueryCondition c = ConditionOf(q, columns_, layout_);
        if (c.refused >= 0) {
            refused_->setText(QStringLiteral("\"%1\" is not a number.").arg(q[std::size_t(c.refused)].value));
            return;
        }
        QDialog::accept();
    }

private:
    struct Row {
        int column;
        QComboBox* how;
        QLineEdit* value;
        std::vector<std::pair<records::Comparison, QString>> operators;
    };

    QPushButton* button(const char* caption, const char* name, std::function<void()> pressed)
    {
        auto* b = new QPushButton(QString::fromLatin1(caption));
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, std::move(pressed));
        return b;
    }
    void fillNames()
    {
        const QString typed = names_->currentText();
        names_->clear();
        names_->addItems(store_.Names());
        names_->setEditText(typed);
    }
    // Saved queries only touch the settings file: the window needs no wait for them.
    void save()
    {
        if (names_->currentText().trimmed().isEmpty()) return;
        store_.Save(names_->currentText(), query());
        fillNames();
    }
    void load()
    {
        if (auto q = store_.Load(names_->currentText())) show(*q);
    }
    void remove()
    {
        store_.Delete(names_->currentText());
        fillNames();
    }

    const std::vector<BrowseColumn>& columns_;
    const records::Layout& layout_;
    QueryStore& store_;
    std::vector<Row> rows_;
    QComboBox* names_;
    QLabel* refused_;
    bool cleared_ = false;
};

}  // namespace

std::optional<Query> AskQuery(const std::vector<BrowseColumn>& columns, const records::Layout& layout,
                              const Query& current, QueryStore& store)
{
    Window window(WindowKind::Dialog, QStringLiteral("Query"), 300, 200);
    auto* dialog = new QueryDialog(columns, layout, store, window.content());
    dialog->setWindowTitle(QStringLiteral("Query"));
    dialog->show(current);
    if (!runNestedDialog(window, *dialog)) return std::nullopt;
    return dialog->query();
}

}  // namespace ui
