#pragma once

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>

namespace tavrel {

// Marks the lines the layout reads as statements: bracketed ones and CAD dot lines.
class StatementHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

  protected:
    void highlightBlock(const QString& text) override;
};

// A note's text in a fixed-pitch font, with a guide at the right margin in force.
class NoteTextEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit NoteTextEditor(QWidget* parent = nullptr);
    void SetRightMargin(int column);
    int rightMargin() const { return rightMargin_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int rightMargin_ = 80;
};

}  // namespace tavrel
