#pragma once

#include <QWidget>
#include <string>

class QPlainTextEdit;

namespace tavrel {

// "Notes Preview": one top-most window showing a note's stored text as it is.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Replaces the text with a note text (lines separated by CR).
    void ShowNoteText(const std::string& noteText);
    QString text() const;

  private:
    QPlainTextEdit* noteText_;
};

}  // namespace tavrel
