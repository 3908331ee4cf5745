#include "app/info_card.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pictures.h"

namespace tavrel {
namespace {

QLabel* AddLabel(QVBoxLayout* layout, const QString& name, const QString& text,
                 Qt::Alignment alignment = Qt::AlignHCenter) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

}  // namespace

InfoCard BuildInfoCard(QWidget* window, const InfoCardTexts& texts) {
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(8, 8, 8, 8);
    // The four frame lines lnLine(0..3) run just inside the window's edges.
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("lnLine"));
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(1);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);

    auto* logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(BridgeEmblem(152, 56));
    logo->setAlignment(Qt::AlignHCenter);
    layout->addWidget(logo);

    InfoCard card{};
    card.lblTitle = AddLabel(layout, QStringLiteral("lblTitle"), QString());
    QFont titleFont = card.lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    card.lblTitle->setFont(titleFont);
    card.lblVersion = AddLabel(layout, QStringLiteral("lblVersion"), QString());
    layout->addSpacing(6);
    QLabel* heading = AddLabel(layout, texts.disclaimerHeadingName, QStringLiteral("DISCLAIMER"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    card.disclaimer =
        AddLabel(layout, texts.disclaimerName, texts.disclaimer, Qt::AlignJustify | Qt::AlignTop);
    if (!texts.contact.isEmpty()) {
        AddLabel(layout, QStringLiteral("lblContact"), texts.contact);
    }
    card.cmdOK = new QPushButton(QStringLiteral("&OK"));
    card.cmdOK->setObjectName(QStringLiteral("cmdOK"));
    card.cmdOK->setDefault(true);
    layout->addWidget(card.cmdOK, 0, Qt::AlignHCenter);
    window->setFixedWidth(372);
    return card;
}

}  // namespace tavrel
