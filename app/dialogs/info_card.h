#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace tavrel {

// The framed card the splash and About windows share: logo, title, version, "DISCLAIMER",
// a paragraph, an optional help-desk line and an OK button.
struct InfoCard {
    QLabel* title;
    QLabel* version;
    QLabel* disclaimer;
    QPushButton* okButton;
};

struct InfoCardTexts {
    QString disclaimer;
    QString contact;  // empty: no help-desk line
};

// Lays the card out in window (which gets a layout) and returns its labels.
InfoCard BuildInfoCard(QWidget* window, const InfoCardTexts& texts);

}  // namespace tavrel
