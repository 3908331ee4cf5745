#pragma once

namespace tavrel {

// Starts the desktop program; argv may carry --no-splash and --library DIR.
int RunDesktop(int argc, char** argv);

}  // namespace tavrel
