#pragma once

#include "link/UploadStep.h"

#include <QString>
#include <functional>
#include <vector>

class Dialogs;
struct SettingsTables;

struct UploadProgress {
    int value = 0;
    int maximum = 0;
    QString text; // "N% Complete"
};

// Walks the steps of one upload over a transport: the flags, the stops, the
// end message. The caller holds the controller link for the run.
class UploadRunner {
public:
    enum class Result { Completed, Stopped, NotStarted };
    struct Plan {
        std::vector<UploadStep> steps;
        bool sendAll = false; // false: only the steps with a flag set
        int progressMaximum = 0;
        QString endText;
        bool endTextOnlyWhenAllAnswered = false;
        // Sent without a reply wait after the end message (serial mode).
        std::function<ControllerCommand(const SettingsTables&)> finalCommand;
    };

    UploadRunner(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs);

    void onProgress(std::function<void(const UploadProgress&)> listener) { m_onProgress = std::move(listener); }
    Result run(const Plan& plan);

private:
    enum class Next { Go, Stop };
    Next runStep(const UploadStep& step, bool sendAll);
    void finishFlags(const UploadStep& step, Outcome outcome);
    void advance(int by);
    void tell(const QString& text);

    SettingsTables& m_tables;
    CommandTransport& m_transport;
    Dialogs& m_dialogs;
    std::function<void(const UploadProgress&)> m_onProgress;
    UploadProgress m_progress;
    QStringList m_unanswered; // flag keys whose command got no answer this run
    int m_unansweredCommands = 0;
    bool m_serialOnlySkipped = false;
    bool m_frameOpen = false;
};
