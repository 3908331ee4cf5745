#include "app/desktop_main.h"

#include <QApplication>

namespace tavrel {

int RunDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}

}  // namespace tavrel
