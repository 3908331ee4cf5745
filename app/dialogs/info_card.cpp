#include "app/dialogs/info_card.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/program_icons.h"

namespace tavrel {
namespace {

// Wrapped texts get a fixed width, so each label asks for the height its text needs at that
// width and the card grows to fit the whole disclaimer, whatever the font.
constexpr int kTextWidthInCharacters = 52;

QLabel* AddLabel(QVBoxLayout* layout, const QString& name, const QString& text,
                 Qt::Alignment alignment = Qt::AlignHCenter) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setFixedWidth(label->fontMetrics().averageCharWidth() * kTextWidthInCharacters);
    layout->addWidget(label);
    return label;
}

}  // namespace

InfoCard BuildInfoCard(QWidget* window, const InfoCardTexts& texts) {
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    // A thin frame just inside the window's edges holds the card.
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(1);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);

    auto* logo = new QLabel;
    logo->setPixmap(ProgramLogo(QSize(152, 56)));
    logo->setAlignment(Qt::AlignHCenter);
    layout->addWidget(logo);

    InfoCard card{};
    card.title = AddLabel(layout, QStringLiteral("titleLabel"), QString());
    QFont titleFont = card.title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    card.title->setFont(titleFont);
    card.version = AddLabel(layout, QStringLiteral("versionLabel"), QString());
    layout->addSpacing(6);
    QLabel* heading =
        AddLabel(layout, QStringLiteral("disclaimerHeading"), QStringLiteral("DISCLAIMER"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    card.disclaimer = AddLabel(layout, QStringLiteral("disclaimerLabel"), texts.disclaimer,
                               Qt::AlignLeft | Qt::AlignTop);
    if (!texts.contact.isEmpty()) {
        AddLabel(layout, QStringLiteral("helpDeskLabel"), texts.contact);
    }
    card.okButton = new QPushButton(QStringLiteral("&OK"));
    card.okButton->setObjectName(QStringLiteral("okButton"));
    card.okButton->setDefault(true);
    layout->addWidget(card.okButton, 0, Qt::AlignHCenter);
    return card;
}

}  // namespace tavrel
