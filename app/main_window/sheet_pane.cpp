#include "app/main_window/sheet_pane.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

#include "app/main_window/sheet_view.h"
#include "app/shell/text_encoding.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/notes/note_text_check.h"

namespace tavrel {
namespace {

// Whether two lower-case letters stand side by side anywhere: a fast look over a whole sheet,
// which is written in capitals, before a look line by line.
bool HasLowerCasePair(std::string_view text) {
    constexpr std::size_t kPiece = 4096;
    const auto lower = [](char c) { return static_cast<unsigned char>(c - 'a') < 26; };
    for (std::size_t start = 1; start < text.size(); start += kPiece) {
        const std::size_t end = std::min(text.size(), start + kPiece);
        bool found = false;
        for (std::size_t at = start; at < end; ++at) {
            found |= lower(text[at - 1]) & lower(text[at]);
        }
        if (found) {
            return true;
        }
    }
    return false;
}

}  // namespace

SheetPane::SheetPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Sheet"), parent), fault_(new QLabel), view_(new SheetView) {
    setObjectName(QStringLiteral("sheetPane"));
    fault_->setObjectName(QStringLiteral("sheetFault"));
    fault_->setWordWrap(true);
    fault_->setMargin(6);
    fault_->setAutoFillBackground(true);
    fault_->setBackgroundRole(QPalette::ToolTipBase);
    fault_->setForegroundRole(QPalette::ToolTipText);
    fault_->setCursor(Qt::PointingHandCursor);
    fault_->setToolTip(QStringLiteral("Click to select the note"));
    fault_->installEventFilter(this);
    fault_->hide();
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(fault_);
    layout->addWidget(view_, 1);
    setWidget(content);
    connect(view_, &SheetView::LineClicked, this, &SheetPane::OnLineClicked);
}

void SheetPane::Refresh(const NoteTables& tables, const NoteLists& lists,
                        const ProjectLines& projectLines) {
    spare_.Make(tables, lists, projectLines);
    std::swap(sheet_, spare_);
    view_->SetText(sheet_.text(), &sheet_);
    warning_ = sheet_.fault() ? std::nullopt : LowerCaseWord(projectLines);
    ShowBanner();
}

void SheetPane::UseSymbolChart(const QString& path) {
    const QDateTime modified = QFileInfo(path).lastModified();
    if (path == chartPath_ && modified == chartModified_) {
        return;
    }
    chartPath_ = path;
    chartModified_ = modified;
    symbols_ = SymbolsOf(LoadSymbolChart(path));
    view_->SetSymbols(symbols());
}

void SheetPane::ShowSymbols(bool shown) {
    symbolsShown_ = shown;
    view_->SetSymbols(symbols());
}

const SymbolMap& SheetPane::symbols() const {
    static const SymbolMap kKeys;
    return symbolsShown_ ? symbols_ : kKeys;
}

// The first word the CAD font would turn into symbols, in a project line or else in the note
// that prints it.
std::optional<SheetFault> SheetPane::LowerCaseWord(const ProjectLines& projectLines) const {
    for (std::size_t box = 0; box < projectLines.size(); ++box) {
        if (const auto word = FirstLowerCaseWord(TrimSpaces(projectLines[box]))) {
            return SheetFault{
                "Project line " + std::to_string(box + 1) + ": " + LowerCaseWordWarning(*word),
                -1,
                {},
                static_cast<int>(box)};
        }
    }
    if (!HasLowerCasePair(sheet_.text())) {
        return std::nullopt;
    }
    LineSplitter lines(sheet_.text());
    for (std::size_t line = 0; const auto text = lines.Next(); ++line) {
        const auto word = FirstLowerCaseWord(*text);
        const ComposedBlock* block = word ? sheet_.BlockAtLine(line) : nullptr;
        if (block != nullptr && !block->noteName.empty()) {
            const Section& section = SectionTable()[static_cast<std::size_t>(block->listView)];
            const std::string list =
                (section.category == NoteCategory::Hydraulic ? "Hydraulic " : "") +
                std::string(section.label);
            return SheetFault{list + ", " + block->noteName + ": " + LowerCaseWordWarning(*word),
                              block->listView, block->noteName};
        }
    }
    return std::nullopt;
}

void SheetPane::ShowBanner() {
    const std::optional<SheetFault>& shown = sheet_.fault() ? sheet_.fault() : warning_;
    fault_->setVisible(shown.has_value());
    if (shown) {
        fault_->setText(FromWindows1252(shown->description));
    }
}

bool SheetPane::ShowNote(int listView, const std::string& noteName) {
    const std::optional<SheetLines> lines = sheet_.LinesOf(listView, noteName);
    if (lines) {
        view_->MarkLines(*lines, true);
    }
    return lines.has_value();
}

bool SheetPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fault_ && event->type() == QEvent::MouseButtonRelease) {
        OnFaultClicked();
    }
    return QDockWidget::eventFilter(watched, event);
}

void SheetPane::OnLineClicked(int line) {
    const ComposedBlock* block = sheet_.BlockAtLine(static_cast<std::size_t>(line));
    if (block != nullptr && !block->noteName.empty()) {
        view_->MarkLines(*sheet_.LinesOf(block->listView, block->noteName), false);
        emit NoteClicked(block->listView, block->noteName);
    }
}

void SheetPane::OnFaultClicked() {
    const std::optional<SheetFault>& fault = sheet_.fault() ? sheet_.fault() : warning_;
    if (!fault) {
        return;
    }
    if (!fault->noteName.empty()) {
        emit NoteClicked(fault->listView, fault->noteName);
    } else if (fault->projectLine >= 0) {
        emit ProjectLineClicked(fault->projectLine);
    }
}

}  // namespace tavrel
