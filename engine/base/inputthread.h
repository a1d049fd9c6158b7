// Standard input is read by a thread of its own into an Inbox, so that the main
// thread can wait for input and for the search at once. The same thread turns a
// termination signal into a quit request: the signal handler only writes one byte
// to a pipe that the thread watches beside the input.
#pragma once

#include "base/inbox.h"

// For the whole process: SIGINT (which interfaces send to interrupt a thinking
// engine) and SIGPIPE (an interface that has gone) are ignored; SIGTERM asks the
// running input thread for a quit. Call before any other thread starts.
void installSignalHandling();

// Starts the thread that reads fd into inbox (closing the inbox at the end of the
// input). At most one runs at a time.
void startInputThread(Inbox& inbox, int fd);
// Ends the thread and waits for it.
void stopInputThread();
