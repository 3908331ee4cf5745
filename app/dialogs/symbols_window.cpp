#include "app/dialogs/symbols_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include "app/output/symbol_chart.h"

namespace tavrel {
namespace {

struct SymbolsTexts {
    const char* objectName;
    const char* caption;
    const char* heading;
    const char* font;
};

SymbolsTexts TextsFor(UnitSystem units) {
    if (IsEnglish(units)) {
        return {"englishSymbolsWindow", "Engineering Symbols-English", "ENGINEERING SYMBOLS",
                "Bridge Font 49"};
    }
    return {"metricSymbolsWindow", "Engineering Symbols-Metric", "METRIC ENGINEERING SYMBOLS",
            "Bridge Font 48"};
}

QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    return label;
}

}  // namespace

QString SymbolChartPath(const std::string& libraryDir, UnitSystem units) {
    const QString name = IsEnglish(units) ? QStringLiteral("SymbolsEnglish.txt")
                                          : QStringLiteral("SymbolsMetric.txt");
    return QDir(QFile::decodeName(QByteArray::fromStdString(libraryDir)))
        .filePath(QStringLiteral("Help/") + name);
}

SymbolsWindow::SymbolsWindow(UnitSystem units, const QString& chartPath, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    const SymbolsTexts texts = TextsFor(units);
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(QLatin1String(texts.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    QLabel* heading = AddLabel(layout, "headingLabel", QLatin1String(texts.heading));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    AddLabel(layout, "fontLabel", QLatin1String(texts.font));
    chart_ = new SymbolChartView(LoadSymbolChart(chartPath));
    layout->addWidget(chart_, 1, Qt::AlignHCenter);
    auto* closeOnEscape = new QAction(this);
    closeOnEscape->setShortcut(Qt::Key_Escape);
    connect(closeOnEscape, &QAction::triggered, this, &QWidget::close);
    addAction(closeOnEscape);
    AddLabel(layout, "explanationLabel",
             QStringLiteral("Lower case letters and keyboard symbols will be engineering symbols "
                            "when the CAD Operator places the note file on the sheet."));
}

}  // namespace tavrel
