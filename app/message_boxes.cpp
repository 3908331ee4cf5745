#include "app/message_boxes.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/file_dialog.h"
#include "app/text_encoding.h"
#include "tavrel/version.h"

namespace tavrel {
namespace {

QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const std::string& message,
                                    QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, FromWindows1252(message), buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString ProgramTitle() {
    return QString::fromLatin1(kProgramTitle);
}

}  // namespace

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
    return ShowBox(parent_, QMessageBox::NoIcon, FromWindows1252(title), message,
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

void MessageBoxErrorReporter::ShowErrorBox(std::int32_t number, const std::string& description) {
    const ErrorBoxText text = FormatErrorBox(number, description, kProgramTitle);
    ShowBox(parent_, text.critical ? QMessageBox::Critical : QMessageBox::NoIcon,
            FromWindows1252(text.title), text.message, QMessageBox::Ok);
}

void DesktopDocumentViewer::OpenDocument(const std::string& path) {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
}

}  // namespace tavrel
