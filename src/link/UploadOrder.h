#pragma once

#include "link/UploadSteps.h"

#include <functional>
#include <vector>

// Rows sent together: for each index of their loop (each port, each tone of
// each port, each item, or once), every row of the run in turn.
using Run = std::vector<StepId>;
using Runs = std::vector<Run>;

// Stretches of the order both uploads send alike.
namespace Sections {
// The port timers and general timers, the controller's timers, the courtesy
// tones and the port identifiers.
extern const Runs TimersTonesAndIdentifiers;
// The user prefixes, the autopatch with its autodial and toll tables, and the
// prefixes and switches of the controller.
extern const Runs CodesAndAutopatch;
extern const Runs SchedulerAndMeters;
// The alarm macros, the identifier extras and the message macros.
extern const Runs AlarmMacrosExtrasAndMessages;
// The port switches through the fail-safe settings, for each port.
extern const Run PortSwitches;
} // namespace Sections

// Lays out one upload's steps from the rows, in the upload's order, with its
// own differences (progress, pauses, framing) applied by step key.
class StepList {
public:
    using Differences = std::function<void(const StepKey&, UploadStep&)>;

    explicit StepList(Differences differences = {}) : m_differences(std::move(differences)) {}

    StepList& add(const Runs& runs);
    // A step of the upload's own.
    StepList& add(UploadStep step);

    std::vector<UploadStep> take() { return std::move(m_steps); }

private:
    Differences m_differences;
    std::vector<UploadStep> m_steps;
};
