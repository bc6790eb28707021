#include "platform/ui/browse/browse_box.h"

#include "platform/core/programming_error.h"
#include "platform/core/thread_state.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/browse/browse_thumb.h"
#include "platform/ui/browse/row_editor.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/toolbar_state.h"

#include <QEvent>
#include <QObject>

#include <cstddef>
#include <string>

namespace ui {

namespace {

// The list of each window that the frame's toolbar buttons act on, by the window's id: a
// window at the address of one gone is never taken for it.
std::map<WindowId, BrowseBox*>& toolbarTargets()
{
    static std::map<WindowId, BrowseBox*> targets;
    return targets;
}

// Tells the browse when one of its buttons is enabled, disabled, shown or hidden.
class ButtonWatcher : public QObject {
public:
    explicit ButtonWatcher(std::function<void()> changed) : changed_(std::move(changed)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type t = event->type();
        if (t == QEvent::EnabledChange || t == QEvent::ShowToParent || t == QEvent::HideToParent) changed_();
        return false;
    }

private:
    std::function<void()> changed_;
};

}  // namespace

BrowseBox::BrowseBox() = default;

BrowseBox::~BrowseBox()
{
    auto it = toolbarTargets().find(windowId_);
    if (it != toolbarTargets().end() && it->second == this) toolbarTargets().erase(it);
}

void BrowseBox::Init(WindowManager& manager, Control& list, records::RelationManager& relations)
{
    list_ = qobject_cast<BrowseList*>(list.widget());
    if (!list_) programmingError("BrowseBox: control " + list.name().toStdString() + " is not a browse list");
    manager_ = &manager;
    window_ = &list.window();
    windowId_ = window_->id();
    relations_ = &relations;
    page_ = std::make_unique<BrowsePage>(relations.ME.file());
    page_->setSlicing([this] { return goOnAfterSlice(); });
    editor_ = std::make_unique<RowEditor>(*list_, columns_);
    locator_ = std::make_unique<BrowseLocator>(*window_, file(), BrowseLocator::Moves{
                                                                       [this](const QString& text) { locate(text); },
                                                                       [this] { refill(std::nullopt); },
                                                                   });
    SELECTING = manager.REQUEST == REQUEST::SelectRecord ? 1 : 0;
    if (SELECTING) {
        const auto* bytes = static_cast<const unsigned char*>(buffer());
        BUFFER.assign(bytes, bytes + layout().recordSize);
    }
    manager.AddComponent(this);
}

bool BrowseBox::goOnAfterSlice()
{
    // the other windows answer meanwhile; a newer search text, or the window's close, makes
    // the rest of this read worthless
    if (Scheduler::instance().currentId() == 0) return true;
    pause(0);
    const bool newerText = window_->hasQueued(EVENT::Locate, list_->controlNumber()) ||
                           (current_ && order().locatorControl &&
                            window_->hasQueued(EVENT::Accepted, order().locatorControl));
    return !newerText && !window_->hasQueued(EVENT::CloseWindow, 0);
}

void* BrowseBox::buffer() const { return relations_->ME.buffer(); }
records::RecordFile& BrowseBox::file() const { return relations_->ME.file(); }
const records::Layout& BrowseBox::layout() const { return relations_->ME.layout(); }

// --- set-up

BrowseSortOrder& BrowseBox::AddSortOrder(int key)
{
    orders_.emplace_back();
    orders_.back().key = key;
    return orders_.back();
}

void BrowseBox::AddField(BrowseColumn column) { columns_.push_back(std::move(column)); }

void BrowseBox::AddGroup(const QString& heading, int widthDu, int count)
{
    groups_.push_back({heading, widthDu, int(columns_.size()), count});
}

void BrowseBox::SetFilter(const QString& name, RecordFilter accept)
{
    if (accept)
        filters_[name] = std::move(accept);
    else
        filters_.erase(name);
}

void BrowseBox::SetToolbarTarget(int helpControl)
{
    HelpControl = helpControl;
    toolbarTarget_ = true;
    toolbarTargets().try_emplace(windowId_, this);
}

void BrowseBox::prepare()
{
    if (prepared_) return;
    prepared_ = true;
    if (HIDESELECT && !SELECTING)
        if (Control* select = window_->control(SelectControl)) select->hide();
    list_->setColumns(columns_, groups_);
    page_->setSize(list_->visibleRows());
    focusLossesSeen_ = list_->focusLosses();
    buttonWatcher_ = std::make_unique<ButtonWatcher>([this] { refreshToolbar(); });
    for (int button : {SelectControl, InsertControl, ChangeControl, DeleteControl, HelpControl})
        if (Control* c = window_->control(button); c && c->widget()) c->widget()->installEventFilter(buttonWatcher_.get());
}

void BrowseBox::syncPageSize()
{
    if (!prepared_) return;
    const int rows = list_->visibleRows();
    if (rows == page_->size()) return;
    page_->setSize(rows);
    if (!current_ || edit_) return;
    std::optional<Anchor> anchor = highlightAnchor();
    if (anchor) anchor->row = std::min(anchor->row, rows - 1);
    fillAt(anchor);
    showPage();
}

// --- the view

void BrowseBox::applyView()
{
    const BrowseSortOrder& o = order();
    rangeRecord_.assign(layout().recordSize, 0);
    layout().clear(rangeRecord_.data());
    if (o.rangeValues) o.rangeValues(rangeRecord_.data());
    records::Condition combined;
    for (const auto& [name, f] : filters_) combined &= f;
    for (const auto& [name, f] : o.filters) combined &= f;
    // a file marked opened with its relations is opened for real on its first read
    relations_->ME.UseFile();
    page_->setView(o.key, o.rangeLeading, rangeRecord_.data(), std::move(combined));
}

bool BrowseBox::inRange(const void* record) const
{
    const BrowseSortOrder& o = order();
    if (o.rangeLeading == 0 || !o.rangeValues) return true;
    std::vector<unsigned char> ranged(layout().recordSize);
    layout().copy(ranged.data(), record);
    o.rangeValues(ranged.data());
    return layout().equal(ranged.data(), record);
}

std::optional<BrowseBox::Anchor> BrowseBox::highlightAnchor() const
{
    const BrowseRow* h = page_->highlightedRow();
    if (!h) return std::nullopt;
    return Anchor{h->record, h->position, page_->highlighted()};
}

void BrowseBox::fillAt(const std::optional<Anchor>& anchor)
{
    if (anchor)
        page_->fillAt(anchor->record.data(), anchor->position, anchor->row);
    else
        page_->fillFromStart();
    checkRead();
}

void BrowseBox::checkRead()
{
    if (!page_->failed()) return;
    records::FileManager& me = relations_->ME;
    if (me.ERRORS) me.ReportReadFailure();
}

void BrowseBox::readEnds()
{
    haveEnds_ = false;
    if (order().step == ThumbStep::None) return;
    // a page that holds the whole view has its ends already (or none)
    const auto& rows = page_->rows();
    if (page_->atStart() && page_->atEnd()) {
        if (rows.empty()) return;
        first_ = rows.front().record;
        last_ = rows.back().record;
        haveEnds_ = true;
        return;
    }
    haveEnds_ = page_->readEnd(false, first_) && page_->readEnd(true, last_);
}

void BrowseBox::ResetSort(bool force)
{
    prepare();
    if (orders_.empty() || edit_) return;
    int wanted = ChooseSortOrder ? ChooseSortOrder() : std::max(current_, 1);
    if (wanted < 1 || wanted > int(orders_.size())) wanted = 1;
    const bool changed = wanted != current_;
    if (!changed && !force) return;
    std::optional<Anchor> anchor = current_ ? highlightAnchor() : std::nullopt;
    current_ = wanted;
    if (changed) locator_->enter(order());
    if (anchor && !inRange(anchor->record.data())) anchor.reset();
    if (anchor && changed) anchor->row = 0;
    refill(anchor);
}

void BrowseBox::ResetFromFile()
{
    if (!current_ || edit_) return;
    refill(highlightAnchor());
}

void BrowseBox::ResetFromBuffer()
{
    if (!current_ || edit_) return;
    const auto* bytes = static_cast<const unsigned char*>(buffer());
    refill(Anchor{{bytes, bytes + layout().recordSize}, file().position(), std::max(page_->highlighted(), 0)});
}

void BrowseBox::refill(const std::optional<Anchor>& anchor)
{
    applyView();
    fillAt(anchor);
    readEnds();
    // the newer search's own read shows its rows
    if (page_->abandoned()) return;
    showPage();
}

// --- showing

void BrowseBox::showPage()
{
    showRows();
    followHighlight();
}

void BrowseBox::showRows()
{
    std::vector<QStringList> texts, tips(page_->rows().size());
    std::vector<std::vector<CellColors>> colors(page_->rows().size());
    const auto& rows = page_->rows();
    for (int i = 0; i < int(rows.size()); ++i) {
        const void* record = edit_ && i == edit_->row ? buffer() : rows[std::size_t(i)].record.data();
        QStringList cells;
        appendCells(columns_, record, cells, colors[std::size_t(i)]);
        for (const BrowseColumn& c : columns_) tips[std::size_t(i)] << c.tooltipOf(record);
        texts.push_back(std::move(cells));
    }
    list_->model().setRows(std::move(texts), std::move(colors));
    list_->model().setTooltips(std::move(tips));
    list_->showHighlight(page_->highlighted());
    list_->setThumb(thumbPercent());
}

void BrowseBox::holdHighlighted()
{
    if (edit_) return;
    if (const BrowseRow* h = page_->highlightedRow()) {
        layout().copy(buffer(), h->record.data());
        file().setPosition(h->position);
    }
}

void BrowseBox::followHighlight()
{
    if (edit_) return;
    holdHighlighted();
    window_->displayAll();
    locator_->show();
    const BrowseRow* h = page_->highlightedRow();
    const records::Position now = h ? h->position : 0;
    if (now != shownPosition_) {
        shownPosition_ = now;
        window_->post(EVENT::NewSelection, list_->controlNumber());
    }
}

int BrowseBox::thumbPercent() const
{
    const BrowseRow* h = page_->highlightedRow();
    if (!h) return thumb::kTop;
    const BrowseSortOrder& o = order();
    if (o.step == ThumbStep::None || !o.field || !haveEnds_) {
        if (page_->atStart() && page_->highlighted() == 0) return thumb::kTop;
        if (page_->atEnd() && page_->highlighted() == int(page_->rows().size()) - 1) return thumb::kBottom;
        return thumb::kMiddle;
    }
    const QString text = o.field.get(h->record.data());
    const QString first = o.field.get(first_.data()), last = o.field.get(last_.data());
    if (o.step == ThumbStep::Alphabetic) return thumb::alphabeticPercent(text, first, last);
    return thumb::numericPercent(textToNumber(text), textToNumber(first), textToNumber(last));
}

// --- moving

void BrowseBox::move(Move how)
{
    if (!current_) return;
    bool moved = true;
    switch (how) {
    case Move::Down: moved = page_->down(); break;
    case Move::Up: moved = page_->up(); break;
    case Move::PageDown: moved = page_->pageDown(); break;
    case Move::PageUp: moved = page_->pageUp(); break;
    case Move::First: page_->fillFromStart(); break;
    case Move::Last: page_->fillFromEnd(); break;
    }
    checkRead();
    if (moved) showPage();
}

void BrowseBox::moveAsToolbar(int button)
{
    switch (button) {
    case TOOLBAR::Bottom: move(Move::Last); break;
    case TOOLBAR::Top: move(Move::First); break;
    case TOOLBAR::PageDown: move(Move::PageDown); break;
    case TOOLBAR::PageUp: move(Move::PageUp); break;
    case TOOLBAR::Down: move(Move::Down); break;
    case TOOLBAR::Up: move(Move::Up); break;
    default: break;
    }
}

void BrowseBox::dragThumb(int percent)
{
    locator_->restart();
    const BrowseSortOrder& o = order();
    if (percent <= thumb::kTop || percent >= thumb::kBottom || o.step == ThumbStep::None || !o.field || !haveEnds_) {
        move(percent < thumb::kMiddle ? Move::First : Move::Last);
        return;
    }
    const QString first = o.field.get(first_.data()), last = o.field.get(last_.data());
    if (o.step == ThumbStep::Alphabetic)
        locate(thumb::alphabeticAt(percent, first, last));
    else
        locate(QString::fromStdString(
            thumb::numericAt(percent, textToNumber(first), textToNumber(last)).toPlainString()));
}

void BrowseBox::locate(const QString& text)
{
    const BrowseSortOrder& o = order();
    if (!o.field) return;
    std::vector<unsigned char> probe(layout().recordSize);
    layout().clear(probe.data());
    if (o.rangeValues) o.rangeValues(probe.data());
    o.field.set(probe.data(), text);
    page_->fillAt(probe.data(), 0, 0);
    checkRead();
    showPage();
}

// --- events

Level BrowseBox::TakeEvent(const Event& e)
{
    if (!current_) ResetSort(true);
    if (list_->focusLosses() != focusLossesSeen_) {
        focusLossesSeen_ = list_->focusLosses();
        // the search entry's text, accepted now, is the new search text: not cleared before it is read
        const bool searchAccepted =
            current_ && e.event == EVENT::Accepted && e.field && e.field == order().locatorControl;
        if (!searchAccepted) locator_->restart();
    }
    claimToolbar();
    Level l = Level::Benign;
    if (e.field && (EVENT::isFieldEvent(e.event) || e.event == EVENT::AlertKey)) {
        if (e.field == list_->controlNumber())
            l = takeListEvent(e);
        else if (e.event == EVENT::Accepted)
            l = takeAccepted(e.field);
        else if (e.event == EVENT::NewSelection)
            ResetSort(false);  // a sheet's tab may choose another order
    } else if (e.event == EVENT::GainFocus) {
        ResetFromFile();  // other threads may have changed the file
    } else if (e.event == EVENT::OpenWindow || e.event == EVENT::Sized) {
        syncPageSize();
    } else if (e.event == EVENT::CloseWindow && edit_) {
        if (!endRowForClose()) l = Level::Notify;  // the window stays open
    }
    refreshToolbar();
    return l;
}

Level BrowseBox::takeListEvent(const Event& e)
{
    switch (e.event) {
    case EVENT::ScrollUp:
    case EVENT::ScrollDown:
    case EVENT::PageUp:
    case EVENT::PageDown:
    case EVENT::ScrollTop:
    case EVENT::ScrollBottom: {
        if (edit_) break;
        locator_->restart();
        const Move how[] = {Move::Up, Move::Down, Move::PageUp, Move::PageDown, Move::First, Move::Last};
        move(how[e.event - EVENT::ScrollUp]);
        break;
    }
    case EVENT::ScrollDrag:
        if (edit_)
            list_->setThumb(thumbPercent());
        else
            dragThumb(list_->droppedThumb());
        break;
    case EVENT::Locate:
        if (!edit_) {
            const BrowseRow* h = page_->highlightedRow();
            locator_->takeCharacter(e.keyCode, h ? h->record.data() : nullptr);
        }
        break;
    case EVENT::AlertKey:
        if (edit_)
            takeEditKey(e.keyCode);
        else
            takeListKey(e.keyCode);
        break;
    default: return Level::Benign;  // the list's NewSelection is for the window
    }
    return Level::Notify;
}

void BrowseBox::takeListKey(int keyCode)
{
    switch (keyCode) {
    case KEY::Insert:
        if (buttonAvailable(InsertControl)) Ask(REQUEST::InsertRecord);
        break;
    case KEY::Delete:
        if (buttonAvailable(DeleteControl)) Ask(REQUEST::DeleteRecord);
        break;
    case KEY::Ctrl | KEY::Enter:
        if (buttonAvailable(ChangeControl)) Ask(REQUEST::ChangeRecord);
        break;
    case KEY::Enter:
        if (SELECTING) chooseHighlighted();
        break;
    case KEY::MouseLeft: takeClick(false); break;
    case KEY::MouseLeft2: takeClick(true); break;
    case KEY::MouseRight:
        takeClick(false);
        popup(list_->mouseDownPoint());
        break;
    case KEY::AppsKey: popup(list_->rowPoint(page_->highlighted())); break;
    default: break;
    }
}

void BrowseBox::takeClick(bool doubleClick)
{
    locator_->restart();
    const int row = list_->mouseDownRow();
    if (row < 0) return;
    if (!doubleClick) {
        if (page_->setHighlighted(row)) showPage();
        return;
    }
    // on the row the double click's first click highlighted: a row it stored may have moved the
    // rows under the mouse since
    if (SELECTING)
        chooseHighlighted();
    else if (buttonAvailable(ChangeControl))
        Ask(REQUEST::ChangeRecord);
}

void BrowseBox::popup(QPoint at)
{
    std::vector<PopupItem> items;
    if (SELECTING && buttonAvailable(SelectControl)) items.push_back({QStringLiteral("&Выбрать"), {}, [this] { chooseHighlighted(); }, {}});
    if (buttonAvailable(InsertControl)) items.push_back({QStringLiteral("&Добавить"), {}, [this] { Ask(REQUEST::InsertRecord); }, {}});
    if (buttonAvailable(ChangeControl)) items.push_back({QStringLiteral("&Изменить"), {}, [this] { Ask(REQUEST::ChangeRecord); }, {}});
    if (buttonAvailable(DeleteControl)) items.push_back({QStringLiteral("&Удалить"), {}, [this] { Ask(REQUEST::DeleteRecord); }, {}});
    if (MorePopupItems)
        for (PopupItem& more : MorePopupItems()) items.push_back(std::move(more));
    if (!items.empty()) popupMenu(items, at);
}

Level BrowseBox::takeAccepted(int control)
{
    if (TOOLBAR::isForwarded(control) && !window_->control(control)) return takeToolbar(control);
    if (control == SelectControl)
        selectHighlighted();
    else if (control == InsertControl)
        Ask(REQUEST::InsertRecord);
    else if (control == ChangeControl)
        Ask(REQUEST::ChangeRecord);
    else if (control == DeleteControl)
        Ask(REQUEST::DeleteRecord);
    else if (current_ && control == order().locatorControl)
        locator_->takeAccepted();
    // the window sees its buttons as well
    return Level::Benign;
}

Level BrowseBox::takeToolbar(int button)
{
    auto target = toolbarTargets().find(windowId_);
    if (target == toolbarTargets().end() || target->second != this) return Level::Benign;
    if (!enabledToolbarButtons().count(button)) return Level::Notify;
    switch (button) {
    case TOOLBAR::Insert: window_->post(EVENT::Accepted, InsertControl); break;
    case TOOLBAR::Change: window_->post(EVENT::Accepted, ChangeControl); break;
    case TOOLBAR::Delete: window_->post(EVENT::Accepted, DeleteControl); break;
    case TOOLBAR::Help: window_->post(EVENT::Accepted, HelpControl); break;
    case TOOLBAR::Select: chooseHighlighted(); break;
    case TOOLBAR::Locate:
        if (Control* entry = window_->control(order().locatorControl))
            entry->select();
        else
            list_->setFocus(Qt::OtherFocusReason);  // the view is its focus proxy
        break;
    default:
        if (edit_) break;
        locator_->restart();
        moveAsToolbar(button);
        break;
    }
    return Level::Notify;
}

bool BrowseBox::buttonAvailable(int control) const
{
    const Control* c = control ? window_->control(control) : nullptr;
    return c && c->isEnabled() && !c->isHidden();
}

void BrowseBox::selectHighlighted()
{
    if (edit_ || page_->empty()) return;
    holdHighlighted();
    manager_->RESPONSE = RESPONSE::Completed;
    manager_->PostClose();
}

void BrowseBox::chooseHighlighted()
{
    if (edit_ || page_->empty()) return;
    // the window sees its select button accepted, whichever way the row was chosen
    if (window_->control(SelectControl)) {
        holdHighlighted();
        window_->post(EVENT::Accepted, SelectControl);
        return;
    }
    selectHighlighted();
}

void BrowseBox::Update() { holdHighlighted(); }

void BrowseBox::Kill()
{
    // a row still in editing is abandoned while its file is open
    if (edit_ && relations_->ME.USED) {
        NavRequest() = 0;
        abandonRow();
    }
    edit_.reset();
    if (editor_) editor_->close();
    if (SELECTING && manager_->RESPONSE != RESPONSE::Completed && BUFFER.size() == layout().recordSize)
        layout().copy(buffer(), BUFFER.data());
    auto it = toolbarTargets().find(windowId_);
    if (it != toolbarTargets().end() && it->second == this) {
        toolbarTargets().erase(it);
        window_->setToolbarButtons({});
    }
}

// --- the toolbar

void BrowseBox::claimToolbar()
{
    if (toolbarTarget_ && list_->hasFocusWithin()) toolbarTargets()[windowId_] = this;
}

void BrowseBox::refreshToolbar()
{
    auto it = toolbarTargets().find(windowId_);
    if (it != toolbarTargets().end() && it->second == this) window_->setToolbarButtons(enabledToolbarButtons());
}

std::set<int> BrowseBox::enabledToolbarButtons() const
{
    std::set<int> buttons;
    if (!list_->isEnabled()) return buttons;
    const std::pair<int, int> withButtons[] = {{TOOLBAR::Insert, InsertControl},
                                               {TOOLBAR::Change, ChangeControl},
                                               {TOOLBAR::Delete, DeleteControl},
                                               {TOOLBAR::Select, SelectControl},
                                               {TOOLBAR::Help, HelpControl}};
    for (const auto& [toolbarButton, control] : withButtons)
        if (buttonAvailable(control)) buttons.insert(toolbarButton);
    for (int navigation = TOOLBAR::Bottom; navigation <= TOOLBAR::Locate; ++navigation) buttons.insert(navigation);
    return buttons;
}

}  // namespace ui
