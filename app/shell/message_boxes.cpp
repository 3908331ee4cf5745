#include "app/shell/message_boxes.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

#include "app/shell/file_dialog.h"
#include "app/shell/text_encoding.h"
#include "tavrel/version.h"

namespace tavrel {
namespace {

QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const std::string& message,
                                    QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, BoxText(message), buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString ProgramTitle() {
    return QString::fromLatin1(kProgramTitle);
}

}  // namespace

QString BoxText(const std::string& message) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(message.data(), message.size()));
    return utf8.hasError() ? FromWindows1252(message) : text;
}

std::optional<std::string> MessageBoxPrompts::ChooseFile(const FileDialogRequest& request) {
    return FileDialog(request, parent_).Show();
}

bool MessageBoxPrompts::AskOkCancel(const std::string& message) {
    return ShowBox(parent_, QMessageBox::NoIcon, ProgramTitle(), message,
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessageBoxPrompts::ShowCritical(const std::string& message) {
    ShowBox(parent_, QMessageBox::Critical, ProgramTitle(), message, QMessageBox::Ok);
}

void MessageBoxPrompts::ShowInformation(const std::string& message) {
    ShowBox(parent_, QMessageBox::Information, ProgramTitle(), message, QMessageBox::Ok);
}

bool MessageBoxPrompts::AskYesNo(const std::string& title, const std::string& message) {
    return ShowBox(parent_, QMessageBox::NoIcon, BoxText(title), message,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::ShowMessage(const std::string& message) {
    ShowBox(parent_, QMessageBox::NoIcon, ProgramTitle(), message, QMessageBox::Ok);
}

std::optional<std::string> MessageBoxPrompts::ChooseFolder(const std::string& title,
                                                           const std::string& startDir) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent_, FromWindows1252(title), QFile::decodeName(QByteArray::fromStdString(startDir)));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(folder).toStdString();
}

std::size_t MessageBoxPrompts::AskChoice(const std::string& title, const std::string& message,
                                         const std::vector<std::string>& buttons) {
    QMessageBox box(QMessageBox::Warning, BoxText(title), BoxText(message), QMessageBox::NoButton,
                    parent_);
    std::vector<QAbstractButton*> added;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QMessageBox::ButtonRole role = i == 0                    ? QMessageBox::AcceptRole
                                             : i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                       : QMessageBox::ActionRole;
        added.push_back(box.addButton(BoxText(buttons[i]), role));
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
    box.setEscapeButton(added.back());
    box.exec();
    const auto pressed = std::find(added.begin(), added.end(), box.clickedButton());
    return pressed == added.end() ? added.size() - 1
                                  : static_cast<std::size_t>(pressed - added.begin());
}

void MessageBoxErrorReporter::ShowErrorBox(std::int32_t number, const std::string& description) {
    const ErrorBoxText text = FormatErrorBox(number, description, kProgramTitle);
    ShowBox(parent_, text.critical ? QMessageBox::Critical : QMessageBox::NoIcon,
            FromWindows1252(text.title), text.message, QMessageBox::Ok);
}

bool DesktopDocumentViewer::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
}

}  // namespace tavrel
