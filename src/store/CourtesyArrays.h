#pragma once

#include "store/SettingsTables.h"

#include <QString>

// The courtesy tone arrays of each port. Segment s (1-4) of tone i of port p
// waits PpDelays(i) ms, then plays PpTone(2s-1)(i) and PpTone(2s)(i) Hz for
// PpDurs(i) ms; PpSegsChanged(i) marks it for the upload.
enum class CourtesyField { Delay, Dur, Tone };
// In the configuration file's order.
inline constexpr CourtesyField CourtesyFields[] = {CourtesyField::Delay, CourtesyField::Dur, CourtesyField::Tone};

// How many arrays of the field each port has: four delays and durations, eight tones.
int CourtesyArrayCount(CourtesyField field);

// Array n of the field for port 1-3; anything outside throws std::out_of_range.
TextArray SettingsTables::* CourtesyArray(int port, CourtesyField field, int n);
// Its configuration key ("P2Tone5"), with the same range check.
QString CourtesyArrayName(int port, CourtesyField field, int n);

// The changed flags of segment 1-4 of port 1-3, one per tone.
FlagArray SettingsTables::* CourtesySegmentFlag(int port, int segment);
