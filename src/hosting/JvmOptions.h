// The JVM's options and the process environment the JVM sees.
#pragma once

class Launcher;

// Sets QZ_JVM_PATH, QZ_JVM_HOME and Path, and adds the library path option.
void prepareLibraryEnvironment(Launcher& launcher);

// Class path, VM parameters, output files and "Cmd" arguments. False when the
// settings file cannot be located, or after message 209 for an empty class path.
bool buildJvmOptions(Launcher& launcher);
