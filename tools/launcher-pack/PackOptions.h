// What launcher-pack is asked to make, from its command line.
#pragma once

#include <string>
#include <vector>

struct PackOptions {
    std::vector<std::string> launchers;  // built launcher executables, one per architecture
    std::string name;                    // the application's executable name, without ".exe"
    std::string output;                  // the application folder to create
    std::string input;                   // a folder whose whole content is copied into it (jre\, docs, ...)
    std::string icon;
    std::string fileVersion = "1.0.0.0";
    std::string productVersion;  // empty: the file version
    std::string company, product, description, copyright;
    std::string settingsFile;  // an existing settings file to start from
    std::string mainClass, minVersion, maxVersion, vmParameters, splash;
    std::vector<std::string> classPath;  // entries as written
    std::vector<std::string> jars;       // copied into lib\ and put on the class path
    std::string mainJar;                 // copied into lib\ first; its manifest read
    std::string mainModule, addModules;
    std::vector<std::string> modulePath;  // files and folders, copied into the mods\ folder
    bool singleInstance = false;
    std::string serviceName, serviceDisplay, serviceDescription;  // a service when the name is given
    std::string appId;  // the taskbar's AppUserModelID, for both executables
    std::string embeddedJar;
};

// False with a message for an unknown option, a missing value or a missing
// required option; `help` is set for --help alone.
bool parsePackOptions(const std::vector<std::string>& arguments, PackOptions& options, bool& help, std::string& error);

extern const char kPackUsage[];
