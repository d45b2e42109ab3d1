#pragma once

#include "EditorFixture.h"
#include "editors/timing/Courtesy.h"
#include "store/CourtesyArrays.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

// The courtesy tone editor over settings in which every value tells its port,
// tone and array apart: port p, tone n, array k of a field holds
// p*1000 + n*10 + k for delays, + 4 for durations, + 200 for tones.
struct CourtesyFixture : EditorTest<Courtesy> {
    static QString Stored(int port, CourtesyField field, int k, int tone)
    {
        const int offset = field == CourtesyField::Delay ? 0 : field == CourtesyField::Dur ? 4 : 200;
        return QString::number(port * 1000 + tone * 10 + k + offset);
    }

    void SetUp() override
    {
        forEachArray([&](int port, CourtesyField field, int k) {
            for (int tone = 1; tone <= Count::CourtesyTones; ++tone)
                (tables.*CourtesyArray(port, field, k))[tone] = Stored(port, field, k, tone);
        });
        tables.DataSaved = true;
    }

    static void forEachArray(const std::function<void(int, CourtesyField, int)>& visit)
    {
        for (int port = 1; port <= Count::Ports; ++port)
            for (const CourtesyField field : CourtesyFields)
                for (int k = 1; k <= CourtesyArrayCount(field); ++k)
                    visit(port, field, k);
    }

    // The box of array k of a field on port p's page: "Tone3Set(2)".
    QLineEdit* box(CourtesyField field, int k, int port) const
    {
        static const char* const names[] = {"Delay", "Dur", "Tone"};
        return find(QStringLiteral("%1%2Set(%3)").arg(QLatin1String(names[static_cast<int>(field)])).arg(k).arg(port));
    }
    void pickTone(int port, int tone)
    {
        auto* list = find<QComboBox>(QStringLiteral("CTSet(%1)").arg(port));
        list->setCurrentIndex(tone - 1);
        emit list->activated(tone - 1); // what a click on the item raises
    }
    void showPage(int port) { find<QTabWidget>("SSTab1")->setCurrentIndex(port - 1); }
    // The editor as a window of its own, so that the focus can come back.
    void showActive()
    {
        editor->show();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    void click(const char* button) { find<QPushButton>(QString::fromLatin1(button))->click(); }

    // Every segment flag that is set, as "P1Seg2Changed(2)".
    QStringList raisedFlags() const
    {
        QStringList raised;
        for (int port = 1; port <= Count::Ports; ++port)
            for (int segment = 1; segment <= 4; ++segment)
                for (int tone = 1; tone <= Count::CourtesyTones; ++tone)
                    if ((tables.*CourtesySegmentFlag(port, segment))[tone])
                        raised << QStringLiteral("P%1Seg%2Changed(%3)").arg(port).arg(segment).arg(tone);
        return raised;
    }
    // The settings that differ from the fixture's, as "P2Delay1(4)=5".
    QStringList changedSettings() const
    {
        QStringList changed;
        forEachArray([&](int port, CourtesyField field, int k) {
            for (int tone = 1; tone <= Count::CourtesyTones; ++tone) {
                const QString& value = (tables.*CourtesyArray(port, field, k))[tone];
                if (value != Stored(port, field, k, tone))
                    changed << QStringLiteral("%1(%2)=%3").arg(CourtesyArrayName(port, field, k)).arg(tone).arg(value);
            }
        });
        return changed;
    }
};
