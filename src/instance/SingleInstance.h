// Keeping one running instance per executable path and forwarding later
// starts' arguments to it.
#pragma once

#include <memory>
#include <optional>
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

    // A later start: the running instance's answer, or its exit code;
    // nothing when that instance gave its start to another process, and this
    // start is to set up again.
    std::optional<int> waitForReply();

    // Ends the listener, lets waiting workers go and releases the block.
    void shutdown();

    // A first instance that gives its start to another process (the pair)
    // gives up the guard first: the next start of this executable becomes a
    // first instance, and later starts waiting here are told to start again.
    void handOver();

private:
    SingleInstanceState state_;
    bool takesOverHeldBlock_ = false;
};
