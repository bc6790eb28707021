#include "platform/ui/browse/file_drop_combo.h"

#include "platform/core/collation.h"
#include "platform/records/cursor.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

#include <climits>

namespace ui {

QComboBox* newFileDropCombo(const std::vector<BrowseColumn>& columns)
{
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);  // a typed text is taken as the user typed it
    // its width from its layout, not from measuring every record's text
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(20);
    auto* model = new QStandardItemModel(0, int(columns.size()), combo);
    for (int c = 0; c < int(columns.size()); ++c) model->setHorizontalHeaderItem(c, new QStandardItem(columns[std::size_t(c)].heading));
    combo->setModel(model);
    auto* view = new QTableView;
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setShowGrid(false);
    combo->setView(view);
    combo->setModelColumn(0);
    return combo;
}

FileDropCombo::FileDropCombo(WindowManager& manager, Control& combo, records::RecordFile& file, int key,
                             std::vector<BrowseColumn> columns)
    : control_(combo),
      combo_(qobject_cast<QComboBox*>(combo.widget())),
      file_(file),
      key_(key),
      columns_(std::move(columns)),
      model_(qobject_cast<QStandardItemModel*>(combo_->model())),
      signals_(std::make_unique<QObject>())
{
    QObject::connect(combo_, qOverload<int>(&QComboBox::activated), signals_.get(), [this](int row) { activated_ = row; });
    QLineEdit* edit = combo_->lineEdit();
    QObject::connect(edit, &QLineEdit::editingFinished, signals_.get(), [this, edit] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        typed_ = true;
        control_.window().post(EVENT::Accepted, control_.number());
    });
    manager.AddComponent(this);
}

FileDropCombo::~FileDropCombo() = default;

void FileDropCombo::Reload()
{
    const QString text = combo_->currentText();
    records_.clear();
    records::Cursor cursor(file_, key_);
    cursor.toStart();
    const std::size_t size = file_.layout().recordSize;
    if (cursor.read(true, INT_MAX, [&](records::Position, const void* r) {
            const auto* bytes = static_cast<const unsigned char*>(r);
            records_.emplace_back(bytes, bytes + size);
        }) < 0)
        records_.clear();
    fill();
    combo_->setEditText(text);
}

void FileDropCombo::fill()
{
    const QSignalBlocker quiet(combo_);
    model_->removeRows(0, model_->rowCount());
    for (const auto& record : records_) {
        QList<QStandardItem*> cells;
        for (const BrowseColumn& c : columns_) cells << new QStandardItem(c.textOf(record.data()));
        model_->appendRow(cells);
    }
    selected_ = -1;
    combo_->setCurrentIndex(-1);
    if (auto* view = qobject_cast<QTableView*>(combo_->view())) {
        const Window& w = control_.window();
        for (int c = 0; c < int(columns_.size()); ++c) view->setColumnWidth(c, w.duX(columns_[std::size_t(c)].widthDu));
    }
}

int FileDropCombo::rowOf(const std::function<bool(const void*)>& which) const
{
    for (int row = 0; row < Rows(); ++row)
        if (which(Record(row))) return row;
    return -1;
}

void FileDropCombo::Show(const std::function<bool(const void* record)>& which)
{
    const QSignalBlocker quiet(combo_);
    selected_ = rowOf(which);
    combo_->setCurrentIndex(selected_);
    if (selected_ < 0) combo_->setEditText({});
}

void FileDropCombo::choose(int row)
{
    {
        const QSignalBlocker quiet(combo_);
        selected_ = row;
        combo_->setCurrentIndex(row);
    }
    if (Chosen) Chosen(Record(row));
}

void FileDropCombo::takeTyped(const QString& text)
{
    if (text.isEmpty()) return;
    const QString upper = collation::toUpper(text);
    const int row = rowOf([&](const void* r) { return collation::toUpper(columns_.front().field.get(r)).startsWith(upper); });
    if (row >= 0) {
        choose(row);
        return;
    }
    if (NotFound && NotFound(text)) {
        const std::vector<unsigned char> added(static_cast<const unsigned char*>(file_.buffer()),
                                               static_cast<const unsigned char*>(file_.buffer()) + file_.layout().recordSize);
        Reload();
        const records::Key& key = file_.layout().keys[std::size_t(key_)];
        const int at = rowOf([&](const void* r) {
            for (int c : key.components)
                if (!file_.layout().columns[std::size_t(c)].equal(r, added.data())) return false;
            return true;
        });
        if (at >= 0) {
            choose(at);
            return;
        }
    }
    // nothing chosen: the text goes, the focus stays
    {
        const QSignalBlocker quiet(combo_);
        combo_->setCurrentIndex(-1);
        combo_->setEditText({});
    }
    selected_ = -1;
    combo_->setFocus(Qt::OtherFocusReason);
}

Level FileDropCombo::TakeEvent(const Event& e)
{
    if (e.event != EVENT::Accepted || e.field != control_.number()) return Level::Benign;
    const int chosen = activated_;
    const bool typed = typed_;
    activated_ = -1;
    typed_ = false;
    if (chosen >= 0 && chosen < Rows())
        choose(chosen);
    else if (typed)
        takeTyped(combo_->currentText());
    return Level::Benign;
}

}  // namespace ui
