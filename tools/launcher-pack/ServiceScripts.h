// The two scripts that install a packed application as a Windows service
// and remove it again, through the system's sc.exe and reg.exe. cmd reads a
// script in the OEM code page: they are written in code page 850, that of
// Western European Windows.
#pragma once

#include <string>

#include "Bytes.h"

struct ServiceScripts {
    Bytes install;    // install-service.cmd
    Bytes uninstall;  // uninstall-service.cmd
};

// `executable` is the file name beside the scripts; texts are UTF-8, an empty
// display name is the service name and an empty description sets none. False
// with a message for a name or text with a line break or a character that
// code page 850 has not.
bool makeServiceScripts(const std::string& name, const std::string& displayName, const std::string& description,
                        const std::string& executable, ServiceScripts& scripts, std::string& error);
