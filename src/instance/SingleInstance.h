// Keeping one running instance per executable path and forwarding later
// starts' arguments to it.
#pragma once

class Launcher;

bool setupSingleInstance(Launcher& launcher);
int waitForReply(Launcher& launcher);
void shutdownSingleInstance(Launcher& launcher);
