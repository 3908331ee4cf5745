#pragma once

#include <QString>
#include <optional>
#include <string>

#include "library/commands/command_services.h"

class QWidget;

namespace tavrel {

// The open or save file dialog a command asks for, over QFileDialog. Paths are file-system
// paths in the local 8-bit encoding.
class FileDialog {
  public:
    FileDialog(FileDialogRequest request, QWidget* parent)
        : request_(std::move(request)), parent_(parent) {}

    // The chosen full path, or nothing when the user cancelled.
    std::optional<std::string> Show() const;

  private:
    FileDialogRequest request_;
    QWidget* parent_;
};

// Adds "." and the default suffix when the chosen file's name has no extension.
QString WithDefaultSuffix(const QString& path, const std::string& defaultSuffix);

}  // namespace tavrel
