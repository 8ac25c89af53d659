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
    // A first instance that is giving the block up, or never filled it, is
    // left to go; after that the name is free and this start is first.
    for (int attempt = 1;; ++attempt) {
        if (!openSharedBlock(state_, name)) {
            state_.singleInstance = false;
            return std::nullopt;
        }
        if (takesOverHeldBlock_ && attempt == 1) state_.isFirstInstance = true;
        if (state_.isFirstInstance) {
            if (!startListening(state_, name, std::move(target), forwardWorkerMain)) state_.singleInstance = false;
            return std::nullopt;
        }
        const RequestOutcome outcome = sendRequest(state_, name, arguments);
        if (outcome == RequestOutcome::sent) return std::nullopt;
        if (outcome == RequestOutcome::failed || attempt == 3) return silentFailure();
        closeSharedBlock(state_);
    }
}

std::optional<int> SingleInstance::waitForReply() { return awaitReply(state_); }

void SingleInstance::handOver() {
    if (state_.singleInstance && state_.isFirstInstance) handOverSharedBlock(state_);
    state_.singleInstance = false;
}
