#include "app/shell/program_texts.h"

namespace tavrel {

QString SplashDisclaimer() {
    return QStringLiteral(
               "Although this program has been through many rigorous tests with excellent "
               "results, the %1 makes no warranty, expressed or implied, as to the accuracy "
               "and functioning of the program and related material, nor shall the fact of "
               "distribution constitute any such warranty, and no responsibility is assumed "
               "by the %1 in connection therewith.")
        .arg(QLatin1String(kOrganisationName));
}

QString AboutDisclaimer() {
    return QStringLiteral(
               "These programs have been deemed accurate; however, the %1 expresses or "
               "implies no warranty as to their explicit accuracy and functioning. The fact "
               "of distribution shall not constitute any such warranty, and the %1 assumes "
               "no responsibility in connection therewith.")
        .arg(QLatin1String(kOrganisationName));
}

QString HelpDeskLine() {
    return QStringLiteral("Questions? Call the %1 help desk at (555) 010-4200.")
        .arg(QLatin1String(kOrganisationName));
}

}  // namespace tavrel
