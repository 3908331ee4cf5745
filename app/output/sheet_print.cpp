#include "app/output/sheet_print.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <memory>

#include "app/shell/text_encoding.h"
#include "engine/layout/block_layout.h"

namespace tavrel {
namespace {

constexpr qreal kFooterLines = 2;

int SheetColumns(const SheetText& sheet) {
    std::size_t widest = static_cast<std::size_t>(LayoutSettings{}.rightMargin);
    for (const std::string& line : sheet.lines) {
        widest = std::max(widest, line.size());
    }
    return static_cast<int>(widest);
}

// The sheet font at the size that fits `columns` cells into `width`.
QFont FittedFont(QPaintDevice& device, int columns, qreal width) {
    QFont font = SheetFont();
    font.setPointSizeF(10);
    const qreal cell = QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('0'));
    font.setPointSizeF(10 * width / (columns * cell));
    return font;
}

}  // namespace

void PaintSheetPages(QPagedPaintDevice& device, const SheetText& sheet, const SymbolMap& symbols,
                     const QString& title) {
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    const int columns = SheetColumns(sheet);
    painter.setFont(FittedFont(device, columns, page.width()));
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal cell = page.width() / columns;
    const qreal lineHeight = metrics.lineSpacing();
    const int linesPerPage =
        std::max(1, static_cast<int>(page.height() / lineHeight - kFooterLines));
    const int pages = std::max<int>(
        1, static_cast<int>((sheet.lines.size() + static_cast<std::size_t>(linesPerPage) - 1) /
                            static_cast<std::size_t>(linesPerPage)));
    for (int number = 0; number < pages; ++number) {
        if (number > 0) {
            device.newPage();
        }
        const std::size_t first = static_cast<std::size_t>(number * linesPerPage);
        const std::size_t end =
            std::min(sheet.lines.size(), first + static_cast<std::size_t>(linesPerPage));
        for (std::size_t line = first; line < end; ++line) {
            const qreal baseline = static_cast<qreal>(line - first) * lineHeight + metrics.ascent();
            DrawSheetLine(painter, QPointF(0, baseline), cell, FromWindows1252(sheet.lines[line]),
                          symbols);
        }
        const QString footer =
            QStringLiteral("%1 - page %2 of %3").arg(title).arg(number + 1).arg(pages);
        painter.drawText(QRectF(0, page.height() - lineHeight, page.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignBottom, footer);
    }
}

QByteArray SheetPdf(const SheetText& sheet, const SymbolMap& symbols, const QString& title) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("tavrel"));
        PaintSheetPages(writer, sheet, symbols, title);
    }
    return pdf;
}

bool CadTextPdf(std::string_view cadText, const std::string& title, const std::string& chartPath,
                std::string& pdf, std::string& error) {
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        // A command prints its own messages only, not those of a platform it never shows.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "tavrel";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const SymbolMap symbols = chartPath.empty()
                                  ? SymbolMap{}
                                  : SymbolsOf(LoadSymbolChart(QString::fromStdString(chartPath)));
    const QByteArray bytes =
        SheetPdf(ReadSheetText(cadText), symbols, QString::fromStdString(title));
    if (bytes.isEmpty()) {
        error = "the PDF could not be made";
        return false;
    }
    pdf.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

}  // namespace tavrel
