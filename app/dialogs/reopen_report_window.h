#pragma once

#include <QDialog>

#include "library/commands/reopen_command.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace tavrel {

// What a reopened sheet holds besides library notes, in one window: a row per place in the
// file, and below the rows the lines that the chosen place and its closest note do not share,
// in a fixed-pitch font.
class ReopenReportWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ReopenReportWindow(QWidget* parent = nullptr);

    void ShowReport(const ReopenReport& report);

  private:
    void ShowDifferences();

    ReopenReport report_;
    QLabel* summary_;
    QTreeWidget* rows_;
    QPlainTextEdit* differences_;
};

}  // namespace tavrel
