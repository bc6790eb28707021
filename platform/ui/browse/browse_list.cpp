#include "platform/ui/browse/browse_list.h"

#include "platform/core/codepage.h"
#include "platform/ui/browse/browse_groups.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/input_filter.h"
#include "platform/ui/windows/window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>
#include <QTableView>

#include <utility>

namespace ui {

namespace {

// Cells drawn with their indent from the aligned edge.
class IndentedCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        // a cell's own colours: the foreground and background roles in initStyleOption, the
        // selected ones here
        initStyleOption(&opt, index);
        for (const auto& [role, colorRole] : {std::pair{BrowseModel::SelectedForegroundRole, QPalette::HighlightedText},
                                              std::pair{BrowseModel::SelectedBackgroundRole, QPalette::Highlight}})
            if (const QVariant c = index.data(role); c.isValid()) opt.palette.setColor(colorRole, c.value<QColor>());
        const QString text = opt.text;
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
        const int indent = index.data(BrowseModel::IndentRole).toInt();
        if (opt.displayAlignment & Qt::AlignRight)
            r.adjust(0, 0, -indent, 0);
        else if (opt.displayAlignment & Qt::AlignLeft)
            r.adjust(indent, 0, 0, 0);
        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->save();
        painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(r, int(opt.displayAlignment), opt.fontMetrics.elidedText(text, opt.textElideMode, r.width()));
        painter->restore();
    }
};

Qt::Alignment alignmentOf(ColumnAlign align)
{
    switch (align) {
    case ColumnAlign::Right:
    case ColumnAlign::Decimal: return Qt::AlignRight;
    case ColumnAlign::Centre: return Qt::AlignHCenter;
    case ColumnAlign::Left: break;
    }
    return Qt::AlignLeft;
}

// The navigation keys of a list and the events they become.
int scrollEventOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers m = key.modifiers() & ~Qt::KeypadModifier;
    const bool plain = m == Qt::NoModifier;
    switch (key.key()) {
    case Qt::Key_Up: return plain ? EVENT::ScrollUp : 0;
    case Qt::Key_Down: return plain ? EVENT::ScrollDown : 0;
    case Qt::Key_PageUp: return plain ? EVENT::PageUp : 0;
    case Qt::Key_PageDown: return plain ? EVENT::PageDown : 0;
    case Qt::Key_Home: return plain || m == Qt::ControlModifier ? EVENT::ScrollTop : 0;
    case Qt::Key_End: return plain || m == Qt::ControlModifier ? EVENT::ScrollBottom : 0;
    default: return 0;
    }
}

// The keys the browse acts on besides navigation and typing.
bool isListKey(int code)
{
    return code == KEY::Insert || code == KEY::Delete || code == KEY::Enter || code == (KEY::Ctrl | KEY::Enter) ||
           code == KEY::AppsKey;
}

// The list's scroll bar: an empty list has no place to show, so its bar shows no thumb.
class ThumbBar : public QScrollBar {
public:
    ThumbBar(const BrowseModel& model, QWidget* parent) : QScrollBar(Qt::Vertical, parent), model_(model)
    {
        connect(&model, &QAbstractItemModel::modelReset, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (model_.rowCount() > 0) return QScrollBar::paintEvent(event);
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SubControls(QStyle::SC_All);
        option.subControls &= ~QStyle::SC_ScrollBarSlider;
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    }

private:
    const BrowseModel& model_;
};

// The look both views of a list share; the rows scroll only as the browse moves them.
void setUpView(QTableView& view, BrowseModel& model)
{
    view.setModel(&model);
    view.setItemDelegate(new IndentedCells(&view));
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setWordWrap(false);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 4);
    view.horizontalHeader()->setHighlightSections(false);
    // The header strip beyond the last column is painted as header, never with the window's
    // wallpaper.
    QPalette headerPalette = view.horizontalHeader()->palette();
    headerPalette.setBrush(QPalette::Window, QApplication::palette().window());
    view.horizontalHeader()->setPalette(headerPalette);
}

}  // namespace

BrowseList::BrowseList(QWidget* parent)
    : QWidget(parent), fixed_(new QTableView), fixedBox_(new QWidget(this)), fixedStrip_(new QWidget),
      view_(new QTableView(this)),
      bar_(new ThumbBar(model_, this))
{
    auto* fixedLayout = new QVBoxLayout(fixedBox_);
    fixedLayout->setContentsMargins(0, 0, 0, 0);
    fixedLayout->setSpacing(0);
    fixedLayout->addWidget(fixed_);
    fixedLayout->addWidget(fixedStrip_);
    fixedStrip_->setFixedHeight(view_->horizontalScrollBar()->sizeHint().height());
    fixedStrip_->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(fixedBox_);
    layout->addWidget(view_);
    layout->addWidget(bar_);
    fixedBox_->hide();

    setUpView(*view_, model_);
    setUpView(*fixed_, model_);
    fixed_->setSelectionModel(view_->selectionModel());
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setFocusPolicy(Qt::NoFocus);  // the keys go to the scrolled view
    // a row scrolled into view in one (the in-place editor's) is in view in the other
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, fixed_->verticalScrollBar(), &QScrollBar::setValue);
    connect(fixed_->verticalScrollBar(), &QScrollBar::valueChanged, view_->verticalScrollBar(), &QScrollBar::setValue);
    connect(fixed_->horizontalHeader(), &QHeaderView::sectionResized, this, &BrowseList::fitFixedView);
    // a new model forgets which sections were hidden
    connect(&model_, &QAbstractItemModel::modelReset, this, &BrowseList::showFixedColumns);
    view_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(view_);
    for (QWidget* w : {static_cast<QWidget*>(view_), view_->viewport(), fixed_->viewport(),
                       static_cast<QWidget*>(view_->horizontalScrollBar())})
        w->installEventFilter(this);

    bar_->setRange(0, 100);
    bar_->setPageStep(10);
    bar_->setTracking(false);
    bar_->setFocusPolicy(Qt::NoFocus);
    connect(bar_, &QScrollBar::actionTriggered, this, &BrowseList::takeScrollAction);
    connect(bar_, &QScrollBar::sliderReleased, this, [this] {
        droppedThumb_ = bar_->sliderPosition();
        post(EVENT::ScrollDrag);
    });
}

void BrowseList::post(int event, int keyCode)
{
    if (Window* w = Window::of(this)) w->post(event, number_, keyCode);
}

std::vector<int> BrowseList::columnWidthsDu() const
{
    const Window* window = Window::of(this);
    const double pixelsPerUnit = window ? window->duX(1000) / 1000.0 : 2.0;
    std::vector<int> widths;
    for (int i = 0; i < model_.columnCount(); ++i) widths.push_back(qRound(viewOf(i)->columnWidth(i) / pixelsPerUnit));
    return widths;
}

QTableView* BrowseList::viewOf(int column) const { return column < fixedCount_ ? fixed_ : view_; }

void BrowseList::setColumnWidthsDu(const std::vector<int>& widths)
{
    const Window* window = Window::of(this);
    for (int i = 0; i < model_.columnCount() && i < int(widths.size()); ++i)
        viewOf(i)->setColumnWidth(i, window ? window->duX(widths[std::size_t(i)]) : widths[std::size_t(i)] * 2);
}

void BrowseList::setColumns(const std::vector<BrowseColumn>& columns, const std::vector<BrowseColumnGroup>& groups)
{
    const Window* window = Window::of(this);
    auto du = [window](int units) { return window ? window->duX(units) : units * 2; };
    std::vector<BrowseModel::Column> looks;
    std::vector<int> widths;
    std::vector<bool> endsLine;
    for (const BrowseColumn& c : columns) {
        looks.push_back({c.heading, alignmentOf(c.align), alignmentOf(c.headingAlign), du(c.indentDu)});
        widths.push_back(du(c.widthDu));
        endsLine.push_back(c.endsLine);
    }
    model_.setColumns(std::move(looks));
    if (!groups.empty()) {
        std::vector<int> groupWidths;
        for (const BrowseColumnGroup& g : groups) groupWidths.push_back(du(g.widthDu));
        const ColumnLayout layout = layoutColumns(widths, endsLine, groups, groupWidths);
        applyColumnGroups(*view_, layout, groups);
        widths = layout.sectionWidths;
    }
    fixedCount_ = 0;
    while (fixedCount_ < int(columns.size()) && columns[std::size_t(fixedCount_)].fixed) ++fixedCount_;
    if (fixedCount_ == int(columns.size())) fixedCount_ = 0;  // nothing scrolls beside them
    for (int i = 0; i < int(columns.size()); ++i) {
        const BrowseColumn& c = columns[std::size_t(i)];
        for (QTableView* v : {view_, fixed_}) {
            v->horizontalHeader()->setSectionResizeMode(i, c.resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
            v->setColumnWidth(i, widths[std::size_t(i)]);
        }
    }
    showFixedColumns();
}

void BrowseList::showFixedColumns()
{
    fixedBox_->setVisible(fixedCount_ > 0);
    if (fixedCount_ == 0) return;  // the view's hidden columns are its groups'
    for (int i = 0; i < model_.columnCount(); ++i) {
        fixed_->setColumnHidden(i, i >= fixedCount_);
        view_->setColumnHidden(i, i < fixedCount_);
    }
    // rows level with the scrolled view's: the same header height and row height
    fixed_->horizontalHeader()->setFixedHeight(view_->horizontalHeader()->sizeHint().height());
    fixed_->verticalHeader()->setDefaultSectionSize(view_->verticalHeader()->defaultSectionSize());
    fitFixedView();
}

void BrowseList::fitFixedView()
{
    if (fixedCount_ > 0) fixed_->setFixedWidth(fixed_->horizontalHeader()->length() + 2 * fixed_->frameWidth());
}

int BrowseList::columnsWidth() const
{
    const int fixed = fixedCount_ > 0 ? fixed_->width() : 0;
    return fixed + view_->horizontalHeader()->length() + 2 * view_->frameWidth() + bar_->sizeHint().width();
}

int BrowseList::visibleRows() const
{
    const int rowHeight = view_->verticalHeader()->defaultSectionSize();
    return std::max(1, view_->viewport()->height() / std::max(1, rowHeight));
}

void BrowseList::showHighlight(int row)
{
    if (row < 0 || row >= model_.rowCount()) {
        view_->clearSelection();
        return;
    }
    view_->selectionModel()->setCurrentIndex(model_.index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void BrowseList::setThumb(int percent) { bar_->setValue(percent); }

int BrowseList::thumb() const { return bar_->value(); }

bool BrowseList::hasFocusWithin() const
{
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == this) return true;
    return false;
}

QPoint BrowseList::rowPoint(int row) const
{
    const QTableView* v = viewOf(0);
    const QRect r = v->visualRect(model_.index(std::max(row, 0), 0));
    return v->viewport()->mapToGlobal(r.isValid() ? r.center() : QPoint(0, 0));
}

void BrowseList::setCellEditor(int row, int column, QWidget* editor)
{
    const QModelIndex index = model_.index(row, column);
    QTableView* v = viewOf(column);
    cellEditor_ = editor;
    if (!editor) {
        v->setIndexWidget(index, nullptr);
        view_->setFocus(Qt::OtherFocusReason);
        return;
    }
    v->scrollTo(index);
    v->setIndexWidget(index, editor);
    editor->setFocus(Qt::OtherFocusReason);
}

void BrowseList::takeScrollAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: post(EVENT::ScrollUp); break;
    case QAbstractSlider::SliderSingleStepAdd: post(EVENT::ScrollDown); break;
    case QAbstractSlider::SliderPageStepSub: post(EVENT::PageUp); break;
    case QAbstractSlider::SliderPageStepAdd: post(EVENT::PageDown); break;
    case QAbstractSlider::SliderToMinimum: post(EVENT::ScrollTop); break;
    case QAbstractSlider::SliderToMaximum: post(EVENT::ScrollBottom); break;
    default: break;
    }
}

bool BrowseList::takeKey(const QKeyEvent& key)
{
    if (int event = scrollEventOf(key)) {
        post(event);
        return true;
    }
    const int code = keyCodeOf(key);
    if (isListKey(code)) {
        post(EVENT::AlertKey, code);
        return true;
    }
    if (code == KEY::Backspace) {
        post(EVENT::Locate, KEY::Backspace);
        return true;
    }
    const QList<uint> typed = key.text().toUcs4();
    const bool commandKey = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!commandKey && typed.size() == 1 && QChar::isPrint(typed.front())) {
        // refused as every entry refuses it: no stored text can hold it
        if (codepage::representableInCp1251(typed.front())) post(EVENT::Locate, int(typed.front()));
        return true;
    }
    return false;
}

bool BrowseList::takeMouse(const QTableView& view, const QMouseEvent& mouse, bool doubleClick)
{
    int code = 0;
    if (mouse.button() == Qt::LeftButton)
        code = doubleClick ? KEY::MouseLeft2 : KEY::MouseLeft;
    else if (mouse.button() == Qt::RightButton && !doubleClick)
        code = KEY::MouseRight;
    if (!code) return false;
    const QModelIndex index = view.indexAt(mouse.position().toPoint());
    mouseDownRow_ = index.isValid() ? index.row() : -1;
    mouseDownPoint_ = mouse.globalPosition().toPoint();
    // while a row is edited the browse decides whether the click ends the editing; until then
    // the typing goes on into the editor
    QWidget* focus = cellEditor_ ? cellEditor_.data() : view_;
    focus->setFocus(Qt::MouseFocusReason);
    post(EVENT::AlertKey, code);
    return true;
}

bool BrowseList::eventFilter(QObject* watched, QEvent* event)
{
    // under the fixed columns as much room as the scrolled view's bar takes
    if (watched == view_->horizontalScrollBar()) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            fixedStrip_->setVisible(event->type() == QEvent::Show);
        return false;
    }
    // a list under a nested window takes no input (filters see what Qt then drops)
    if (!isEnabled() && event->type() != QEvent::FocusOut) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return watched == view_ && takeKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        for (const QTableView* v : {view_, fixed_})
            if (watched == v->viewport())
                return takeMouse(*v, *static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonDblClick);
        return false;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        // the browse moves the highlight; the views only show it
        return watched == view_->viewport() || watched == fixed_->viewport();
    case QEvent::FocusOut:
        if (watched == view_) ++focusLosses_;
        return false;
    default:
        return false;
    }
}

Control& AddBrowseList(Window& window, const QString& name, int number)
{
    auto* list = new BrowseList(window.content());
    Control& c = window.add(CREATE::List, name, list, number);
    list->setControlNumber(c.number());
    c.immediate = true;
    return c;
}

}  // namespace ui
