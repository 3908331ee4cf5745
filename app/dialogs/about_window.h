#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "engine/runtime_failure.h"

class QLabel;

namespace tavrel {

// The About window: title, the version read from the library's version file, disclaimer and
// help desk.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Reads the version file whole. On failure the error box is shown and the window keeps its
    // texts from before loading and is not made top-most.
    void Load(const std::string& versionFilePath, ErrorReporter& errors);

  private:
    QLabel* titleLabel_;
    QLabel* versionLabel_;
};

// The whole content of a file, or the failure that stopped the read.
struct FileContent {
    std::string bytes;
    std::optional<RuntimeFailure> failure;
};
FileContent ReadWholeFile(const std::string& path);

}  // namespace tavrel
