#pragma once

#include "store/KeyRegistry.h"

#include <vector>

// A run of key stems: for a loop, every stem of index i before index i + 1;
// otherwise scalars, once each, in order.
struct PlanPart {
    std::vector<const KeyStem*> stems;
    int loop = 0; // the index range 1..loop, or 0 for scalars
    bool lockAndTerminator = false; // the reader's hand-written access code step
};

// A step of the writer: its parts are stored only while its gate is set
// (no gate: always), and the gate is cleared once they are stored.
struct WritePlanStep {
    bool SettingsTables::* gate = nullptr;
    std::vector<PlanPart> parts;
};

// The order in which the reader reads and tests the keys; it decides the
// order of the error log.
const std::vector<PlanPart>& ReaderPlan();
// The order in which the writer stores them; it decides a new file's layout.
const std::vector<WritePlanStep>& WriterPlan();
