#pragma once

#include <QDialog>

namespace tavrel {

// The start-up window: title, version and disclaimer without a title bar; OK closes it.
class SplashWindow : public QDialog {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace tavrel
