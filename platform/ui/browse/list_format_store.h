#pragma once
// The stored formats of a window's browse lists, in the settings file's section of the window:
// the program's design format under "SRCFOriginal<list>", the user's under "SRCF<list>". A
// new design format of the program replaces the user's once; widths the user drags survive
// from one opening to the next; Ctrl+Alt+R gives every list its design format back.

#include "platform/ui/windows/window_manager.h"

#include <QString>

#include <vector>

namespace ui {

class BrowseBox;

class ListFormatStore : public WindowComponent {
public:
    // The store of the window's section (the procedure's name); attaches it to the manager.
    explicit ListFormatStore(WindowManager& manager);

    // After the window has opened: the list (named as "?Browse:1") joins the table and takes
    // the stored format, or stores its design format where the stored one is of another design.
    void Add(const QString& name, BrowseBox& list);
    // At tear-down, when the window had opened: the lists' current formats.
    void Save();

    Level TakeEvent(const Event& event) override;

private:
    struct Row {
        QString name;
        BrowseBox* list;
        QString design;
    };
    QString key(const QString& prefix, const Row& row) const { return prefix + row.name; }

    WindowManager& manager_;
    std::vector<Row> rows_;
};

// The key that restores the design formats.
inline constexpr int kRestoreFormatsKey = KEY::Ctrl | KEY::Alt | 'R';

}  // namespace ui
