#pragma once

#include "link/UploadRunner.h"

// "&Send Complete Config": the whole configuration, after the user confirms,
// then the controller's reset.
class CompleteUpload {
public:
    static constexpr int ProgressMaximum = 724;

    CompleteUpload(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs);
    void onProgress(std::function<void(const UploadProgress&)> listener) { m_runner.onProgress(std::move(listener)); }
    // NotStarted when the user answers anything but Yes.
    UploadRunner::Result run();

    static std::vector<UploadStep> steps();

private:
    Dialogs& m_dialogs;
    UploadRunner m_runner;
};
