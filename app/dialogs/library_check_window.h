#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "library/notes/library_check.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavrel {

// The findings of a library check in one list: severity, file name, line and message, or "No
// problems found.". Double-clicking a finding opens its note.
class LibraryCheckWindow : public QDialog {
    Q_OBJECT
  public:
    using OpenFile = std::function<void(const LibraryFinding& finding)>;

    LibraryCheckWindow(OpenFile openFile, QWidget* parent = nullptr);

    void ShowFindings(const std::string& libraryDir, const std::vector<LibraryFinding>& findings);

  private:
    void OpenFinding(QTreeWidgetItem* item);

    OpenFile openFile_;
    std::vector<LibraryFinding> findings_;
    QLabel* folder_;
    QTreeWidget* list_;
};

}  // namespace tavrel
