#pragma once

#include "link/ControllerLink.h"

// The program's controller link, in which a test may stand a transport of
// its own in for the one of that transport's mode; the link still chooses
// the mode.
class StandInLink final : public ControllerLink {
public:
    using ControllerLink::ControllerLink;

    void standIn(CommandTransport& transport) { m_standIn = &transport; }

protected:
    CommandTransport& transportOf(bool dtmf) override
    {
        if (m_standIn && m_standIn->dtmfMode() == dtmf)
            return *m_standIn;
        return ControllerLink::transportOf(dtmf);
    }

private:
    CommandTransport* m_standIn = nullptr;
};
