#include "instance/SingleInstance.h"

#include "core/Launcher.h"
#include "core/Settings.h"
#include "instance/ForwardWorker.h"
#include "instance/InstanceChannel.h"
#include "instance/InstanceNames.h"
#include "instance/RequestListener.h"

SingleInstanceState::SingleInstanceState() = default;
SingleInstanceState::~SingleInstanceState() = default;

bool setupSingleInstance(Launcher& launcher) {
    SingleInstanceState& state = launcher.instance;
    if (launcher.settings.isService) return true;
    std::wstring settingsPath;
    if (!settingsFilePath(settingsPath)) return false;
    SettingsLookup lookup(settingsPath);
    state.singleInstance = lookup.getString(L"Application", L"Single Instance") == L"yes";
    if (!state.singleInstance) return true;

    std::wstring executable;
    if (!modulePath(executable)) return false;
    const std::wstring name = instanceNameOf(executable);
    if (!openSharedBlock(state, name)) {
        state.singleInstance = false;
        return true;
    }
    if (state.isFirstInstance) {
        if (!startListening(state, name, launcher.mainStartedEvent, &launcher, forwardWorkerMain)) {
            state.singleInstance = false;
        }
        return true;
    }
    return sendRequest(state, name, launcher.arguments);
}

int waitForReply(Launcher& launcher) { return awaitReply(launcher.instance); }

void shutdownSingleInstance(Launcher& launcher) {
    if (launcher.instance.singleInstance) closeSharedBlock(launcher.instance);
}
