#pragma once

#include <QString>

namespace tavrel {

// The organisation named on the project tab, the splash and the About window.
inline constexpr const char* kOrganisationName = "Bridge Engineering Division";
inline constexpr const char* kDesignOfficeName = "Structures Design Office";

QString SplashDisclaimer();
QString AboutDisclaimer();
QString HelpDeskLine();

}  // namespace tavrel
