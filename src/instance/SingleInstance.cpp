#include "instance/SingleInstance.h"

#include "instance/InstanceChannel.h"
#include "instance/InstanceProtocol.h"

SingleInstanceState::SingleInstanceState() = default;
SingleInstanceState::~SingleInstanceState() = default;

void SingleInstance::shutdown() {
    if (state_.singleInstance) closeSharedBlock(state_);
    state_.singleInstance = false;
}

MaybeFailure SingleInstance::setup(bool enabled, const std::wstring& executablePath,
                                   const std::vector<std::wstring>& arguments,
                                   std::shared_ptr<const ForwardTarget> target) {
    state_.singleInstance = enabled;
    if (!enabled) return std::nullopt;

    const std::wstring name = instanceNameOf(executablePath);
    if (!openSharedBlock(state_, name)) {
        state_.singleInstance = false;
        return std::nullopt;
    }
    if (takesOverHeldBlock_) state_.isFirstInstance = true;
    if (state_.isFirstInstance) {
        if (!startListening(state_, name, std::move(target), forwardWorkerMain)) state_.singleInstance = false;
        return std::nullopt;
    }
    if (!sendRequest(state_, name, arguments)) return silentFailure();
    return std::nullopt;
}

int SingleInstance::waitForReply() { return awaitReply(state_); }
