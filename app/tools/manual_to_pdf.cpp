// Build-time tool: renders the Markdown help manual (or any Markdown page) into a PDF with
// Qt's own writer.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: manual_to_pdf MANUAL.md OUTPUT.pdf [POINT_SIZE]\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "manual_to_pdf: %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 2;
    }
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(argc == 4 ? QString::fromLatin1(argv[3]).toDouble() : 10.0);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(
        QStringLiteral("code, pre { font-family: 'DejaVu Sans Mono'; font-size: %1pt; }")
            .arg(font.pointSizeF()));
    document.setMarkdown(QString::fromUtf8(source.readAll()));

    const QString output = QString::fromLocal8Bit(argv[2]);
    QPdfWriter writer(output);
    writer.setTitle(QStringLiteral("Tavrel Help"));
    writer.setCreator(QStringLiteral("tavrel"));
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setResolution(300);
    document.print(&writer);
    if (!QFile::exists(output) || QFile(output).size() == 0) {
        std::fprintf(stderr, "manual_to_pdf: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
