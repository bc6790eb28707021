#pragma once
// A drop-down combo over a record file: all its records in the order of a key, in columns,
// the first column's text in the combo's entry. Its text is its own, apart from the file's
// record buffer (others may read other records into that buffer while it shows its choice).
// Choosing an entry, or typing text and accepting it, makes a record the chosen one: a typed
// text chooses the first entry, in list order, that begins with it regardless of case; when
// none does, the window may add a record for it.

#include "platform/records/record_file.h"
#include "platform/ui/browse/browse_column.h"
#include "platform/ui/windows/window_manager.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QObject;
class QStandardItemModel;

namespace ui {

class Control;

class FileDropCombo : public WindowComponent {
public:
    // The combo (a control of the window, made by newFileDropCombo) over the file by its key;
    // the first column gives the entry's text. Attaches it to the window manager.
    FileDropCombo(WindowManager& manager, Control& combo, records::RecordFile& file, int key,
                  std::vector<BrowseColumn> columns);
    ~FileDropCombo() override;

    // A record was chosen (from the list or by a typed text).
    std::function<void(const void* record)> Chosen;
    // No entry begins with the typed text: true when a record for it was added, which the
    // file's record buffer then holds; the combo reads its records again and chooses it.
    std::function<bool(const QString& text)> NotFound;

    // Reads the records again; the entry keeps its text.
    void Reload();
    // The row whose record the predicate accepts shows in the entry (none: an empty entry);
    // nothing is chosen.
    void Show(const std::function<bool(const void* record)>& which);
    int Selected() const { return selected_; }
    int Rows() const { return int(records_.size()); }
    const void* Record(int row) const { return records_[std::size_t(row)].data(); }

    Level TakeEvent(const Event& event) override;

private:
    void fill();
    void choose(int row);
    void takeTyped(const QString& text);
    int rowOf(const std::function<bool(const void*)>& which) const;

    Control& control_;
    QComboBox* combo_;
    records::RecordFile& file_;
    int key_;
    std::vector<BrowseColumn> columns_;
    QStandardItemModel* model_;
    std::vector<std::vector<unsigned char>> records_;
    int selected_ = -1;
    int activated_ = -1;  // the entry the user chose from the list, until its Accepted is taken
    bool typed_ = false;  // the entry's text was typed and accepted
    // the receiver of the combo's signals: they end with this part, before the widgets go
    std::unique_ptr<QObject> signals_;
};

// The combo widget: editable, its list a table of `columns`.
QComboBox* newFileDropCombo(const std::vector<BrowseColumn>& columns);

}  // namespace ui
