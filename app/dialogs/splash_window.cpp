#include "app/dialogs/splash_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/dialogs/info_card.h"
#include "app/shell/program_texts.h"
#include "tavrel/version.h"

namespace tavrel {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splashWindow"));
    const InfoCard card = BuildInfoCard(this, {SplashDisclaimer(), {}});
    card.title->setText(QString::fromLatin1(kProgramTitle));
    card.version->setText(QStringLiteral("Version ") + QLatin1String(kDisplayVersion));
    connect(card.okButton, &QPushButton::clicked, this, &QDialog::accept);
    card.okButton->setFocus();
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Enter (OK) and Escape answer it at once: it takes the keyboard when it appears.
    activateWindow();
}

}  // namespace tavrel
