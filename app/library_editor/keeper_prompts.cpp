#include "app/library_editor/keeper_prompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tavrel {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPlainTextEdit* Side(const std::string& text, bool editable) {
    auto* edit = new QPlainTextEdit(FromUtf8(text));
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setReadOnly(!editable);
    edit->setPlaceholderText(QStringLiteral("(deleted)"));
    return edit;
}

}  // namespace

int KeeperBoxes::Choose(const std::string& title, const std::string& message,
                        const std::vector<std::string>& buttons) {
    QMessageBox box(QMessageBox::Question, FromUtf8(title), FromUtf8(message),
                    QMessageBox::NoButton, parent_);
    std::vector<QAbstractButton*> added;
    for (const std::string& caption : buttons) {
        added.push_back(box.addButton(FromUtf8(caption), QMessageBox::AcceptRole));
    }
    if (!added.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(added.front()));
    }
    box.exec();
    const auto found = std::find(added.begin(), added.end(), box.clickedButton());
    return found == added.end() ? -1 : static_cast<int>(found - added.begin());
}

// Side by side: here (editable) and on disk; keeping mine keeps what the left side holds.
std::optional<std::string> KeeperBoxes::Resolve(const std::string& title, const std::string& mine,
                                                const std::string& theirs) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(FromUtf8(title));
    QPlainTextEdit* left = Side(mine, true);
    QPlainTextEdit* right = Side(theirs, false);
    auto* buttons = new QDialogButtonBox;
    QPushButton* keepMine =
        buttons->addButton(QStringLiteral("Keep Mine"), QDialogButtonBox::AcceptRole);
    QPushButton* takeTheirs =
        buttons->addButton(QStringLiteral("Take Theirs"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    QAbstractButton* pressed = nullptr;
    QObject::connect(buttons, &QDialogButtonBox::clicked, &dialog, [&](QAbstractButton* button) {
        pressed = button;
        dialog.done(button == keepMine || button == takeTheirs ? QDialog::Accepted
                                                               : QDialog::Rejected);
    });
    auto* layout = new QGridLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Here (yours, may be edited)")), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("On disk (saved by someone else)")), 0, 1);
    layout->addWidget(left, 1, 0);
    layout->addWidget(right, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    dialog.resize(900, 420);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return (pressed == keepMine ? left : right)->toPlainText().toStdString();
}

}  // namespace tavrel
