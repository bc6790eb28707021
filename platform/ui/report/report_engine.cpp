#include "platform/ui/report/report_engine.h"

#include "platform/core/picture.h"
#include "platform/ui/report/text_wrap.h"

#include <algorithm>
#include <cmath>

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
    pageFull_ = false;
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
    pageOpen_ = false;
}

void ReportEngine::place(const Band& band, const Values& values, const std::vector<Decimal>* sums)
{
    const QRect& area = layout_.lineArea;
    std::vector<Item> items;
    const int height = build(band, values, sums, area.left(), 0, area.width(), 0, items);
    const int areaBottom = area.top() + area.height();
    if (!pageOpen_ || pageFull_ || (height > areaBottom - cursorY_ && cursorY_ > area.top())) newPage();
    Page& page = model_.pages.back();
    for (Item& i : items) {
        i.rect.translate(0, cursorY_);
        if (i.rect.top() >= areaBottom) continue;  // an oversized band is cut at the area's bottom
        if (i.rect.bottom() >= areaBottom) i.rect.setBottom(areaBottom - 1);
        page.items.push_back(std::move(i));
    }
    cursorY_ += height;
    if (cursorY_ >= areaBottom) pageFull_ = true;
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
    struct Growth {
        int bottom, by;  // below the declared bottom, things move down by its growth
    };
    std::vector<Growth> growths;
    std::vector<std::vector<Item>> perControl(band.controls.size());
    for (std::size_t i = 0; i < band.controls.size(); ++i) {
        const Control& c = band.controls[i];
        const ResolvedFont font = resolve(band, c);
        const int lineHeight = mils(measurer_.lineHeight(font));
        auto& out = perControl[i];
        const auto textItem = [&](const QString& s, int w, int dy) {
            Item it;
            it.kind = Item::Text;
            it.rect = QRect(x + c.x, y + c.y + dy, w, c.height > 0 && c.kind != Kind::Text ? c.height : lineHeight);
            it.text = s;
            it.font = font;
            it.align = alignmentOf(c);
            out.push_back(std::move(it));
        };
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
            const QStringList lines = wrapText(values[i].text, c.width, font, measurer_);
            for (int l = 0; l < lines.size(); ++l) textItem(lines[l], c.width, l * lineHeight);
            const int declared = c.height > 0 ? c.height : lineHeight;
            const int grown = int(lines.size()) * lineHeight;
            if (grown > declared) growths.push_back({c.y + declared, grown - declared});
            break;
        }
        case Kind::Rule: {
            Item it;
            it.kind = Item::Line;
            if (c.width == 0 && c.height > 0)
                it.rect = QRect(x + c.x, y + c.y, 0, c.height);
            else
                it.rect = QRect(x + c.x, y + c.y, c.width > 0 ? c.width : width - c.x, 0);
            out.push_back(it);
            break;
        }
        case Kind::Box: {
            Item it;
            it.kind = Item::Frame;
            it.rect = QRect(x + c.x, y + c.y, c.width, c.height);
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
            it.image = values[i].image;
            out.push_back(std::move(it));
            break;
        }
        }
    }
    int maxGrowth = 0;
    for (std::size_t i = 0; i < band.controls.size(); ++i) {
        int shift = 0;
        for (const Growth& g : growths)
            if (band.controls[i].y >= g.bottom) shift = std::max(shift, g.by);
        for (Item& it : perControl[i]) {
            it.rect.translate(0, shift);
            items.push_back(std::move(it));
        }
    }
    for (const Growth& g : growths) maxGrowth = std::max(maxGrowth, g.by);
    return band.height + maxGrowth;
}

}  // namespace ui::report
