#include "platform/ui/report/report_engine.h"

#include "platform/core/picture.h"
#include "platform/ui/report/text_wrap.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui::report {

namespace {

int mils(double v) { return int(std::lround(v)); }

// Characters a picture shows: "n-10.2" 10, "S80" 80, "pСтр <<<#p" 8.
int pictureChars(const QString& picture)
{
    QString p = picture.trimmed();
    if (p.startsWith(u'@')) p.remove(0, 1);
    if (p.startsWith(u's', Qt::CaseInsensitive)) return p.mid(1).toInt();
    return int(Format(Decimal(0), p).size());
}

QString withoutLeadingBlanks(const QString& s)
{
    qsizetype n = 0;
    while (n < s.size() && s[n] == u' ') ++n;
    return n == 0 ? s : s.mid(n);
}

bool isNumeric(const Control& c)
{
    return c.kind == Kind::Sum || c.kind == Kind::PageNumber || (c.kind == Kind::Field && c.number);
}

Qt::Alignment alignmentOf(const Control& c)
{
    const Align a = c.align.value_or(isNumeric(c) && c.kind != Kind::PageNumber ? Align::Right : Align::Left);
    return a == Align::Right ? Qt::AlignRight : a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft;
}

}  // namespace

ReportEngine::ReportEngine(const ReportLayout& layout, Measurer& measurer) : layout_(layout), measurer_(measurer)
{
    model_.orientation = layout.orientation;
}

ResolvedFont ReportEngine::resolve(const Band& band, const Control& c) const
{
    ResolvedFont f{layout_.font.family, layout_.font.points, layout_.font.bold.value_or(false)};
    for (const FontSpec* s : {&band.font, &c.font}) {
        if (!s->family.isEmpty()) f.family = s->family;
        if (s->points > 0) f.points = s->points;
        if (s->bold) f.bold = *s->bold;
    }
    return f;
}

ReportEngine::Values ReportEngine::evaluate(const Band& band) const
{
    Values values(band.controls.size());
    for (std::size_t i = 0; i < band.controls.size(); ++i) {
        const Control& c = band.controls[i];
        switch (c.kind) {
        case Kind::Label: values[i].text = c.text; break;
        case Kind::Field: values[i].text = c.number ? Format(c.number(), c.picture) : Format(c.string(), c.picture); break;
        case Kind::Text: values[i].text = c.string(); break;
        case Kind::Image: values[i].image = c.image(); break;
        default: break;  // sums, page numbers and lines are resolved when placed
        }
    }
    return values;
}

void ReportEngine::printLine()
{
    std::size_t changed = 0;
    while (changed < open_.size() && open_[changed].key == layout_.groups[changed].key()) ++changed;
    closeGroups(changed);
    openGroups(changed);
    place(layout_.line, evaluate(layout_.line), nullptr);
    for (std::size_t g = 0; g < open_.size(); ++g) {
        const auto& footers = layout_.groups[g].footers;
        for (std::size_t b = 0; b < footers.size(); ++b) {
            for (std::size_t i = 0; i < footers[b].controls.size(); ++i)
                if (footers[b].controls[i].kind == Kind::Sum) open_[g].sums[b][i] += footers[b].controls[i].number();
            open_[g].footerValues[b] = evaluate(footers[b]);
        }
    }
}

void ReportEngine::closeGroups(std::size_t fromLevel)
{
    while (open_.size() > fromLevel) {
        const std::size_t g = open_.size() - 1;
        const auto& footers = layout_.groups[g].footers;
        for (std::size_t b = 0; b < footers.size(); ++b) place(footers[b], open_[g].footerValues[b], &open_[g].sums[b]);
        open_.pop_back();
    }
}

void ReportEngine::openGroups(std::size_t fromLevel)
{
    for (std::size_t g = fromLevel; g < layout_.groups.size(); ++g) {
        const Group& group = layout_.groups[g];
        Level level;
        level.key = group.key();
        for (const Band& f : group.footers) level.sums.emplace_back(f.controls.size(), Decimal(0));
        level.footerValues.resize(group.footers.size());
        open_.push_back(std::move(level));
        for (const Band& h : group.headers) place(h, evaluate(h), nullptr);
    }
}

void ReportEngine::finish()
{
    closeGroups(0);
    if (pageOpen_) closePage();
}

void ReportEngine::newPage()
{
    if (pageOpen_) closePage();
    model_.pages.emplace_back();
    pageOpen_ = true;
    cursorY_ = layout_.lineArea.top();
    if (const auto& h = layout_.pageHeader) {
        const Values values = evaluate(h->band);
        build(h->band, values, nullptr, h->x, h->y, h->width, int(model_.pages.size()), model_.pages.back().items);
    }
}

void ReportEngine::closePage()
{
    if (const auto& f = layout_.pageFooter) {
        const Values values = evaluate(f->band);
        build(f->band, values, nullptr, f->x, f->y, f->width, int(model_.pages.size()), model_.pages.back().items);
    }
    model_.pages.back().items.shrink_to_fit();  // a long report keeps thousands of pages
    pageOpen_ = false;
}

void ReportEngine::place(const Band& band, const Values& values, const std::vector<Decimal>* sums)
{
    const QRect& area = layout_.lineArea;
    std::vector<Item> items;
    const int height = build(band, values, sums, area.left(), 0, area.width(), 0, items);
    const int areaBottom = area.top() + area.height();
    if (!pageOpen_ || (height > areaBottom - cursorY_ && cursorY_ > area.top())) newPage();
    // a band taller than the whole area goes on over the pages it needs, cut between lines
    int placed = 0;  // how much of the band's height the earlier pages took
    while (height - placed > areaBottom - cursorY_) {
        const int cut = cutBetweenLines(items, placed, placed + areaBottom - cursorY_);
        const auto rest = std::stable_partition(items.begin(), items.end(), [cut](const Item& i) { return i.rect.y() < cut; });
        movePlaced(items.begin(), rest, cursorY_ - placed);
        items.erase(items.begin(), rest);
        placed = cut;
        newPage();
    }
    movePlaced(items.begin(), items.end(), cursorY_ - placed);
    cursorY_ += height - placed;
}

void ReportEngine::movePlaced(std::vector<Item>::iterator from, std::vector<Item>::iterator to, int dy)
{
    Page& page = model_.pages.back();
    for (auto i = from; i != to; ++i) {
        i->rect.translate(0, dy);
        page.items.push_back(std::move(*i));
    }
}

int ReportEngine::cutBetweenLines(const std::vector<Item>& items, int from, int limit)
{
    const auto crosses = [&](int y) {
        return std::any_of(items.begin(), items.end(),
                           [y](const Item& i) { return i.rect.y() < y && y < i.rect.y() + i.rect.height(); });
    };
    int best = crosses(limit) ? from : limit;
    for (const Item& i : items)
        for (const int y : {i.rect.y(), i.rect.y() + i.rect.height()})
            if (y > best && y <= limit && !crosses(y)) best = y;
    if (best > from) return best;
    // an item taller than the area: it stands whole on a page of its own
    int smallest = std::numeric_limits<int>::max();
    for (const Item& i : items)
        if (i.rect.y() < limit) smallest = std::min(smallest, i.rect.y() + i.rect.height());
    return std::max(smallest, from + 1);
}

int ReportEngine::fieldWidth(const Control& c, const ResolvedFont& font, const QString& shown)
{
    if (c.width > 0) return c.width;
    if (c.kind == Kind::Label) return mils(measurer_.textWidth(font, shown));
    return mils(pictureChars(c.picture) * measurer_.averageCharWidth(font));
}

int ReportEngine::build(const Band& band, const Values& values, const std::vector<Decimal>* sums, int x, int y,
                        int width, int pageNumber, std::vector<Item>& items)
{
    // What each control covers across the band, and how much a growing text grew beyond its
    // declared height.
    struct Span {
        int left = 0, right = 0;
        int declaredBottom = 0, growth = 0;
    };
    std::vector<Span> spans(band.controls.size());
    std::vector<std::vector<Item>> perControl(band.controls.size());
    for (std::size_t i = 0; i < band.controls.size(); ++i) {
        const Control& c = band.controls[i];
        const ResolvedFont font = resolve(band, c);
        const int lineHeight = mils(measurer_.lineHeight(font));
        auto& out = perControl[i];
        const Qt::Alignment align = alignmentOf(c);
        const auto textItem = [&](const QString& s, int w, int dy, double advance = -1) {
            Item it;
            it.kind = Item::Text;
            it.rect = QRect(x + c.x, y + c.y + dy, w, c.height > 0 && c.kind != Kind::Text ? c.height : lineHeight);
            // blanks before a right-aligned text do not show
            it.text = align == Qt::AlignRight ? withoutLeadingBlanks(s) : s;
            // the painter places an aligned text by its width, measured once here
            if (advance < 0) advance = align == Qt::AlignLeft ? 0 : measurer_.textWidth(font, it.text);
            it.advance = float(advance);
            it.font = font;
            it.align = align;
            out.push_back(std::move(it));
            spans[i].right = std::max(spans[i].right, c.x + w);
        };
        spans[i].left = spans[i].right = c.x;
        switch (c.kind) {
        case Kind::Label:
        case Kind::Field: textItem(values[i].text, fieldWidth(c, font, values[i].text), 0); break;
        case Kind::Sum: {
            const QString shown = Format(sums ? (*sums)[i] : Decimal(0), c.picture);
            textItem(shown, fieldWidth(c, font, shown), 0);
            break;
        }
        case Kind::PageNumber: {
            const QString shown = Format(Decimal(pageNumber), c.picture);
            textItem(shown, fieldWidth(c, font, shown), 0);
            break;
        }
        case Kind::Text: {
            const std::vector<WrappedLine> lines = wrapText(values[i].text, c.width, font, measurer_);
            for (std::size_t l = 0; l < lines.size(); ++l)
                textItem(lines[l].text, c.width, int(l) * lineHeight, lines[l].width);
            const int declared = c.height > 0 ? c.height : lineHeight;
            const int grown = int(lines.size()) * lineHeight;
            spans[i].declaredBottom = c.y + declared;
            spans[i].growth = std::max(0, grown - declared);
            break;
        }
        case Kind::Rule: {
            Item it;
            it.kind = Item::Line;
            if (c.width == 0 && c.height > 0)
                it.rect = QRect(x + c.x, y + c.y, 0, c.height);
            else
                it.rect = QRect(x + c.x, y + c.y, c.width > 0 ? c.width : width - c.x, 0);
            spans[i].right = c.x + it.rect.width();
            out.push_back(it);
            break;
        }
        case Kind::Box: {
            Item it;
            it.kind = Item::Frame;
            it.rect = QRect(x + c.x, y + c.y, c.width, c.height);
            spans[i].right = c.x + c.width;
            out.push_back(it);
            for (int d : c.dividers) {
                Item line;
                line.kind = Item::Line;
                line.rect = QRect(x + d, y + c.y, 0, c.height);
                out.push_back(line);
            }
            break;
        }
        case Kind::Image: {
            if (values[i].image.isNull()) break;
            Item it;
            it.kind = Item::Picture;
            it.rect = QRect(x + c.x, y + c.y, c.width, c.height);
            it.image = std::make_shared<const QImage>(values[i].image);
            spans[i].right = c.x + c.width;
            out.push_back(std::move(it));
            break;
        }
        }
    }
    // A control moves down by the growth of the texts stacked above it that it stands under
    // (side by side, texts do not push each other); controls are taken top down, so a text's
    // own move is known before the controls under it.
    const auto under = [&](std::size_t text, std::size_t i) {
        const Span& t = spans[text];
        const Span& s = spans[i];
        return t.growth > 0 && t.declaredBottom <= band.controls[i].y && t.left < std::max(s.right, s.left + 1) &&
               s.left < t.right;
    };
    std::vector<std::size_t> order(band.controls.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return band.controls[a].y < band.controls[b].y; });
    std::vector<int> shift(band.controls.size(), 0);
    int bandShift = 0;
    for (const std::size_t i : order) {
        for (const std::size_t t : order) {
            if (band.controls[t].y >= band.controls[i].y) break;
            if (under(t, i)) shift[i] = std::max(shift[i], shift[t] + spans[t].growth);
        }
        bandShift = std::max(bandShift, shift[i] + spans[i].growth);
    }
    // the band ends below its declared height moved as its texts grew, and below its lowest item
    int height = band.height + bandShift;
    for (std::size_t i = 0; i < band.controls.size(); ++i)
        for (Item& it : perControl[i]) {
            it.rect.translate(0, shift[i]);
            height = std::max(height, it.rect.y() + it.rect.height() - y);
            items.push_back(std::move(it));
        }
    return height;
}

}  // namespace ui::report
