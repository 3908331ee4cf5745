#pragma once

#include <QString>

#include "app/shell/desktop_services.h"

class QWidget;

namespace tavrel {

// A message as a box shows it. Messages carry Windows-1252 note text and file names as the
// system spells them (UTF-8); a message that reads as UTF-8 is taken as such, any other as
// Windows-1252, whose high bytes seldom form valid UTF-8.
QString BoxText(const std::string& message);

// The program's real boxes and file dialog, owned by the window they belong to.
class MessageBoxPrompts : public WindowPrompts {
  public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool AskOkCancel(const std::string& message) override;
    void ShowCritical(const std::string& message) override;
    void ShowInformation(const std::string& message) override;
    bool AskYesNo(const std::string& title, const std::string& message) override;
    void ShowMessage(const std::string& message) override;
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startDir) override;
    std::size_t AskChoice(const std::string& title, const std::string& message,
                          const std::vector<std::string>& buttons) override;

  private:
    QWidget* parent_ = nullptr;
};

// The shared error box as a message box.
class MessageBoxErrorReporter : public ErrorReporter {
  public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void ShowErrorBox(std::int32_t number, const std::string& description) override;

  private:
    QWidget* parent_ = nullptr;
};

// Opens documents with the desktop's default viewer.
class DesktopDocumentViewer : public DocumentViewer {
  public:
    bool OpenDocument(const std::string& path) override;
};

}  // namespace tavrel
