#pragma once

#include <QString>

// The progress window as a transfer drives it; the window only shows.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;

    // Shown, not modal, its bar at 0 of `maximum`; a cancel from before is forgotten.
    virtual void start(const QString& caption, int maximum) = 0;
    virtual void setValue(int value) = 0;
    // Hidden; on every way out of a transfer.
    virtual void finish() = 0;
    // The user asked to stop (the window's Escape) since start.
    virtual bool canceled() const = 0;
};
