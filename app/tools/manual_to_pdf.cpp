// Build-time tool: renders the Markdown help manual (or any Markdown page) into a PDF with
// Qt's own writer. A line that does not fit the page's width (a code line never wraps) fails
// the build with the line named, rather than being cut off in the PDF.
#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>
#include <cstdio>

namespace {

// The lines laid out wider than the text area, each as "text (overflow in mm)".
QStringList LinesWiderThanThePage(const QTextDocument& document, qreal dotsPerMillimetre) {
    QStringList tooWide;
    const qreal textRight = document.pageSize().width() - document.documentMargin();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const qreal left = document.documentLayout()->blockBoundingRect(block).left();
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal overflow = left + line.x() + line.naturalTextWidth() - textRight;
            if (overflow > 0.5) {
                tooWide << QStringLiteral("%1 (%2 mm too wide)")
                               .arg(block.text().mid(line.textStart(), line.textLength()))
                               .arg(overflow / dotsPerMillimetre, 0, 'f', 1);
            }
        }
    }
    return tooWide;
}

// A reproducible build carries no build date: the creation date the writer put in becomes
// SOURCE_DATE_EPOCH's, in place, so no offset in the file moves. The writer gives the date in
// UTC ("D:YYYYMMDDhhmmssZ") as main sets the time zone.
bool StampSourceDate(const QString& path) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty()) {
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    QByteArray bytes = file.readAll();
    const QByteArray key = "/CreationDate (D:";
    const QByteArray date = QDateTime::fromSecsSinceEpoch(epoch.toLongLong(), Qt::UTC)
                                .toString(QStringLiteral("yyyyMMddhhmmss"))
                                .toLatin1();
    const qsizetype at = bytes.indexOf(key);
    if (at < 0 || bytes.mid(at + key.size() + date.size(), 2) != "Z)") {
        return false;
    }
    bytes.replace(at + key.size(), date.size(), date);
    return file.seek(0) && file.write(bytes) == bytes.size();
}

// Scales each picture down to the text's width, keeping its proportions.
void FitPictures(QTextDocument& document) {
    // A picture's size is in pixels of a 96 dpi screen, which the layout scales to the device;
    // nine tenths of the text's width leaves room for the scaling's rounding.
    const qreal width = 0.9 * document.pageSize().width() * 96 /
                        document.documentLayout()->paintDevice()->logicalDpiX();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid()) {
                continue;
            }
            const QImage image =
                document.resource(QTextDocument::ImageResource, QUrl(picture.name()))
                    .value<QImage>();
            if (!image.isNull() && image.width() > 0) {
                picture.setWidth(width);
                picture.setHeight(width * image.height() / image.width());
                QTextCursor cursor(&document);
                cursor.setPosition(fragment.position());
                cursor.setPosition(fragment.position() + fragment.length(),
                                   QTextCursor::KeepAnchor);
                cursor.setCharFormat(picture);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("TZ", "UTC");
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
    const QString output = QString::fromLocal8Bit(argv[2]);
    QPdfWriter writer(output);
    writer.setTitle(QStringLiteral("Tavrel Help"));
    writer.setCreator(QStringLiteral("tavrel"));
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setResolution(300);

    QTextDocument document;
    // Laid out at the writer's resolution on its page, so what is measured is what is printed.
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(argc == 4 ? QString::fromLatin1(argv[3]).toDouble() : 10.0);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(
        QStringLiteral("code, pre { font-family: 'DejaVu Sans Mono'; font-size: %1pt; }")
            .arg(font.pointSizeF()));
    // Pictures are named relative to the manual's folder.
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    FitPictures(document);

    const QStringList tooWide = LinesWiderThanThePage(document, writer.resolution() / 25.4);
    for (const QString& line : tooWide) {
        std::fprintf(stderr, "%s: line wider than the page: %s\n", argv[1], qPrintable(line));
    }
    if (!tooWide.isEmpty()) {
        QFile::remove(output);
        return 1;
    }
    document.print(&writer);
    if (!QFile::exists(output) || QFile(output).size() == 0) {
        std::fprintf(stderr, "manual_to_pdf: cannot write %s\n", argv[2]);
        return 2;
    }
    if (!StampSourceDate(output)) {
        std::fprintf(stderr, "manual_to_pdf: cannot set the creation date of %s\n", argv[2]);
        QFile::remove(output);
        return 2;
    }
    return 0;
}
