// Keeping one running instance per executable path and forwarding later
// starts' arguments to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/Failure.h"
#include "instance/RequestListener.h"
#include "instance/SingleInstanceState.h"

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance() { shutdown(); }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The guard stays off unless `enabled`, and whenever its objects cannot
    // be made. A first instance serves later starts through `target`; a
    // later start has posted its request. A silent failure when a later
    // start's arguments do not fit or its request cannot be posted.
    MaybeFailure setup(bool enabled, const std::wstring& executablePath, const std::vector<std::wstring>& arguments,
                       std::shared_ptr<const ForwardTarget> target);

    // A run of a restarting application whose supervisor holds the block for
    // it: the block exists already and is this process's to fill as the
    // first instance.
    void takeOverHeldBlock() { takesOverHeldBlock_ = true; }

    bool isLaterStart() const { return state_.singleInstance && !state_.isFirstInstance; }

    // A later start: the running instance's answer, or its exit code.
    int waitForReply();

    // Ends the listener, lets waiting workers go and releases the block.
    void shutdown();

private:
    SingleInstanceState state_;
    bool takesOverHeldBlock_ = false;
};
