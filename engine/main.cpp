#include <csignal>

#include "base/log.h"
#include "front/commands.h"

int main() {
    openLog(LOG_FILE_NAME);
    // An interface that closes its end must not kill the engine mid-line.
    std::signal(SIGPIPE, SIG_IGN);
    commandLoop();
    closeLog();
    return 0;
}
