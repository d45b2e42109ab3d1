#pragma once

#include "link/UploadRunner.h"

// "&Update Changes Only": every setting whose changed flag is set, in the
// controller's fixed order.
class ChangesUpload {
public:
    ChangesUpload(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs);
    UploadRunner::Result run();

    // The steps, in order; exposed so the order can be checked.
    static std::vector<UploadStep> steps();

private:
    UploadRunner m_runner;
};
