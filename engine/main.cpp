#include <csignal>

#include "analysis/commandline.h"
#include "base/log.h"
#include "front/commands.h"

int main(int argc, char** argv) {
    // A write past the file size limit must fail and be reported, not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // With arguments the program analyses or converts game records; without, it is the engine.
    if (argc > 1) return runCommandLine(argc, argv);
    openLog(LOG_FILE_NAME);
    // An interface that closes its end must not kill the engine mid-line.
    std::signal(SIGPIPE, SIG_IGN);
    commandLoop();
    closeLog();
    return 0;
}
