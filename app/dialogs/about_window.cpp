#include "app/dialogs/about_window.h"

#include <cerrno>
#include <cstdio>

#include <QLabel>
#include <QPushButton>

#include "app/dialogs/info_card.h"
#include "app/shell/program_texts.h"
#include "app/shell/text_encoding.h"
#include "library/commands/command_services.h"
#include "tavrel/version.h"

namespace tavrel {

FileContent ReadWholeFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return {{}, failures::FromErrno(errno)};
    }
    FileContent content;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.bytes.append(buffer, count);
    }
    if (std::ferror(file) != 0) {
        content.failure = failures::FromErrno(errno);
    }
    std::fclose(file);
    return content;
}

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const InfoCard card = BuildInfoCard(this, {AboutDisclaimer(), HelpDeskLine()});
    titleLabel_ = card.title;
    versionLabel_ = card.version;
    setWindowTitle(QStringLiteral("About MyApp"));
    titleLabel_->setText(QStringLiteral("Application Title"));
    versionLabel_->setText(QStringLiteral("Application Version"));
    connect(card.okButton, &QPushButton::clicked, this, &QDialog::close);
}

void AboutWindow::Load(const std::string& versionFilePath, ErrorReporter& errors) {
    const FileContent version = ReadWholeFile(versionFilePath);
    if (version.failure) {
        errors.Report(NamingFile(*version.failure, versionFilePath));
        return;
    }
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const QString title = QString::fromLatin1(kProgramTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    titleLabel_->setText(title);
    versionLabel_->setText(QStringLiteral("Version ") + NoteTextForDisplay(version.bytes));
}

}  // namespace tavrel
