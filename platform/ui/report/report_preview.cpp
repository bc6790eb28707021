#include "platform/ui/report/report_preview.h"

#include "platform/core/message.h"
#include "platform/core/settings_manager.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/dialogs/printer.h"
#include "platform/ui/report/page_view.h"
#include "platform/ui/report/report_painter.h"
#include "platform/ui/windows/window.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui::report {

namespace {

std::function<void(const PageModel&)>& interceptor()
{
    static std::function<void(const PageModel&)> f;
    return f;
}

const QString kPlacementName = QStringLiteral("_PreviewWindow_");

enum ControlNumber { Preview = 1, WholePage, FitWidth, ZoomIn, ZoomOut, Print, SavePdf, Close };

void printOnProgramPrinter(const PageModel& model)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        Message(QStringLiteral("Не установлен ни один принтер."), QStringLiteral("Печать"), MessageIcon::Exclamation);
        return;
    }
    QPrinter& printer = programPrinter();
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (!printPages(model, printer))
        Message(QStringLiteral("Не удалось напечатать отчет."), QStringLiteral("Печать"), MessageIcon::Exclamation);
}

void saveAsPdf(const PageModel& model)
{
    const QString name = askSaveFileName(QStringLiteral("Сохранить как PDF"), QDir::currentPath(),
                                         {QStringLiteral("Файлы PDF (*.pdf)")}, QStringLiteral("pdf"));
    if (name.isEmpty()) return;
    if (!writePdf(model, name))
        Message(QStringLiteral("Не удалось записать файл %1.").arg(QDir::toNativeSeparators(name)),
                QStringLiteral("Сохранить как PDF"), MessageIcon::Exclamation);
}

}  // namespace

QString previewTitle() { return QStringLiteral("Предварительный просмотр"); }

void setPreviewInterceptor(std::function<void(const PageModel&)> f) { interceptor() = std::move(f); }

void showPreview(const PageModel& model, const PreviewOptions& options)
{
    if (interceptor()) {
        interceptor()(model);
        return;
    }
    Window window(WindowKind::Dialog, previewTitle(), 400, 300);
    window.setResizable(true, 200, 150);
    auto* layout = new QVBoxLayout(window.content());
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar;
    const struct {
        int number;
        const char* name;
        const char* caption;
    } buttons[] = {
        {WholePage, "?WHOLEPAGE", "Весь лист"}, {FitWidth, "?FITWIDTH", "По ширине"}, {ZoomIn, "?ZOOMIN", "Увеличить"},
        {ZoomOut, "?ZOOMOUT", "Уменьшить"},     {Print, "?PRINT", "Печать"},         {SavePdf, "?SAVEPDF", "Сохранить как PDF"},
        {Close, "?CLOSE", "Закрыть"},
    };
    for (const auto& b : buttons) {
        auto* button = new QToolButton;
        button->setText(QString::fromUtf8(b.caption));
        bar->addWidget(button);
        window.add(CREATE::Button, QString::fromLatin1(b.name), button, b.number);
    }
    layout->addWidget(bar);
    auto* preview = new PageView(model);
    layout->addWidget(preview, 1);
    window.add(CREATE::Region, QStringLiteral("?PREVIEW"), preview, Preview);
    const auto zoom = [preview](PreviewOptions::Zoom z) {
        preview->setZoomMode(z == PreviewOptions::WholePage ? PageView::WholePage : PageView::FitWidth);
    };
    zoom(options.zoom);

    window.open();
    SettingsManager* settings = settingsManager();
    WindowPlacement placement{};
    // the stored normal place first, so that a window opened maximised restores to it
    if (settings && settings->RestoreWindow(kPlacementName, placement)) window.setPlacement(placement);
    if (options.maximised) window.topWidget()->showMaximized();
    for (bool done = false; !done;) {
        const Event e = window.wait();
        if (e.event == EVENT::CloseWindow) break;
        if (e.event != EVENT::Accepted) continue;
        switch (e.field) {
        case WholePage: zoom(PreviewOptions::WholePage); break;
        case FitWidth: zoom(PreviewOptions::FitWidth); break;
        case ZoomIn: preview->zoomIn(); break;
        case ZoomOut: preview->zoomOut(); break;
        case Print: printOnProgramPrinter(model); break;
        case SavePdf: saveAsPdf(model); break;
        case Close: done = true; break;
        default: break;
        }
    }
    if (settings) settings->SaveWindow(kPlacementName, window.placement());
    window.close();
}

}  // namespace ui::report
