#include "store/DatFileWriter.h"

#include "platform/Profile.h"
#include "store/FilePlans.h"
#include "store/TailMessageMacros.h"

namespace {

// Old files hold "0" tail message macros and empty polarities; they are
// stored, and kept, in their sound form.
void amendPortSwitches(SettingsTables& t)
{
    for (int port = 1; port <= Count::Ports; ++port) {
        TextArray& macros = t.*TailMessageMacros(port);
        for (int k = 1; k <= macros.count(); ++k)
            if (macros[k] == u"0")
                macros[k] = QStringLiteral("1");
        if (t.PLEncodePolarity[port].isEmpty())
            t.PLEncodePolarity[port] = QStringLiteral("0");
    }
}

void appendPart(std::vector<ProfileEntry>& out, SettingsTables& t, const PlanPart& part)
{
    auto add = [&](const KeyStem& stem, int i) {
        out.push_back({stem.section, stem.keyName(i), stem.value(t, i)});
    };
    if (part.loop == 0) {
        for (const KeyStem* stem : part.stems)
            add(*stem, 0);
        return;
    }
    for (int i = 1; i <= part.loop; ++i)
        for (const KeyStem* stem : part.stems)
            add(*stem, i);
}

} // namespace

Status WriteDatFile(SettingsTables& tables, Profile& profile)
{
    std::vector<ProfileEntry> entries;
    entries.reserve(ConfigurationKeys);
    std::vector<bool SettingsTables::*> stored;

    for (const auto& step : WriterPlan()) {
        if (step.gate && !(tables.*step.gate))
            continue;
        if (step.gate == &SettingsTables::PortSwitchesChanged)
            amendPortSwitches(tables);
        for (const auto& part : step.parts)
            appendPart(entries, tables, part);
        if (step.gate)
            stored.push_back(step.gate);
    }

    Status written = profile.writeBatch(tables.CurrentDatFile, entries);
    if (!written)
        return written;
    for (auto gate : stored)
        tables.*gate = false;
    tables.DataSaved = true;
    return Status::success();
}
