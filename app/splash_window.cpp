#include "app/splash_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/info_card.h"
#include "app/program_texts.h"
#include "tavrel/version.h"

namespace tavrel {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splashWindow"));
    const InfoCard card = BuildInfoCard(this, {SplashDisclaimer(), {}});
    card.title->setText(QString::fromLatin1(kProgramTitle));
    card.version->setText(SplashVersionText(kVersionMajor, kVersionMinor, kVersionPatch));
    connect(card.okButton, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tavrel
