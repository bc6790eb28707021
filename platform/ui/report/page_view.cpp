#include "platform/ui/report/page_view.h"

#include "platform/ui/report/report_layout.h"
#include "platform/ui/report/report_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace ui::report {

namespace {

constexpr int kMargin = 12;  // pixels around and between the pages
constexpr double kZoomStep = 1.25;
constexpr double kSmallest = 0.01, kLargest = 1.0;

}  // namespace

PageView::PageView(const PageModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // a fitted width does not change with it
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Dark);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

QSize PageView::pageSize() const
{
    const QSize mils = pageSizeMils(model_.orientation);
    return QSize(int(std::lround(mils.width() * scale_)), int(std::lround(mils.height() * scale_)));
}

int PageView::pageTop(int page) const { return kMargin + page * (pageSize().height() + kMargin); }

void PageView::setZoomMode(ZoomMode mode)
{
    mode_ = mode;
    const QSize mils = pageSizeMils(model_.orientation);
    const double across = double(viewport()->width() - 2 * kMargin) / mils.width();
    const double down = double(viewport()->height() - 2 * kMargin) / mils.height();
    if (mode == WholePage) setScale(std::min(across, down));
    if (mode == FitWidth) setScale(across);
}

void PageView::zoomIn()
{
    mode_ = Custom;
    setScale(scale_ * kZoomStep);
}

void PageView::zoomOut()
{
    mode_ = Custom;
    setScale(scale_ / kZoomStep);
}

void PageView::setScale(double scale)
{
    // the page that was at the top of the view stays there
    const double at = double(verticalScrollBar()->value()) / std::max(1, pageSize().height() + kMargin);
    scale_ = std::clamp(scale, kSmallest, kLargest);
    updateScrollBars();
    verticalScrollBar()->setValue(int(std::lround(at * (pageSize().height() + kMargin))));
    viewport()->update();
}

void PageView::updateScrollBars()
{
    const QSize page = pageSize();
    const int width = page.width() + 2 * kMargin, height = pageTop(pageCount());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (mode_ == Custom)
        updateScrollBars();
    else
        setZoomMode(mode_);
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().dark());
    const QSize page = pageSize();
    const int step = page.height() + kMargin;
    // a narrow page stands in the middle
    const int left = std::max(kMargin, (viewport()->width() - page.width()) / 2) - horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value() + event->rect().top();
    const int bottom = verticalScrollBar()->value() + event->rect().bottom();
    const int first = std::max(0, (top - kMargin) / step);
    const int last = std::min(pageCount() - 1, (bottom - kMargin) / step);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int p = first; p <= last; ++p) {
        const QRect paper(left, pageTop(p) - verticalScrollBar()->value(), page.width(), page.height());
        painter.fillRect(paper, Qt::white);
        painter.save();
        painter.setClipRect(paper);
        painter.translate(paper.topLeft());
        paintPage(painter, model_.pages[std::size_t(p)], scale_ * 1000.0);
        painter.restore();
        ++pagesPainted_;
    }
}

}  // namespace ui::report
