#include "app/splash_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/info_card.h"
#include "app/program_texts.h"
#include "tavrel/version.h"

namespace tavrel {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    const InfoCard card = BuildInfoCard(
        this, {QStringLiteral("lblLabel_3"), QStringLiteral("lblLabel_4"), SplashDisclaimer(), {}});
    card.lblTitle->setText(QString::fromLatin1(kProgramTitle));
    card.lblVersion->setText(SplashVersionText(kVersionMajor, kVersionMinor, kVersionPatch));
    connect(card.cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tavrel
