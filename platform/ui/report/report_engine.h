#pragma once
// Wing report: the band report engine with its progress window and preview.
// Lays a band report out into pages as its driver prints lines. Before a line, groups whose
// break field changed are closed (footers from the innermost level out, with the finished
// group's values and sums) and opened again (headers inwards, with the new record); a group
// opens only with its first printed line, so nothing printed gives no page at all.

#include "platform/ui/report/measurer.h"
#include "platform/ui/report/page_model.h"
#include "platform/ui/report/report_layout.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ui::report {

class ReportEngine {
public:
    ReportEngine(const ReportLayout& layout, Measurer& measurer);

    // The line band of the record the driver has in its buffers.
    void printLine();
    // Closes the open groups and the last page.
    void finish();

    const PageModel& pages() const { return model_; }
    PageModel takePages() { return std::move(model_); }

private:
    // What a control shows, read when its band is evaluated.
    struct Value {
        QString text;
        QImage image;
    };
    using Values = std::vector<Value>;
    struct Level {
        std::int64_t key = 0;
        std::vector<std::vector<Decimal>> sums;   // per footer band, per control
        std::vector<Values> footerValues;         // the footers as the group's last line left them
    };

    Values evaluate(const Band& band) const;
    void closeGroups(std::size_t fromLevel);
    void openGroups(std::size_t fromLevel);
    // A band at the cursor, or on the next page when it does not fit what is left of the area;
    // a band taller than the area goes on over further pages.
    void place(const Band& band, const Values& values, const std::vector<Decimal>* sums);
    void movePlaced(std::vector<Item>::iterator from, std::vector<Item>::iterator to, int dy);
    // The greatest height within (from, limit] at which no item is cut in two.
    static int cutBetweenLines(const std::vector<Item>& items, int from, int limit);
    // Items of a band placed at (x, y), moved by the growth of the texts above them; the band's
    // height after the moves.
    int build(const Band& band, const Values& values, const std::vector<Decimal>* sums, int x, int y, int width,
              int pageNumber, std::vector<Item>& items);
    ResolvedFont resolve(const Band& band, const Control& c) const;
    int fieldWidth(const Control& c, const ResolvedFont& font, const QString& shown);
    void newPage();
    void closePage();

    const ReportLayout& layout_;
    Measurer& measurer_;
    PageModel model_;
    std::vector<Level> open_;  // the open groups, outer first
    int cursorY_ = 0;
    bool pageOpen_ = false;
};

}  // namespace ui::report
