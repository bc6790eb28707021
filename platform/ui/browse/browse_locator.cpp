#include "platform/ui/browse/browse_locator.h"

#include "platform/core/collation.h"
#include "platform/core/programming_error.h"
#include "platform/records/contains_search.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/window.h"

namespace ui {

BrowseLocator::BrowseLocator(Window& window, records::RecordFile& file, Moves moves)
    : window_(window), file_(file), layout_(file.layout()), moves_(std::move(moves))
{
}

void BrowseLocator::enter(BrowseSortOrder& order)
{
    if (order_ && order_->locator == LocatorKind::Filter) {
        order_->SetFilter(kLocatorFilterName, {});
        if (Control* entry = window_.control(order_->locatorControl)) entry->setText({});
    }
    text_.clear();
    order_ = &order;
    if (order.locator == LocatorKind::Filter && layout_.columnAt(order.field.offset) < 0)
        programmingError("BrowseLocator: the filter locator's field is no field of " + layout_.label);
}

void BrowseLocator::takeCharacter(int character, const void* highlighted)
{
    if (!order_) return;
    BrowseSortOrder& o = *order_;
    const char32_t c = char32_t(character);
    if (o.locator == LocatorKind::None || !o.field || (character != KEY::Backspace && !QChar::isPrint(c))) return;
    if (o.locator == LocatorKind::Step) {
        // only the last character typed counts; a row that begins with it stays
        if (character == KEY::Backspace) return;
        const QString typed = QString::fromUcs4(&c, 1);
        if (highlighted && collation::toUpper(o.field.get(highlighted)).startsWith(collation::toUpper(typed))) return;
        moves_.locate(typed);
        return;
    }
    if (character == KEY::Backspace) {
        if (text_.isEmpty()) return;
        text_.chop(1);
    } else {
        if (o.field.width > 0 && text_.size() >= o.field.width) return;
        text_ += QString::fromUcs4(&c, 1);
    }
    if (o.locator == LocatorKind::Incremental) {
        moves_.locate(text_);
        return;
    }
    if (Control* entry = window_.control(o.locatorControl)) entry->setText(text_);
    applyFilter();
}

void BrowseLocator::takeAccepted()
{
    if (!order_) return;
    Control* entry = window_.control(order_->locatorControl);
    if (!entry) return;
    text_ = entry->text();
    if (order_->field.width > 0) text_.truncate(order_->field.width);
    if (order_->locator == LocatorKind::Incremental)
        moves_.locate(text_);
    else if (order_->locator == LocatorKind::Filter)
        applyFilter();
}

void BrowseLocator::applyFilter()
{
    if (text_.isEmpty()) {
        order_->SetFilter(kLocatorFilterName, {});
    } else {
        const records::Column& column = layout_.columns[std::size_t(layout_.columnAt(order_->field.offset))];
        order_->SetFilter(kLocatorFilterName, records::containsCondition(file_, column, text_.toStdString()));
    }
    moves_.refilter();
}

void BrowseLocator::restart()
{
    if (!order_ || order_->locator != LocatorKind::Incremental || text_.isEmpty()) return;
    text_.clear();
    show();
}

void BrowseLocator::show()
{
    if (!order_ || order_->locator != LocatorKind::Incremental) return;
    if (Control* entry = window_.control(order_->locatorControl)) entry->setText(text_);
}

}  // namespace ui
